#pragma once

namespace core {

// The six omens in the order in which a casting counts them: the omen cycle.
enum class Omen { DaAn, LiuLian, SuXi, ChiKou, XiaoJi, KongWang };

inline constexpr int omenCount = 6;

} // namespace core
