#include "window_test_support.h"

#include "app/drop_down_list.h"
#include "app/frame.h"
#include "app/frame_window.h"
#include "core/casting.h"
#include "ui/description_window.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>

#include <memory>

using namespace test_support;

namespace {

constexpr app::WindowDescription unbuildableWindow{.title = "坏", .width = 0, .height = 100};

QAction& menuItem(QWidget& window, const char* text)
{
    return *window.findChild<QAction*>(QString::fromUtf8(text));
}

QList<int> selectionsOf(const QWidget& window)
{
    QList<int> selections;
    for (const char* name : {"组合框1", "组合框2", "组合框3"})
        selections << dropDownList(window, name).currentIndex();
    return selections;
}

} // namespace

class TestInformation : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::Frame> frame;
    app::FrameWindow* main = nullptr;

private Q_SLOTS:
    void init()
    {
        frame = std::make_unique<app::Frame>();
        QVERIFY(frame->loadWindow(ui::mainWindow, false));
        main = frame->loadedWindow(ui::mainWindow);
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    void cleanup()
    {
        frame.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    // The main window steps aside for the description window and comes back
    // where it was, as it was.
    void descriptionWindowStandsInForTheMainWindow()
    {
        dropDownList(*main, "组合框2").setCurrentIndex(6);
        main->move(main->pos() + QPoint(-60, 45));
        const QPoint mainPlace = main->frameGeometry().topLeft();
        const QList<int> selections = selectionsOf(*main);
        core::castOmen(1, 2, 3);

        QString title;
        QRect outer;
        QString frameCaption, text;
        bool mainHidden = false;
        bool ownedByInvisibleWindow = false;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            title = window.windowTitle();
            outer = window.frameGeometry();
            frameCaption = window.findChild<QGroupBox*>(QStringLiteral("分组框1"))->title();
            text = window.findChild<QLabel*>(QStringLiteral("标签1"))->text();
            mainHidden = !main->isVisible() && frame->loadedWindow(ui::mainWindow);
            ownedByInvisibleWindow = window.parentWidget() && !window.parentWidget()->isVisible();
            keyClick(window, Qt::Key_Escape);
        });
        menuItem(*main, "程序说明").trigger();
        QVERIFY(*ran);

        QVERIFY(title.isEmpty());
        QCOMPARE(outer.size(), QSize(380, 142));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(outer.topLeft(), QPoint((screen.width() - 380) / 2, (screen.height() - 142) / 2));
        QVERIFY(frameCaption.isEmpty());
        QVERIFY(mainHidden);
        QVERIFY(ownedByInvisibleWindow);

        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[0], QString(29, QLatin1Char(' ')) + QStringLiteral("说明"));
        QCOMPARE(lines[1], QString());
        QVERIFY(lines[2].startsWith(QStringLiteral(" 本程序是借用Orvane六壬时课内容。")));
        QVERIFY(lines[2].endsWith(QStringLiteral("需要选择的是农历的阴历时间。")));
        QCOMPARE(lines[3], QString(96, QLatin1Char(' ')) + QStringLiteral("2011年04月03日"));

        QVERIFY(main->isVisible());
        QVERIFY(!main->isBlocked());
        QCOMPARE(main->frameGeometry().topLeft(), mainPlace);
        QCOMPARE(selectionsOf(*main), selections);
        QCOMPARE(core::castingSum(), 6);
    }

    void introductionMessageShowsItsTextAndBlocksTheMainWindow()
    {
        QString caption, text;
        QMessageBox::Icon icon = QMessageBox::Critical;
        qsizetype buttons = 0;
        bool mainBlocked = false;
        const QList<int> selections = selectionsOf(*main);
        core::castOmen(2, 2, 2);
        const auto ran = duringNextModalWait([&](QWidget& window) {
            auto& box = dynamic_cast<QMessageBox&>(window);
            caption = box.windowTitle();
            text = box.text();
            icon = box.icon();
            buttons = box.buttons().size();
            mainBlocked = QGuiApplication::modalWindow() == box.windowHandle() &&
                          box.windowModality() == Qt::ApplicationModal && !box.parentWidget();
            keyClick(*main, Qt::Key_Escape); // the main window takes no input
            box.button(QMessageBox::Ok)->click();
        });
        menuItem(*main, "简单介绍").trigger();
        QVERIFY(*ran);

        QCOMPARE(caption, QStringLiteral("信息\uFF1A"));
        QCOMPARE(text,
                 QStringLiteral(
                     "阴历月辰要么29天要么是30天；时辰：(1)子时(23点～1点)；（2）丑时(1点－3点)；"
                     "(2)寅时(3点－5点)；(4)卯时(5点～7点)；（5）辰时(7点－9点)(6)巳时(9点～11点)；"
                     "(7)午时(1l点～13点)；(8)未时(13点－15点)；(9)申时(15点～17点)；"
                     "（10）酉时(17点－19点)；（11）戌时(19点～2l点)；（12）亥时(21点～24点）"));
        for (const QChar fullWidth :
             {u'\uFF1B', u'\uFF1A', u'\uFF5E', u'\uFF0D', u'\uFF08', u'\uFF09'})
            QVERIFY(text.contains(fullWidth));
        QCOMPARE(icon, QMessageBox::NoIcon);
        QCOMPARE(buttons, 1);
        QVERIFY(mainBlocked);
        QVERIFY(frame->loadedWindow(ui::mainWindow));
        QCOMPARE(selectionsOf(*main), selections);
        QCOMPARE(core::castingSum(), 6);
    }

    // The menu can still deliver a choice while the message is up (it was open when the message
    // came); the main window is blocked, so no second message opens over the first.
    void theMessageOpensOnlyOnce()
    {
        bool secondOpened = false;
        const auto ran = duringNextModalWait([&](QWidget& box) {
            duringNextModalWait([&](QWidget& other) {
                secondOpened = &other != &box;
                if (secondOpened)
                    dynamic_cast<QMessageBox&>(other).button(QMessageBox::Ok)->click();
            });
            menuItem(*main, "简单介绍").trigger();
            QCoreApplication::processEvents();
            dynamic_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
        });
        menuItem(*main, "简单介绍").trigger();
        QVERIFY(*ran);
        QVERIFY(!secondOpened);
    }

    void aWindowThatCannotStandInBringsTheHiddenOneBack()
    {
        ui::openWhileHidden(*frame, ui::mainWindow, unbuildableWindow);
        QVERIFY(main->isVisible());
    }

    // Hidden behind the description window, the main window keeps the program
    // running; the program ends only when the main window itself closes.
    void programRunsWhileTheMainWindowIsHidden()
    {
        frame = std::make_unique<app::Frame>();
        bool hiddenAndRunning = false;
        QTimer::singleShot(0, qApp, [&] {
            app::FrameWindow* started = frame->loadedWindow(ui::mainWindow);
            duringNextModalWait([&](QWidget& window) {
                QTest::qWait(50);
                hiddenAndRunning = !started->isVisible();
                keyClick(window, Qt::Key_Escape);
            });
            menuItem(*started, "程序说明").trigger();
            QTimer::singleShot(50, qApp, [started] { keyClick(*started, Qt::Key_Escape); });
        });
        QCOMPARE(frame->run(ui::mainWindow), 0);
        QVERIFY(hiddenAndRunning);
        QVERIFY(!frame->loadedWindow(ui::mainWindow));
    }

    // Each list is labelled by its label, which the screen reader reads with it
    // (a list's own name is its current item); labels and the button are
    // named by their texts.
    void screenReadersHearTheControlsNames()
    {
        const auto accessible = [&](const QString& control) {
            return QAccessible::queryAccessibleInterface(main->findChild<QWidget*>(control));
        };
        const QStringList labels{"月份", "日辰", "时辰"};
        for (int i = 0; i < 3; ++i) {
            QAccessibleInterface* list = accessible(QStringLiteral("组合框%1").arg(i + 1));
            QCOMPARE(list->role(), QAccessible::ComboBox);
            const auto labelledBy = list->relations(QAccessible::Label);
            QCOMPARE(labelledBy.size(), 1);
            QCOMPARE(labelledBy.first().first->text(QAccessible::Name), labels[i]);
            QCOMPARE(accessible(QStringLiteral("标签%1").arg(i + 1))->text(QAccessible::Name),
                     labels[i]);
        }
        QCOMPARE(accessible(QStringLiteral("按钮1"))->text(QAccessible::Name),
                 QStringLiteral("查询您需要预测的结果"));
        QCOMPARE(accessible(QStringLiteral("按钮1"))->role(), QAccessible::Button);
    }
};

QTEST_MAIN(TestInformation)
#include "test_information.moc"
