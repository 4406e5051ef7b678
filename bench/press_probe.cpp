// Linked into a copy of the program to time castings from inside one process. Once the main
// window has painted, the probe presses the query button again and again; for each press it
// writes one line to its standard output, in milliseconds from the press:
//
//     SHOWN EXPOSED PAINTED TITLE
//
// SHOWN: the omen window gets its show event (it is built and about to be mapped); EXPOSED: the
// X server has mapped it and its QWindow gets the expose event; PAINTED: its first paint has been
// handled, read on the next turn of the event loop so that its children and the flush to the X
// server are included. The probe then closes the window and, once the press has returned, makes
// the next one. The hour list moves on by one item per press, so all six omens come up.
//
// Presses are made as the platform makes them: QTest's QWindow overloads hand a mouse event to
// QWindowSystemInterface, which delivers it to the main window's QWindow as a spontaneous event,
// subject to modality, the path an X button press takes once the xcb plugin has read it. The
// clock starts when that event reaches the QWindow, so the X server and the plugin's reader
// thread are outside the interval whether the press came from there or from here; made here, a
// casting needs no pointer moves, no window manager focus and no helper process, and the press
// returns only when the modal wait it started has ended, which paces the castings exactly.

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <unistd.h>
#include <vector>

namespace {

constexpr int defaultCastings = 200;
// Lets the window manager finish with the main window before the first press.
constexpr int settleMilliseconds = 500;
constexpr int omenTimeoutMilliseconds = 10'000;

long long monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

double millisecondsBetween(long long from, long long to)
{
    return static_cast<double>(to - from) / 1e6;
}

[[noreturn]] void fail(const char* message)
{
    std::fprintf(stderr, "press probe: %s\n", message);
    std::fflush(stdout);
    _exit(3);
}

// The number of castings, from XIAOLIUREN_BENCH_CASTINGS; the shipped program reads no
// environment, but this copy of it is the benchmark's.
int castingsWanted()
{
    const char* text = std::getenv("XIAOLIUREN_BENCH_CASTINGS");
    const int wanted = text ? std::atoi(text) : defaultCastings;
    return wanted > 0 ? wanted : defaultCastings;
}

struct Casting {
    long long pressed = 0;
    long long shown = 0;
    long long exposed = 0;
    long long painted = 0;
    QByteArray title;
};

class PressProbe : public QObject {
public:
    explicit PressProbe(QObject* parent)
        : QObject(parent)
        , castingsWanted_(castingsWanted())
    {
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(omenTimeoutMilliseconds);
        connect(&watchdog_, &QTimer::timeout, this,
                [] { fail("no omen window painted after a press"); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (mainWindow_ && watched == mainWindow_->windowHandle()) {
                current_ = {};
                current_.pressed = monotonicNanoseconds();
            }
            break;
        case QEvent::Show:
            if (isOtherTopLevel(*watched) && current_.pressed && !omen_) {
                current_.shown = monotonicNanoseconds();
                omen_ = static_cast<QWidget*>(watched);
            }
            break;
        case QEvent::Expose:
            if (omen_ && watched == omen_->windowHandle() && !current_.exposed)
                current_.exposed = monotonicNanoseconds();
            break;
        case QEvent::Paint:
            notePaint(*watched);
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool isTopLevelWidget(const QObject& object)
    {
        return object.isWidgetType() && static_cast<const QWidget&>(object).isWindow();
    }

    bool isOtherTopLevel(const QObject& object) const
    {
        return isTopLevelWidget(object) && &object != mainWindow_;
    }

    void notePaint(QObject& watched)
    {
        if (!isTopLevelWidget(watched))
            return;
        if (!mainWindow_) {
            mainWindow_ = static_cast<QWidget*>(&watched);
            QTimer::singleShot(settleMilliseconds, this, &PressProbe::castNext);
        } else if (&watched == omen_ && current_.shown && !paintNoted_) {
            paintNoted_ = true;
            QMetaObject::invokeMethod(this, &PressProbe::recordAndClose, Qt::QueuedConnection);
        }
    }

    void recordAndClose()
    {
        current_.painted = monotonicNanoseconds();
        watchdog_.stop();
        if (!omen_)
            fail("the omen window went away before its paint was recorded");
        current_.title = omen_->windowTitle().toUtf8();
        castings_.push_back(current_);
        omen_->close();
    }

    void castNext()
    {
        selectNextHour();
        QWindow* target = mainWindow_->windowHandle();
        const QPoint at = queryButtonCentre();
        const std::size_t recordedBefore = castings_.size();
        current_ = {};
        omen_ = nullptr;
        paintNoted_ = false;
        watchdog_.start();
        // Returns once the omen window's modal wait is over.
        QTest::mousePress(target, Qt::LeftButton, {}, at);
        QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        if (castings_.size() == recordedBefore)
            fail("a press on the query button opened no omen window");
        if (static_cast<int>(castings_.size()) < castingsWanted_)
            QTimer::singleShot(0, this, &PressProbe::castNext);
        else
            reportAndEnd();
    }

    QPoint queryButtonCentre() const
    {
        const auto* button = mainWindow_->findChild<QPushButton*>();
        if (!button)
            fail("the main window has no query button");
        return button->mapTo(mainWindow_, button->rect().center());
    }

    // The lists stand side by side; the hour list is the rightmost.
    void selectNextHour()
    {
        const QList<QComboBox*> lists = mainWindow_->findChildren<QComboBox*>();
        const auto rightmost = std::max_element(
            lists.begin(), lists.end(), [this](const QComboBox* a, const QComboBox* b) {
                return a->mapTo(mainWindow_, QPoint()).x() < b->mapTo(mainWindow_, QPoint()).x();
            });
        if (rightmost == lists.end() || (*rightmost)->count() == 0)
            fail("the main window has no hour list");
        QComboBox& hours = **rightmost;
        hours.setCurrentIndex(static_cast<int>(castings_.size()) % hours.count());
    }

    void reportAndEnd() const
    {
        for (const Casting& casting : castings_)
            std::printf("%.3f %.3f %.3f %s\n", millisecondsBetween(casting.pressed, casting.shown),
                        millisecondsBetween(casting.pressed, casting.exposed),
                        millisecondsBetween(casting.pressed, casting.painted),
                        casting.title.constData());
        std::fflush(stdout);
        _exit(0);
    }

    const int castingsWanted_;
    QWidget* mainWindow_ = nullptr;
    QPointer<QWidget> omen_;
    Casting current_;
    bool paintNoted_ = false;
    QTimer watchdog_;
    std::vector<Casting> castings_;
};

void installPressProbe()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(new PressProbe(application));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installPressProbe)
