#include "core/casting.h"
#include "core/lunar_tables.h"

#include <QTest>
#include <array>
#include <limits>

using core::Omen;

Q_DECLARE_METATYPE(std::optional<Omen>)

namespace {

constexpr std::int32_t maxInt = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t minInt = std::numeric_limits<std::int32_t>::min();

// The count by residue, written the other way round from the casting itself:
// sum mod 6 straight to its omen.
constexpr std::array<Omen, 6> omenByResidue{Omen::ChiKou, Omen::XiaoJi,  Omen::KongWang,
                                            Omen::DaAn,   Omen::LiuLian, Omen::SuXi};

} // namespace

class TestCasting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sumIsZeroBeforeTheFirstCasting() { QCOMPARE(core::castingSum(), 0); }

    void castsFromValues_data()
    {
        QTest::addColumn<std::int32_t>("month");
        QTest::addColumn<std::int32_t>("day");
        QTest::addColumn<std::int32_t>("hour");
        QTest::addColumn<std::int32_t>("sum");
        QTest::addColumn<std::optional<Omen>>("omen");

        const auto row = [](const char* name, std::int32_t month, std::int32_t day,
                            std::int32_t hour, std::int32_t sum, std::optional<Omen> omen) {
            QTest::newRow(name) << month << day << hour << sum << omen;
        };
        row("first items: 3", 1, 1, 1, 3, Omen::DaAn);
        row("last items: 54", 12, 30, 12, 54, Omen::ChiKou);
        row("丑时: 4", 1, 1, 2, 4, Omen::LiuLian);
        row("寅时: 5", 1, 1, 3, 5, Omen::SuXi);
        row("卯时: 6", 1, 1, 4, 6, Omen::ChiKou);
        row("辰时: 7", 1, 1, 5, 7, Omen::XiaoJi);
        row("初二 辰时: 8", 1, 2, 5, 8, Omen::KongWang);
        row("no month: 1", -1, 1, 1, 1, Omen::XiaoJi);
        row("no month or day: -1", -1, -1, 1, -1, std::nullopt);
        row("no selection at all: -3", -1, -1, -1, -3, std::nullopt);
        row("zero", -1, 0, 1, 0, std::nullopt);
        row("2, the other unreachable sum", -1, -1, 4, 2, Omen::KongWang);
        row("55, one above the last", 12, 30, 13, 55, std::nullopt);
        row("overflow wraps to the lowest", maxInt, 1, 0, minInt, std::nullopt);
        row("overflow wraps to 2", maxInt, maxInt, 4, 2, Omen::KongWang);
        row("underflow wraps to 3", minInt, minInt, 3, 3, Omen::DaAn);
        row("all extremes", maxInt, minInt, maxInt, maxInt - 1, std::nullopt);
    }

    void castsFromValues()
    {
        QFETCH(std::int32_t, month);
        QFETCH(std::int32_t, day);
        QFETCH(std::int32_t, hour);
        QFETCH(std::int32_t, sum);
        QFETCH(std::optional<Omen>, omen);

        QCOMPARE(core::castOmen(month, day, hour), omen);
        QCOMPARE(core::castingSum(), sum);
    }

    void everyReachableCastingFollowsTheCycle()
    {
        for (const auto& month : core::monthTable)
            for (const auto& day : core::dayTable)
                for (const auto& hour : core::hourTable) {
                    const std::int32_t sum = month.value + day.value + hour.value;
                    QVERIFY(sum >= 3 && sum <= 54);
                    const auto omen = core::castOmen(month.value, day.value, hour.value);
                    QCOMPARE(core::castingSum(), sum);
                    QCOMPARE(omen, std::optional(omenByResidue[sum % 6]));
                }
    }

    void tablesCarryTheirPlaces()
    {
        const auto carriesPlaces = [](const auto& table) {
            for (std::size_t i = 0; i < table.size(); ++i)
                if (table[i].value != static_cast<std::int32_t>(i + 1))
                    return false;
            return true;
        };
        QVERIFY(carriesPlaces(core::monthTable));
        QVERIFY(carriesPlaces(core::dayTable));
        QVERIFY(carriesPlaces(core::hourTable));
        QCOMPARE(core::dayTable.size(), 30u);
        QCOMPARE(core::monthTable.back().text, "十二月");
        QCOMPARE(core::dayTable.back().text, "三十");
        QCOMPARE(core::hourTable.back().text, "亥时");
    }
};

QTEST_APPLESS_MAIN(TestCasting)
#include "test_casting.moc"
