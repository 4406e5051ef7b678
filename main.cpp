#include "app/display_guard.h"
#include "app/frame.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QIcon>
#include <optional>

int main(int, char** argv)
{
    // The program takes no arguments: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    std::optional<app::DisplayGuard> guard(std::in_place);
    QApplication application(qtArgc, qtArgv);
    guard.reset();

    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/xiaoliuren.png")));
    // Lets desktops match the windows to the installed launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.xiaoliuren.XiaoLiuRen"));
    app::Frame frame;
    return frame.run(ui::mainWindow);
}
