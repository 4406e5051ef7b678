#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace core {

// One item of a lunar list: the text it shows and the value it adds to a casting.
struct LunarItem {
    std::string_view text;
    std::int32_t value;
};

// Every item carries its 1-based place in its table.
inline constexpr std::array<LunarItem, 12> monthTable{{
    {"正月", 1},
    {"二月", 2},
    {"三月", 3},
    {"四月", 4},
    {"五月", 5},
    {"六月", 6},
    {"七月", 7},
    {"八月", 8},
    {"九月", 9},
    {"十月", 10},
    {"十一月", 11},
    {"十二月", 12},
}};

// Always thirty days: whether the lunar month really has 29 or 30 plays no part.
inline constexpr std::array<LunarItem, 30> dayTable{{
    {"初一", 1},    {"初二", 2},    {"初三", 3},    {"初四", 4},    {"初五", 5},    {"初六", 6},
    {"初七", 7},    {"初八", 8},    {"初九", 9},    {"初十", 10},   {"十一", 11},   {"十二", 12},
    {"十三", 13},   {"十四", 14},   {"十五", 15},   {"十六", 16},   {"十七", 17},   {"十八", 18},
    {"十九", 19},   {"二十", 20},   {"二十一", 21}, {"二十二", 22}, {"二十三", 23}, {"二十四", 24},
    {"二十五", 25}, {"二十六", 26}, {"二十七", 27}, {"二十八", 28}, {"二十九", 29}, {"三十", 30},
}};

// The twelve two-hour periods, starting at midnight.
inline constexpr std::array<LunarItem, 12> hourTable{{
    {"子时", 1},
    {"丑时", 2},
    {"寅时", 3},
    {"卯时", 4},
    {"辰时", 5},
    {"巳时", 6},
    {"午时", 7},
    {"未时", 8},
    {"申时", 9},
    {"酉时", 10},
    {"戌时", 11},
    {"亥时", 12},
}};

} // namespace core
