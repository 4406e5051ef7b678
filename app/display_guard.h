#pragma once

#include <QtGlobal>
#include <vector>

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

} // namespace app
