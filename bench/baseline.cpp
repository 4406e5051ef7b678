// What the program's start-up is measured against: the least a Qt Widgets program does to show a
// window that looks like the main window from outside. Same title, same outer size under openbox
// (a fixed client area of 266×148 plus the 1,1,20,1 frame is 268×169), and one line of Han text
// in the Song/Ming face at the program's 13-pixel character height.

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Orvane六壬预测"));
    window.setFixedSize(266, 148);

    auto* label = new QLabel(QStringLiteral("正月"), &window);
    QFont song(QStringLiteral("AR PL UMing CN"));
    song.setPixelSize(13);
    label->setFont(song);
    label->move(8, 8);

    window.show();
    return QApplication::exec();
}
