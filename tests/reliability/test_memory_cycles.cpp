#include "app/drop_down_list.h"
#include "app/flat_button.h"
#include "app/frame.h"
#include "app/frame_window.h"
#include "core/omen_catalogue.h"
#include "ui/description_window.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAction>
#include <QFile>
#include <QSet>

#include <memory>

using namespace test_support;

namespace {

// Caches that fill once (font engines and glyphs of the Song face, the style's
// pixmaps, the platform's atoms and cursors, lazily loaded plugins) are full
// well before this: every omen window has been shown eight times by then.
constexpr int warmUpCycles = 50;
constexpr int omenCycles = 1000;
constexpr int descriptionCycles = 200;
// Growth after the warm-up, over 950 (or 150) cycles: a leak of a few hundred
// bytes a cycle already crosses it.
constexpr long allowedGrowthKiB = 512;

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLong();
    return -1;
}

// Handles what the cycles left queued, deferred deletions included: the test
// functions run outside every event loop, where only an explicit request runs
// the deletions posted at this level.
void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

struct Footprint {
    long residentKiB;
    qsizetype widgets;
};

Footprint footprint()
{
    settle();
    return {residentKiB(), QApplication::allWidgets().size()};
}

void report(const char* what, int cycles, const Footprint& baseline, const Footprint& end)
{
    qInfo("%s: RSS %ld KiB after %d cycles, %ld KiB after %d, growth %ld KiB; widgets %lld, %lld",
          what, baseline.residentKiB, warmUpCycles, end.residentKiB, cycles,
          end.residentKiB - baseline.residentKiB, static_cast<long long>(baseline.widgets),
          static_cast<long long>(end.widgets));
}

// The offscreen platform warns about every window it shows; a thousand windows
// would fill the log with that and bury the figures.
QtMessageHandler nextHandler = nullptr;

void dropPlatformNotices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    nextHandler(type, context, message);
}

// Notes the first time its window paints itself: by then the window has all
// that showing it costs, its backing store included.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget& window)
        : QObject(&window)
    {
        window.installEventFilter(this);
    }
    bool painted() const { return painted_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        painted_ = painted_ || event->type() == QEvent::Paint;
        return false;
    }

private:
    bool painted_ = false;
};

// A user sees the window before closing it.
bool waitUntilPainted(QWidget& window)
{
    const auto* watch = new PaintWatch(window);
    window.update();
    return QTest::qWaitFor([watch] { return watch->painted(); });
}

} // namespace

// Opens and closes the program's windows many times in one process, the way a
// user does, and checks that its memory stays where it was after the first ones.
class TestMemoryCycles : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::Frame> frame;
    app::FrameWindow* main = nullptr;

    app::DropDownList& list(const char* name) const { return dropDownList(*main, name); }

    // Consecutive cycles give consecutive sums, so the six omens take turns.
    void chooseForCycle(int cycle)
    {
        list("组合框3").setCurrentIndex(cycle % 12);
        list("组合框2").setCurrentIndex(cycle / 12 % 30);
        list("组合框1").setCurrentIndex(cycle / 360 % 12);
    }

    // One press on the query button; the omen window it opens is closed from
    // inside its modal wait, by Esc or, every other time, by a close request.
    // Returns the title of the window that came up, or nothing.
    QString castAndClose(int cycle)
    {
        QString title;
        const auto ran = duringNextModalWait([&](QWidget& omen) {
            if (waitUntilPainted(omen))
                title = omen.windowTitle();
            if (cycle % 2 == 0)
                keyClick(omen, Qt::Key_Escape);
            else
                omen.windowHandle()->close();
        });
        auto& button = *main->findChild<app::FlatButton*>();
        pressOn(button);
        releaseOn(button);
        return *ran ? title : QString();
    }

    bool describeAndClose()
    {
        bool painted = false;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            painted = waitUntilPainted(window);
            keyClick(window, Qt::Key_Escape);
        });
        main->findChild<QAction*>(QStringLiteral("程序说明"))->trigger();
        return *ran && painted && main->isVisible() && !frame->loadedWindow(ui::descriptionWindow);
    }

private Q_SLOTS:
    void initTestCase()
    {
        nextHandler = qInstallMessageHandler(dropPlatformNotices);
        frame = std::make_unique<app::Frame>();
        QVERIFY(frame->loadWindow(ui::mainWindow, false));
        main = frame->loadedWindow(ui::mainWindow);
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    void cleanupTestCase()
    {
        frame.reset();
        qInstallMessageHandler(nextHandler);
    }

    void omenWindowsDoNotGrowMemory()
    {
        QSet<QString> titles;
        Footprint baseline{};
        for (int cycle = 0; cycle < omenCycles; ++cycle) {
            if (cycle == warmUpCycles)
                baseline = footprint();
            chooseForCycle(cycle);
            const QString title = castAndClose(cycle);
            QVERIFY2(!title.isEmpty(),
                     qPrintable(QStringLiteral("no omen window was shown in cycle %1").arg(cycle)));
            titles.insert(title);
        }
        const Footprint end = footprint();
        report("omen windows", omenCycles, baseline, end);

        QVERIFY(baseline.residentKiB > 0 && end.residentKiB > 0);
        QCOMPARE(titles.size(), qsizetype{core::omenCount});
        QCOMPARE(end.widgets, baseline.widgets);
        QVERIFY(!main->isBlocked());
        QVERIFY2(end.residentKiB - baseline.residentKiB < allowedGrowthKiB,
                 "resident memory grew by 512 KiB or more");
    }

    void descriptionWindowDoesNotGrowMemory()
    {
        Footprint baseline{};
        for (int cycle = 0; cycle < descriptionCycles; ++cycle) {
            if (cycle == warmUpCycles)
                baseline = footprint();
            QVERIFY2(
                describeAndClose(),
                qPrintable(QStringLiteral("the description window failed in cycle %1").arg(cycle)));
        }
        const Footprint end = footprint();
        report("description window", descriptionCycles, baseline, end);

        QVERIFY(baseline.residentKiB > 0 && end.residentKiB > 0);
        QCOMPARE(end.widgets, baseline.widgets);
        QVERIFY2(end.residentKiB - baseline.residentKiB < allowedGrowthKiB,
                 "resident memory grew by 512 KiB or more");
    }
};

QTEST_MAIN(TestMemoryCycles)
#include "test_memory_cycles.moc"
