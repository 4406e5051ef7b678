// Linked into a copy of a program to time its start-up from inside: the process writes two
// CLOCK_MONOTONIC readings in nanoseconds to its standard output, "HOOK PAINT", and ends at once.
// HOOK is taken when QCoreApplication runs its start-up functions, PAINT once the first paint
// of a top-level window has been handled. The launcher read the same clock just before it forked.
//
// The paint event of a top-level window is only the first of a repaint pass: its children are
// painted after it and the backing store is flushed to the X server last, all within the event
// that asked for the repaint. So the probe notes the paint and reads the clock on the next turn
// of the event loop, when that whole pass has been handled. Ending with _exit keeps the program's
// teardown out of the figures, and out of its peak memory.

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QObject* parent)
        : QObject(parent)
        , hookNs_(monotonicNanoseconds())
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!paintNoted_ && event->type() == QEvent::Paint && isTopLevelWidget(*watched)) {
            paintNoted_ = true;
            QMetaObject::invokeMethod(this, &FirstPaintProbe::reportAndEnd, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static bool isTopLevelWidget(const QObject& object)
    {
        return object.isWidgetType() && static_cast<const QWidget&>(object).isWindow();
    }

    void reportAndEnd() const
    {
        const long long paintNs = monotonicNanoseconds();
        std::printf("%lld %lld\n", hookNs_, paintNs);
        std::fflush(stdout);
        _exit(0);
    }

    long long hookNs_;
    bool paintNoted_ = false;
};

void installFirstPaintProbe()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new FirstPaintProbe(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFirstPaintProbe)
