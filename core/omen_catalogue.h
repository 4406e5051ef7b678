#pragma once

#include "core/omen.h"

#include <array>
#include <string_view>

namespace core {

// The fixed texts of one omen. Line breaks are CR LF, and the trailing ones are
// part of the texts: they decide nothing on screen, but they are kept as written.
struct OmenEntry {
    Omen omen;
    std::string_view name;    // the omen window's title
    std::string_view heading; // the caption of the omen window's frame
    std::string_view verse;   // eight phrases on two lines, a blank line between them
};

// In the order of Omen, so that an omen's entry is found at its own place.
inline constexpr std::array<OmenEntry, omenCount> omenCatalogue{{
    {Omen::DaAn, "大安", "大安身不动时，属木青龙，谋事主一五七。\r\n\r\n",
     "大安事事昌，求谋在坤方，失物去不远，宅舍保安康，\r\n\r\n"
     "行人身未动，病者主无妨，将军回田野，仔细与推详。\r\n\r\n\r\n\r\n"},
    {Omen::LiuLian, "留连", "留连卒未归时，属水玄武，谋事主二八十。\r\n\r\n",
     "留连事难成，求谋日未明，官事只宜缓，去者未回程，\r\n\r\n"
     "失物南方见，急讨方称心，更需防口舌，人口且平平。\r\n\r\n\r\n\r\n\r\n"},
    {Omen::SuXi, "速喜", "速喜人便至时，属火朱雀，谋事主三六九。",
     "速喜喜来临，求财向南行，失物申未午，逢人路上寻，\r\n\r\n"
     "官事有福德，病者无祸侵，田家六畜吉，行人有信音。\r\n\r\n\r\n\r\n\r\n"},
    {Omen::ChiKou, "赤口", "赤口官事凶时，属金白虎，谋事四七十。\r\n\r\n",
     "赤口主口舌，官非切要防，失物急去寻，行人有惊慌，\r\n\r\n"
     "鸡犬多作怪，病者出西方，更需妨咒诅，恐怕染瘟癀。\r\n\r\n\r\n\r\n\r\n\r\n"},
    {Omen::XiaoJi, "小吉", "小吉人来喜时，属木六合，谋事主一五七。\r\n\r\n",
     "小吉最吉昌，路上好商量，阴人来报喜，失物在坤方，\r\n\r\n"
     "行人立便至，交关甚是强，凡事皆和合，病者祷上苍。\r\n\r\n\r\n"},
    {Omen::KongWang, "空亡", "空亡音信稀时，属土勾陈，谋事主一五七。\r\n\r\n",
     "空亡事不长，阴人小乖张，求财无利益，行人有灾殃，\r\n\r\n"
     "失物寻不见，官事有刑场，病人逢暗鬼，禳解保安康。\r\n\r\n\r\n"},
}};

constexpr const OmenEntry& omenEntry(Omen omen)
{
    return omenCatalogue[static_cast<std::size_t>(omen)];
}

static_assert(
    [] {
        for (std::size_t place = 0; place < omenCatalogue.size(); ++place)
            if (omenCatalogue[place].omen != static_cast<Omen>(place))
                return false;
        return true;
    }(),
    "every omen's entry stands at the omen's own place");

} // namespace core
