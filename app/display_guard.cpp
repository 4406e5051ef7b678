#include "app/display_guard.h"

#include <QString>
#include <cstdio>
#include <cstdlib>
#include <utility>

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

} // namespace app
