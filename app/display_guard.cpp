#include "app/display_guard.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>
#include <xcb/xcb.h>

namespace app {
namespace {

struct HeldMessage {
    QtMsgType type;
    QString category;
    QString text;
};

// The message handler is a plain function, so what it holds back lives here,
// and only for as long as a guard lives.
QtMessageHandler previousHandler = nullptr;
std::vector<HeldMessage> heldMessages;

// What the loss watch needs in its handler, set while a watch lives. The
// connection is only read: xcb keeps its error state for good once set.
QtMessageHandler handlerBeforeWatch = nullptr;
xcb_connection_t* watchedConnection = nullptr;
std::string watchedDisplay;

xcb_connection_t* x11Connection()
{
    const auto* native = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return native ? native->connection() : nullptr;
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previousHandler = qInstallMessageHandler(&DisplayGuard::handleMessage);
}

DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(previousHandler);
    for (const HeldMessage& message : std::exchange(heldMessages, {})) {
        const QByteArray category = message.category.toUtf8();
        const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
        qt_message_output(message.type, context, message.text);
    }
}

void DisplayGuard::handleMessage(QtMsgType type, const QMessageLogContext& context,
                                 const QString& message)
{
    if (type == QtFatalMsg) {
        const char* display = std::getenv("DISPLAY");
        if (display && *display)
            std::fprintf(stderr, "xiaoliuren: cannot open a window: no display server at %s\n",
                         display);
        else
            std::fprintf(stderr, "xiaoliuren: cannot open a window: DISPLAY is not set\n");
        std::fflush(stderr);
        std::_Exit(255);
    }
    heldMessages.push_back({type, QString::fromUtf8(context.category), message});
}

DisplayLossWatch::DisplayLossWatch()
{
    watchedConnection = x11Connection();
    const char* display = std::getenv("DISPLAY");
    watchedDisplay = display ? display : "";
    handlerBeforeWatch = qInstallMessageHandler(&DisplayLossWatch::handleMessage);
}

DisplayLossWatch::~DisplayLossWatch()
{
    qInstallMessageHandler(handlerBeforeWatch);
    watchedConnection = nullptr;
}

// Qt's own words for the loss vary and are not worth matching: the state of the
// connection tells for sure.
void DisplayLossWatch::handleMessage(QtMsgType type, const QMessageLogContext& context,
                                     const QString& message)
{
    if (watchedConnection && xcb_connection_has_error(watchedConnection)) {
        std::fprintf(stderr, "xiaoliuren: lost the connection to the display server at %s\n",
                     watchedDisplay.c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    handlerBeforeWatch(type, context, message);
}

} // namespace app
