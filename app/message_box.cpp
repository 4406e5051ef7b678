#include "app/message_box.h"

#include "app/qt_text.h"
#include "app/window_manager.h"

#include <QMessageBox>

namespace app {

void showMessage(std::string_view caption, std::string_view text)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(caption), toQString(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.winId();
    window_manager::skipTaskbar(box);
    box.exec();
}

} // namespace app
