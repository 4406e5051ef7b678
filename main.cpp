#include "app/display_guard.h"
#include "app/frame.h"
#include "ui/main_window.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The socket of a per-user session bus, which the D-Bus library finds by itself.
bool hasUserBusSocket()
{
    const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
    struct stat bus {};
    return !runtimeDir.isEmpty() && ::stat((runtimeDir + "/bus").constData(), &bus) == 0 &&
           S_ISSOCK(bus.st_mode) && bus.st_uid == ::getuid();
}

// Qt's accessibility support looks for the session bus. Where none is
// configured, the D-Bus library would run dbus-launch to start a bus of its own:
// a daemon that outlives the program and records itself under ~/.dbus. An
// address that names no bus leaves the program without one instead. (An empty
// address counts as none: the library starts a bus for that too.)
void keepDBusFromStartingABus()
{
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") || hasUserBusSocket())
        return;
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
}

// Read as the PNG it is: otherwise the image reader loads every image plugin of the toolkit to
// ask each whether it knows the file.
QIcon programIcon()
{
    QImageReader reader(QStringLiteral(":/icons/xiaoliuren.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return QIcon(QPixmap::fromImage(reader.read()));
}

} // namespace

int main(int, char** argv)
{
    // The program takes no arguments: Qt sees only the program's name.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};

    keepDBusFromStartingABus();
    // The menu bar is part of the fixed-size main window; a desktop-wide menu
    // would take it out of the window, and finding one means asking the session bus.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);

    std::optional<app::DisplayGuard> guard(std::in_place);
    QApplication application(qtArgc, qtArgv);
    guard.reset();
    const app::DisplayLossWatch displayLossWatch;

    QApplication::setWindowIcon(programIcon());
    // Lets desktops match the windows to the installed launcher.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.xiaoliuren.XiaoLiuRen"));
    app::Frame frame;
    return frame.run(ui::mainWindow);
}
