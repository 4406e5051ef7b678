#include "ui/omen_windows.h"

#include "app/frame.h"
#include "core/omen_catalogue.h"
#include "ui/look.h"

#include <array>

namespace ui {
namespace {

using core::Omen;

struct OuterSize {
    int width;
    int height;
};

// The six windows share one layout; only their outer sizes differ a little.
// In the order of Omen.
constexpr std::array<OuterSize, core::omenCount> outerSizes{{
    {383, 174}, // DaAn
    {382, 174}, // LiuLian
    {383, 175}, // SuXi
    {382, 176}, // ChiKou
    {382, 175}, // XiaoJi
    {383, 175}, // KongWang
}};

constexpr std::string_view frameName = "分组框1";

template <Omen omen>
constexpr std::array controls{
    app::ControlDescription{.kind = app::ControlKind::GroupBox,
                            .name = frameName,
                            .geometry = {8, 0, 360, 136},
                            .text = core::omenEntry(omen).heading,
                            .textColour = look::red},
    app::ControlDescription{.kind = app::ControlKind::Label,
                            .name = "标签1",
                            .geometry = {8, 48, 344, 40},
                            .text = core::omenEntry(omen).verse,
                            .container = frameName,
                            .font = look::songTi13,
                            .textColour = look::purple,
                            .look = app::TextLook::Raised,
                            .horizontalAlignment = app::HorizontalAlignment::Centre,
                            .wordWrap = true},
};

template <Omen omen>
constexpr app::WindowDescription description{
    .title = core::omenEntry(omen).name,
    .width = outerSizes[static_cast<std::size_t>(omen)].width,
    .height = outerSizes[static_cast<std::size_t>(omen)].height,
    .controls = controls<omen>,
};

constexpr std::array<const app::WindowDescription*, core::omenCount> descriptions{
    &description<Omen::DaAn>,   &description<Omen::LiuLian>, &description<Omen::SuXi>,
    &description<Omen::ChiKou>, &description<Omen::XiaoJi>,  &description<Omen::KongWang>,
};

} // namespace

const app::WindowDescription& omenWindow(Omen omen)
{
    return *descriptions[static_cast<std::size_t>(omen)];
}

void openOmenWindow(app::Frame& frame, Omen omen)
{
    frame.loadWindow(omenWindow(omen), true);
}

} // namespace ui
