#pragma once

#include <QtGlobal>

namespace app {

// Watches the construction of the application object. Without a usable display
// Qt ends the process through a fatal message (an abort, perhaps a core dump);
// while a guard lives, that becomes one clear line on stderr and exit status 255.
// The messages Qt prints on the way are held back and, when a display was
// found after all, passed on once the guard ends.
class DisplayGuard {
public:
    DisplayGuard();
    ~DisplayGuard();
    DisplayGuard(const DisplayGuard&) = delete;
    DisplayGuard& operator=(const DisplayGuard&) = delete;

private:
    static void handleMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& message);
};

// Watches the connection to the X server once the application object exists.
// When the server goes away, Qt notices it in whatever event loop is running (a
// modal wait included), prints one of two warnings, perhaps followed by lines
// from Xlib, and calls exit(): static destructors then run under windows and an
// application object that are still alive. While a watch lives, the first
// message after the connection broke ends the process at once instead, with one
// clear line on stderr and exit status 1. The program keeps nothing that would
// need saving on the way out.
class DisplayLossWatch {
public:
    DisplayLossWatch();
    ~DisplayLossWatch();
    DisplayLossWatch(const DisplayLossWatch&) = delete;
    DisplayLossWatch& operator=(const DisplayLossWatch&) = delete;

private:
    static void handleMessage(QtMsgType type, const QMessageLogContext& context,
                              const QString& message);
};

} // namespace app
