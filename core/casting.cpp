#include "core/casting.h"

namespace core {
namespace {

// The one piece of state of the core. Only castOmen writes it.
std::int32_t lastCastingSum = 0;

constexpr std::int32_t lowestRecognisedSum = 1;
constexpr std::int32_t highestRecognisedSum = 54;

// The three values are added with two's-complement wrap-around, which is what
// adding them as doubles and keeping the low 32 bits of the truncated total gives.
constexpr std::int32_t wrappingSum(std::int32_t a, std::int32_t b, std::int32_t c)
{
    const auto total = static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b) +
                       static_cast<std::uint32_t>(c);
    return static_cast<std::int32_t>(total);
}

// Sum 3 (the first month, day and hour) lands on the first omen of the cycle, and
// every further unit moves one step along it.
constexpr Omen omenOfSum(std::int32_t sum)
{
    constexpr std::int32_t firstSumOfCycle = 3;
    const auto place = ((sum - firstSumOfCycle) % omenCount + omenCount) % omenCount;
    return static_cast<Omen>(place);
}

} // namespace

std::optional<Omen> castOmen(std::int32_t month, std::int32_t day, std::int32_t hour)
{
    lastCastingSum = wrappingSum(month, day, hour);
    if (lastCastingSum < lowestRecognisedSum || lastCastingSum > highestRecognisedSum)
        return std::nullopt;
    return omenOfSum(lastCastingSum);
}

std::int32_t castingSum()
{
    return lastCastingSum;
}

} // namespace core
