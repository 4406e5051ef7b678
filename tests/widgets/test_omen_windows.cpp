#include "app/frame.h"
#include "app/frame_window.h"
#include "core/omen_catalogue.h"
#include "ui/omen_windows.h"
#include "window_test_support.h"

#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QScreen>

using namespace test_support;
using core::Omen;

Q_DECLARE_METATYPE(Omen)

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The rows of the image that hold a pixel of the colour, as runs [first, last].
QList<std::pair<int, int>> textBands(const QImage& image, QColor ink, QColor paper)
{
    QList<std::pair<int, int>> bands;
    for (int y = 0; y < image.height(); ++y) {
        bool inRow = false;
        for (int x = 0; x < image.width() && !inRow; ++x)
            inRow = isInk(image.pixelColor(x, y), ink, paper);
        if (!inRow)
            continue;
        if (!bands.isEmpty() && bands.last().second == y - 1)
            bands.last().second = y;
        else
            bands.append({y, y});
    }
    return bands;
}

} // namespace

class TestOmenWindows : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void showsTheOmenInItsWindow_data()
    {
        QTest::addColumn<Omen>("omen");
        QTest::addColumn<QSize>("outerSize");
        QTest::newRow("大安") << Omen::DaAn << QSize(383, 174);
        QTest::newRow("留连") << Omen::LiuLian << QSize(382, 174);
        QTest::newRow("速喜") << Omen::SuXi << QSize(383, 175);
        QTest::newRow("赤口") << Omen::ChiKou << QSize(382, 176);
        QTest::newRow("小吉") << Omen::XiaoJi << QSize(382, 175);
        QTest::newRow("空亡") << Omen::KongWang << QSize(383, 175);
    }

    void showsTheOmenInItsWindow()
    {
        QFETCH(Omen, omen);
        QFETCH(QSize, outerSize);
        const core::OmenEntry& entry = core::omenEntry(omen);
        app::Frame frame;

        QString title, caption, verse, verseFamily;
        QRect outer;
        QImage verseImage;
        QColor paper;
        bool anythingFocusable = true;
        const auto ran = duringNextModalWait([&](QWidget& window) {
            title = window.windowTitle();
            outer = window.frameGeometry();
            const auto* group = window.findChild<QGroupBox*>(QStringLiteral("分组框1"));
            auto* label = window.findChild<QLabel*>(QStringLiteral("标签1"));
            caption = group->title();
            verse = label->text();
            verseFamily = QFontInfo(label->font()).family();
            verseImage = imageOf(*label);
            paper = label->palette().color(QPalette::Window);
            anythingFocusable = window.focusWidget() != nullptr;
            keyClick(window, Qt::Key_Escape);
        });
        ui::openOmenWindow(frame, omen);
        QVERIFY(*ran);
        QVERIFY(!frame.loadedWindow(ui::omenWindow(omen)));

        QCOMPARE(title, qs(entry.name));
        QCOMPARE(outer.size(), outerSize);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        QCOMPARE(outer.topLeft(), QPoint((screen.width() - outerSize.width()) / 2,
                                         (screen.height() - outerSize.height()) / 2));
        QCOMPARE(caption, qs(entry.heading).replace("\r\n", "\n"));
        QCOMPARE(verse, qs(entry.verse).replace("\r\n", "\n"));
        QVERIFY2(verseFamily.contains(QLatin1String("UMing")), qPrintable(verseFamily));
        QVERIFY(!anythingFocusable);

        // Three lines: the first, a blank one and the second, all inside the
        // label; the white copy of each lies one pixel up and to the left.
        const QColor purple(128, 0, 128);
        const auto bands = textBands(verseImage, purple, paper);
        QCOMPARE(bands.size(), 2);
        QVERIFY(bands.last().second < verseImage.height() - 1);
        QVERIFY(bands.first().second < bands.last().first);
        const QRect purpleBounds = inkBounds(verseImage, purple, paper);
        QVERIFY(isRaisedCopy(inkBounds(verseImage, Qt::white, paper), purpleBounds));
        QVERIFY2(qAbs(purpleBounds.left() - (verseImage.width() - 1 - purpleBounds.right())) <= 2,
                 "the lines are centred");
    }

    void aMovedWindowOpensCentredAgain()
    {
        QPoint firstPlace;
        app::Frame frame;
        auto ran = duringNextModalWait([&](QWidget& window) {
            firstPlace = window.frameGeometry().topLeft();
            window.move(window.pos() + QPoint(40, 30));
            keyClick(window, Qt::Key_Escape);
        });
        ui::openOmenWindow(frame, Omen::SuXi);
        QVERIFY(*ran);

        QPoint secondPlace;
        ran = duringNextModalWait([&](QWidget& window) {
            secondPlace = window.frameGeometry().topLeft();
            window.close();
        });
        ui::openOmenWindow(frame, Omen::SuXi);
        QVERIFY(*ran);
        QCOMPARE(secondPlace, firstPlace);
    }
};

QTEST_MAIN(TestOmenWindows)
#include "test_omen_windows.moc"
