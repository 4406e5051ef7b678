#pragma once

#include "core/omen.h"

#include <cstdint>
#include <optional>

namespace core {

// What a list without a selected item contributes to a casting.
inline constexpr std::int32_t noSelection = -1;

// Adds the three lunar selection values, stores the sum as the casting sum and
// returns the omen of a recognised sum (1 to 54), or nothing for any other sum.
std::optional<Omen> castOmen(std::int32_t month, std::int32_t day, std::int32_t hour);

// The sum of the last casting; 0 before the first one.
std::int32_t castingSum();

} // namespace core
