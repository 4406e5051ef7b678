#include "app/drop_down_list.h"
#include "app/flat_button.h"
#include "app/frame.h"
#include "app/frame_window.h"
#include "core/casting.h"
#include "core/lunar_tables.h"
#include "ui/main_window.h"
#include "window_test_support.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <memory>

using namespace test_support;

class TestMainWindow : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<app::Frame> frame;
    app::FrameWindow* main = nullptr;

    app::DropDownList& list(const char* name) const { return dropDownList(*main, name); }
    app::DropDownList& monthList() const { return list("组合框1"); }
    app::DropDownList& dayList() const { return list("组合框2"); }
    app::DropDownList& hourList() const { return list("组合框3"); }
    app::FlatButton& queryButton() const { return *main->findChild<app::FlatButton*>(); }
    bool mainIsLoaded() const { return frame->loadedWindow(ui::mainWindow) != nullptr; }

    QList<int> selections() const
    {
        return {monthList().currentIndex(), dayList().currentIndex(), hourList().currentIndex()};
    }

private Q_SLOTS:
    void init()
    {
        frame = std::make_unique<app::Frame>();
        QVERIFY(frame->loadWindow(ui::mainWindow, false));
        main = frame->loadedWindow(ui::mainWindow);
        QVERIFY(main);
        QVERIFY(QTest::qWaitForWindowActive(main));
    }

    void cleanup()
    {
        frame.reset();
        QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void startsCentredWithFirstItemsAndFocusInMonthList()
    {
        QCOMPARE(main->windowTitle(), QStringLiteral("Orvane六壬预测"));
        QCOMPARE(main->frameGeometry().size(), QSize(268, 169));
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(main->frameGeometry().topLeft(),
                 QPoint((screen.width() - 268) / 2, (screen.height() - 169) / 2));

        const auto holdsTable = [](const app::DropDownList& list, const auto& table) {
            if (list.count() != static_cast<int>(table.size()) || list.isEditable())
                return false;
            for (int i = 0; i < list.count(); ++i)
                if (list.itemText(i) != QString::fromUtf8(table[i].text.data()) ||
                    list.itemData(i).toInt() != table[i].value)
                    return false;
            return true;
        };
        QVERIFY(holdsTable(monthList(), core::monthTable));
        QVERIFY(holdsTable(dayList(), core::dayTable));
        QVERIFY(holdsTable(hourList(), core::hourTable));
        QCOMPARE(monthList().currentText(), QStringLiteral("正月"));
        QCOMPARE(dayList().currentText(), QStringLiteral("初一"));
        QCOMPARE(hourList().currentText(), QStringLiteral("子时"));
        QCOMPARE(QApplication::focusWidget(), &monthList());

        const QMenu* menu = main->findChild<QMenuBar*>()->actions().constFirst()->menu();
        QCOMPARE(menu->title(), QStringLiteral("菜单"));
        QCOMPARE(menu->actions().size(), 2);
        QCOMPARE(menu->actions().at(0)->text(), QStringLiteral("程序说明"));
        QCOMPARE(menu->actions().at(1)->text(), QStringLiteral("简单介绍"));
    }

    void labelsStandUnderTheirListsInRaisedBlue()
    {
        const QStringList texts{"月份", "日辰", "时辰"};
        const QList<app::DropDownList*> lists{&monthList(), &dayList(), &hourList()};
        const QColor paper = main->palette().color(QPalette::Window);
        for (int i = 0; i < 3; ++i) {
            const auto* label = main->findChild<QLabel*>(QStringLiteral("标签%1").arg(i + 1));
            QVERIFY(label);
            QCOMPARE(label->text(), texts[i]);
            QCOMPARE(label->x(), lists[i]->x());
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
            const QImage image = imageOf(*const_cast<QLabel*>(label));
            QVERIFY(isRaisedCopy(inkBounds(image, Qt::white, paper),
                                 inkBounds(image, Qt::blue, paper)));
        }
    }

    void pressCastsAndOpensTheOmenWindowBeforeTheRelease_data()
    {
        QTest::addColumn<QList<int>>("choice");
        QTest::addColumn<int>("sum");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("outerSize");

        QTest::newRow("正月 初一 子时") << QList{0, 0, 0} << 3 << "大安" << QSize(383, 174);
        QTest::newRow("正月 初一 丑时") << QList{0, 0, 1} << 4 << "留连" << QSize(382, 174);
        QTest::newRow("正月 初一 寅时") << QList{0, 0, 2} << 5 << "速喜" << QSize(383, 175);
        QTest::newRow("正月 初一 卯时") << QList{0, 0, 3} << 6 << "赤口" << QSize(382, 176);
        QTest::newRow("正月 初一 辰时") << QList{0, 0, 4} << 7 << "小吉" << QSize(382, 175);
        QTest::newRow("正月 初二 辰时") << QList{0, 1, 4} << 8 << "空亡" << QSize(383, 175);
        QTest::newRow("十二月 三十 亥时") << QList{11, 29, 11} << 54 << "赤口" << QSize(382, 176);
    }

    void pressCastsAndOpensTheOmenWindowBeforeTheRelease()
    {
        QFETCH(QList<int>, choice);
        QFETCH(int, sum);
        QFETCH(QString, title);
        QFETCH(QSize, outerSize);

        monthList().setCurrentIndex(choice[0]);
        dayList().setCurrentIndex(choice[1]);
        hourList().setCurrentIndex(choice[2]);
        QSignalSpy pressed(&queryButton(), &QAbstractButton::pressed);
        QSignalSpy clicked(&queryButton(), &QAbstractButton::clicked);

        QString seenTitle;
        QRect seenFrame;
        bool mainBlocked = false;
        bool listsLookEnabled = false;
        const auto ran = duringNextModalWait([&](QWidget& omen) {
            seenTitle = omen.windowTitle();
            seenFrame = omen.frameGeometry();
            mainBlocked = main->isBlocked();
            listsLookEnabled = monthList().isEnabled() && queryButton().isEnabled();
            keyClick(omen, Qt::Key_Escape);
        });
        pressOn(queryButton());
        QVERIFY(*ran);

        QCOMPARE(seenTitle, title);
        QCOMPARE(seenFrame.size(), outerSize);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(seenFrame.topLeft(), QPoint((screen.width() - outerSize.width()) / 2,
                                             (screen.height() - outerSize.height()) / 2));
        QVERIFY(mainBlocked);
        QVERIFY(listsLookEnabled);
        QCOMPARE(core::castingSum(), sum);

        // The press that opened the window never reaches the button, and the
        // release that follows completes nothing.
        releaseOn(queryButton());
        QVERIFY(!queryButton().isDown());
        QCOMPARE(pressed.size(), 0);
        QCOMPARE(clicked.size(), 0);
        QCOMPARE(selections(), choice);
        QVERIFY(!main->isBlocked());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    void mainWindowTakesNoInputWhileAnOmenWindowIsOpen()
    {
        unsigned modalLoadsInside = 0;
        bool stillLoaded = false;
        const auto ran = duringNextModalWait([&](QWidget& omen) {
            const unsigned before = frame->modalLoadCount();
            keyClick(*main, Qt::Key_Down);
            keyClick(*main, Qt::Key_Escape);
            main->close();
            pressOn(queryButton());
            pressOn(monthList());
            modalLoadsInside = frame->modalLoadCount() - before;
            stillLoaded = mainIsLoaded() && main->isVisible();
            keyClick(omen, Qt::Key_Escape);
        });
        pressOn(queryButton());
        QVERIFY(*ran);
        QCOMPARE(modalLoadsInside, 0u);
        QVERIFY(stillLoaded);
        QCOMPARE(selections(), (QList{0, 0, 0}));
        QVERIFY(!monthList().view()->isVisible());

        // Once it is closed, the main window takes input again.
        monthList().setFocus();
        keyClick(*main, Qt::Key_Down);
        QCOMPARE(monthList().currentText(), QStringLiteral("二月"));
    }

    // A press that was already on its way when a close request came: the main window is closing,
    // so nothing may be cast under it.
    void aPressReachingTheClosingMainWindowCastsNothing()
    {
        core::castOmen(2, 2, 2);
        const unsigned modalLoadsBefore = frame->modalLoadCount();
        const auto opened =
            duringNextModalWait([](QWidget& omen) { keyClick(omen, Qt::Key_Escape); });
        QPointer<app::FlatButton> button = &queryButton();
        main->close();
        QVERIFY(!mainIsLoaded());
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5),
                          button->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(button, &press);
        QCoreApplication::processEvents();

        QVERIFY(!*opened);
        QCOMPARE(frame->modalLoadCount(), modalLoadsBefore);
        QCOMPARE(core::castingSum(), 6);
    }

    void nothingButAPressOnTheButtonCasts()
    {
        const unsigned before = frame->modalLoadCount();
        QTest::mouseClick(main->windowHandle(), Qt::RightButton, {}, inWindow(queryButton()));
        keyClick(*main, Qt::Key_Down); // a changed list selection
        keyClick(*main, Qt::Key_Tab);
        keyClick(*main, Qt::Key_Tab);
        keyClick(*main, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), &queryButton());
        keyClick(*main, Qt::Key_Space);
        keyClick(*main, Qt::Key_Return);
        keyClick(*main, Qt::Key_Enter);
        QCOMPARE(frame->modalLoadCount(), before);
        const auto topLevels = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(topLevels.begin(), topLevels.end(),
                               [](const QWidget* w) { return w->isVisible(); }),
                 1);
    }

    void escClosesTheMainWindowButShiftEscDoesNot_data()
    {
        QTest::addColumn<QString>("focused");
        QTest::newRow("month list") << "组合框1";
        QTest::newRow("hour list") << "组合框3";
        QTest::newRow("query button") << "按钮1";
    }

    void escClosesTheMainWindowButShiftEscDoesNot()
    {
        QFETCH(QString, focused);
        main->findChild<QWidget*>(focused)->setFocus();
        for (const auto modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
            keyClick(*main, Qt::Key_Escape, modifier);
            QTest::qWait(1);
            QVERIFY2(mainIsLoaded(), "a modified Esc must not close the window");
        }
        keyClick(*main, Qt::Key_Escape);
        QTRY_VERIFY(!mainIsLoaded());
    }

    void escInAnOpenedListClosesOnlyTheList()
    {
        monthList().showPopup();
        QWidget* popup = monthList().view()->window();
        QTRY_VERIFY(popup->isVisible());
        keyClick(*popup, Qt::Key_Escape);
        QTRY_VERIFY(!popup->isVisible());
        QTest::qWait(1);
        QVERIFY(mainIsLoaded());
    }

    // 160 pixels from the top of the closed list to the bottom of the opened
    // one, in whole rows, with a scroll bar for the items that don't fit.
    void listsDropDownBelowThemselves()
    {
        for (app::DropDownList* list : {&monthList(), &dayList()}) {
            list->showPopup();
            QWidget* popup = list->view()->window();
            QTRY_VERIFY(popup->isVisible());
            const int top = list->mapToGlobal(QPoint(0, 0)).y();
            const int itemHeight = list->view()->sizeHintForRow(0);
            QVERIFY(qAbs(popup->geometry().top() - (top + list->height())) <= 1);
            QVERIFY(popup->geometry().bottom() + 1 - top <= 160);
            QVERIFY(popup->geometry().bottom() + 1 - top > 160 - itemHeight);
            QVERIFY(list->view()->verticalScrollBar()->isVisible());
            list->hidePopup();
            QTRY_VERIFY(!popup->isVisible());
        }
    }

    void focusMovesThroughTheListsAndTheButton()
    {
        const QList<QWidget*> order{&monthList(), &dayList(), &hourList(), &queryButton()};
        for (int step = 1; step <= 4; ++step) {
            keyClick(*main, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), order[step % 4]);
        }
        for (int step = 3; step >= 0; --step) {
            keyClick(*main, Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), order[step]);
        }
    }

    void queryButtonDrawsItsStates()
    {
        app::FlatButton& button = queryButton();
        QCOMPARE(QFontInfo(button.font()).pixelSize(), 13);
        QVERIFY2(QFontInfo(button.font()).family().contains(QLatin1String("UMing")),
                 qPrintable(QFontInfo(button.font()).family()));

        const QColor face(0xEC, 0xE9, 0xD8), hotFace(0xFF, 0xFC, 0xEB);
        const QColor normalCaption(0x90, 0x00, 0xFF), focusCaption(0x00, 0x00, 0xFF),
            hotCaption(0x00, 0x80, 0x00);

        // A smoothed pixel is its ink laid thinly over the paper; every inked
        // pixel votes for the caption colour that explains it best.
        const auto captionIs = [&](const QImage& image, QColor paper, QColor expected) {
            const QList<QColor> captions{normalCaption, focusCaption, hotCaption};
            QList<int> votes(captions.size(), 0);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    if (colourDistance(pixel, paper) < 48)
                        continue;
                    const auto best =
                        std::min_element(captions.begin(), captions.end(), [&](QColor a, QColor b) {
                            return blendResidual(pixel, a, paper) < blendResidual(pixel, b, paper);
                        });
                    ++votes[best - captions.begin()];
                }
            return captions[std::max_element(votes.begin(), votes.end()) - votes.begin()] ==
                   expected;
        };

        QImage image = imageOf(button);
        QCOMPARE(image.pixelColor(0, 0), face);
        QVERIFY(captionIs(image, face, normalCaption));

        button.setFocus();
        QCOMPARE(QApplication::focusWidget(), &button);
        image = imageOf(button);
        QVERIFY(captionIs(image, face, focusCaption));

        QTest::mouseMove(main->windowHandle(), inWindow(monthList()));
        QTest::mouseMove(main->windowHandle(), inWindow(button));
        QTRY_VERIFY(button.isHot());
        const QImage hot = imageOf(button);
        QCOMPARE(hot.pixelColor(button.width() / 2, 0), QColor(Qt::black));
        QCOMPARE(hot.pixelColor(button.width() / 2, button.height() - 1), QColor(Qt::black));
        QVERIFY2(hot.pixelColor(0, 0) != QColor(Qt::black), "the corners are rounded");
        QCOMPARE(hot.pixelColor(4, button.height() / 2), hotFace);
        QVERIFY(captionIs(hot, hotFace, hotCaption));

        button.setDown(true);
        const QImage down = imageOf(button);
        QVERIFY(captionIs(down, hotFace, hotCaption));
        const QRect inside = button.rect().adjusted(2, 2, -2, -2);
        QCOMPARE(inkBounds(down.copy(inside), hotCaption, hotFace),
                 inkBounds(hot.copy(inside), hotCaption, hotFace).translated(1, 1));
        button.setDown(false);

        QTest::mouseMove(main->windowHandle(), inWindow(monthList()));
        QTRY_VERIFY(!button.isHot());
    }

    void mouseArrivingWithTheButtonHeldDoesNotLightTheButton()
    {
        auto* label = main->findChild<QLabel*>(QStringLiteral("标签1"));
        QTest::mousePress(main->windowHandle(), Qt::LeftButton, {}, inWindow(*label));
        QTest::mouseMove(main->windowHandle(), inWindow(queryButton()));
        QTest::qWait(1);
        QVERIFY(!queryButton().isHot());
        QTest::mouseRelease(main->windowHandle(), Qt::LeftButton, {}, inWindow(queryButton()));
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
