#include "core/omen_catalogue.h"

#include <QTest>
#include <string>

using core::Omen;

Q_DECLARE_METATYPE(Omen)

namespace {

constexpr std::string_view crlf = "\r\n";

int trailingLineBreaks(std::string_view text)
{
    int count = 0;
    while (text.ends_with(crlf)) {
        text.remove_suffix(crlf.size());
        ++count;
    }
    return count;
}

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class TestOmenCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void entriesHoldTheirTexts_data()
    {
        QTest::addColumn<Omen>("omen");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<QString>("secondLine");
        QTest::addColumn<int>("headingBreaks");
        QTest::addColumn<int>("verseBreaks");

        QTest::newRow("DaAn") << Omen::DaAn << "大安"
                              << "大安身不动时，属木青龙，谋事主一五七。"
                              << "大安事事昌，求谋在坤方，失物去不远，宅舍保安康，"
                              << "行人身未动，病者主无妨，将军回田野，仔细与推详。" << 2 << 4;
        QTest::newRow("LiuLian") << Omen::LiuLian << "留连"
                                 << "留连卒未归时，属水玄武，谋事主二八十。"
                                 << "留连事难成，求谋日未明，官事只宜缓，去者未回程，"
                                 << "失物南方见，急讨方称心，更需防口舌，人口且平平。" << 2 << 5;
        QTest::newRow("SuXi") << Omen::SuXi << "速喜"
                              << "速喜人便至时，属火朱雀，谋事主三六九。"
                              << "速喜喜来临，求财向南行，失物申未午，逢人路上寻，"
                              << "官事有福德，病者无祸侵，田家六畜吉，行人有信音。" << 0 << 5;
        QTest::newRow("ChiKou") << Omen::ChiKou << "赤口"
                                << "赤口官事凶时，属金白虎，谋事四七十。"
                                << "赤口主口舌，官非切要防，失物急去寻，行人有惊慌，"
                                << "鸡犬多作怪，病者出西方，更需妨咒诅，恐怕染瘟癀。" << 2 << 6;
        QTest::newRow("XiaoJi") << Omen::XiaoJi << "小吉"
                                << "小吉人来喜时，属木六合，谋事主一五七。"
                                << "小吉最吉昌，路上好商量，阴人来报喜，失物在坤方，"
                                << "行人立便至，交关甚是强，凡事皆和合，病者祷上苍。" << 2 << 3;
        QTest::newRow("KongWang") << Omen::KongWang << "空亡"
                                  << "空亡音信稀时，属土勾陈，谋事主一五七。"
                                  << "空亡事不长，阴人小乖张，求财无利益，行人有灾殃，"
                                  << "失物寻不见，官事有刑场，病人逢暗鬼，禳解保安康。" << 2 << 3;
    }

    void entriesHoldTheirTexts()
    {
        QFETCH(Omen, omen);
        QFETCH(QString, name);
        QFETCH(QString, heading);
        QFETCH(QString, firstLine);
        QFETCH(QString, secondLine);
        QFETCH(int, headingBreaks);
        QFETCH(int, verseBreaks);

        const core::OmenEntry& entry = core::omenEntry(omen);
        QCOMPARE(entry.omen, omen);
        QCOMPARE(qs(entry.name), name);
        QCOMPARE(qs(entry.heading), heading + QString("\r\n").repeated(headingBreaks));
        QCOMPARE(qs(entry.verse),
                 firstLine + "\r\n\r\n" + secondLine + QString("\r\n").repeated(verseBreaks));
        QCOMPARE(trailingLineBreaks(entry.heading), headingBreaks);
        QCOMPARE(trailingLineBreaks(entry.verse), verseBreaks);
    }

    // Eight five-character phrases: a full-width comma after each but the last,
    // which ends in a full-width full stop.
    void versesAreEightPhrasesOfFive()
    {
        for (const core::OmenEntry& entry : core::omenCatalogue) {
            QString verse = qs(entry.verse).trimmed();
            verse.remove(QStringLiteral("\r\n"));
            QCOMPARE(verse.size(), 8 * 6);
            for (int phrase = 0; phrase < 8; ++phrase)
                QCOMPARE(verse.at(phrase * 6 + 5), phrase < 7 ? QChar(u'，') : QChar(u'。'));
        }
    }
};

QTEST_APPLESS_MAIN(TestOmenCatalogue)
#include "test_omen_catalogue.moc"
