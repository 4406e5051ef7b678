#include "app/frame.h"
#include "app/frame_window.h"
#include "window_test_support.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <array>

using namespace test_support;

namespace {

// What the handlers of the test windows saw; handlers are plain functions.
QStringList journal;

constexpr app::WindowDescription startWindow{.title = "起始", .width = 200, .height = 120};

void recordWillBeDestroyed(const app::Event& event)
{
    journal << QStringLiteral("will-be-destroyed");
    if (event.window.findChild<QLabel*>(QStringLiteral("标签1")))
        journal << QStringLiteral("controls still exist");
    if (const app::FrameWindow* start = event.frame.loadedWindow(startWindow); !start->isBlocked())
        journal << QStringLiteral("start window enabled");
}

constexpr std::array labelOnly{
    app::ControlDescription{.kind = app::ControlKind::Label,
                            .name = "标签1",
                            .geometry = {8, 8, 100, 20},
                            .text = "测试"},
};

constexpr std::array recordingBindings{
    app::EventBinding{{}, app::EventKind::WillBeDestroyed, &recordWillBeDestroyed},
};

constexpr app::WindowDescription recordingWindow{.title = "记录",
                                                 .width = 220,
                                                 .height = 130,
                                                 .controls = labelOnly,
                                                 .bindings = recordingBindings};

constexpr app::WindowDescription otherWindow{.title = "其他", .width = 180, .height = 100};

constexpr app::WindowDescription unbuildableWindow{.title = "坏", .width = 0, .height = 100};

} // namespace

class TestFrame : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { journal.clear(); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // The blocked windows take input again before the will-be-destroyed event,
    // and the modal wait ends only after the window has been destroyed.
    void closingRunsInOrder()
    {
        app::Frame frame;
        QVERIFY(frame.loadWindow(startWindow, false));
        app::FrameWindow* start = frame.loadedWindow(startWindow);

        QPointer<QWidget> modal;
        bool startBlockedInside = false;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            modal = &window;
            startBlockedInside = start->isBlocked();
            connect(&window, &QObject::destroyed, qApp,
                    [] { journal << QStringLiteral("destroyed"); });
            QVERIFY(!start->close());
            QVERIFY(frame.loadedWindow(startWindow));
            keyClick(window, Qt::Key_Escape);
        });
        QVERIFY(frame.loadWindow(recordingWindow, true));
        journal << QStringLiteral("modal wait over");

        QVERIFY(*ran);
        QVERIFY(startBlockedInside);
        QVERIFY(modal.isNull());
        QCOMPARE(journal, (QStringList{"will-be-destroyed", "controls still exist",
                                       "start window enabled", "destroyed", "modal wait over"}));
    }

    void anOwnedWindowIsParentedAndTheStartWindowIsNot()
    {
        app::Frame frame;
        QVERIFY(frame.loadWindow(startWindow, false));
        QCOMPARE(frame.loadedWindow(startWindow)->parentWidget(), nullptr);
        QWidget* owner = nullptr;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            owner = window.parentWidget();
            window.close();
        });
        frame.loadWindow(otherWindow, true);
        QVERIFY(*ran);
        QVERIFY(owner);
        QVERIFY(!owner->isVisible());
    }

    void loadingALoadedWindowActivatesTheSameInstance()
    {
        app::Frame frame;
        QVERIFY(frame.loadWindow(startWindow, false));
        app::FrameWindow* first = frame.loadedWindow(startWindow);
        QVERIFY(frame.loadWindow(otherWindow, false));
        QVERIFY(frame.loadWindow(startWindow, false));
        QCOMPARE(frame.loadedWindow(startWindow), first);
        QTRY_COMPARE(QApplication::activeWindow(), first);
    }

    void aWindowThatCannotBeCreatedLoadsNothing()
    {
        app::Frame frame;
        QVERIFY(frame.loadWindow(startWindow, false));
        QVERIFY(!frame.loadWindow(unbuildableWindow, true));
        QCOMPARE(frame.modalLoadCount(), 0u);
        QVERIFY(!frame.loadedWindow(startWindow)->isBlocked());
        QCOMPARE(QApplication::topLevelWidgets().size(), 2); // the start window and the owner
    }

    // Hidden windows are alive: closing the only visible window ends nothing
    // while a hidden one is loaded.
    void hiddenWindowsKeepTheProgramRunning()
    {
        app::Frame frame;
        bool runningAfterOtherClosed = false;
        QTimer::singleShot(0, qApp, [&] {
            frame.setWindowVisible(startWindow, false);
            frame.loadWindow(otherWindow, false);
            frame.loadedWindow(otherWindow)->close();
            QTimer::singleShot(50, qApp, [&] {
                runningAfterOtherClosed = !frame.loadedWindow(otherWindow);
                frame.setWindowVisible(startWindow, true);
                frame.loadedWindow(startWindow)->close();
            });
        });
        QCOMPARE(frame.run(startWindow), 0);
        QVERIFY(runningAfterOtherClosed);
        QVERIFY(!frame.loadedWindow(startWindow));
    }

    void showingAHiddenWindowKeepsItsPlace()
    {
        app::Frame frame;
        QVERIFY(frame.loadWindow(startWindow, false));
        app::FrameWindow* window = frame.loadedWindow(startWindow);
        window->move(window->pos() + QPoint(17, 11));
        const QPoint moved = window->frameGeometry().topLeft();
        frame.setWindowVisible(startWindow, false);
        QVERIFY(!window->isVisible());
        frame.setWindowVisible(startWindow, true);
        QVERIFY(window->isVisible());
        QCOMPARE(window->frameGeometry().topLeft(), moved);
    }

    void aStartWindowThatCannotBeCreatedIsReported()
    {
        app::Frame frame;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            auto& box = dynamic_cast<QMessageBox&>(window);
            text = box.text();
            icon = box.icon();
            buttons = static_cast<int>(box.buttons().size());
            box.button(QMessageBox::Ok)->click();
        });
        QCOMPARE(frame.run(unbuildableWindow), -1);
        QVERIFY(*ran);
        QCOMPARE(icon, QMessageBox::Critical);
        QVERIFY(!text.isEmpty());
        QCOMPARE(buttons, 1);
    }
};

QTEST_MAIN(TestFrame)
#include "test_frame.moc"
