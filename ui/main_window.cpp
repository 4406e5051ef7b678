#include "ui/main_window.h"

#include "app/frame_window.h"
#include "core/casting.h"
#include "core/lunar_tables.h"
#include "ui/description_window.h"
#include "ui/look.h"
#include "ui/omen_windows.h"

#include <array>

namespace ui {
namespace {

using app::ControlKind;

template <std::size_t N>
constexpr std::array<app::ListItem, N> listItems(const std::array<core::LunarItem, N>& table)
{
    std::array<app::ListItem, N> items{};
    for (std::size_t i = 0; i < N; ++i)
        items[i] = {table[i].text, table[i].value};
    return items;
}

constexpr auto monthItems = listItems(core::monthTable);
constexpr auto dayItems = listItems(core::dayTable);
constexpr auto hourItems = listItems(core::hourTable);

constexpr std::string_view monthList = "组合框1";
constexpr std::string_view dayList = "组合框2";
constexpr std::string_view hourList = "组合框3";
constexpr std::string_view queryButton = "按钮1";

constexpr app::FlatButtonLook queryButtonLook{
    .face = {0xEC, 0xE9, 0xD8},
    .hotFace = {0xFF, 0xFC, 0xEB},
    .outline = {0x00, 0x00, 0x00},
    .normalCaption = {0x90, 0x00, 0xFF},
    .focusCaption = {0x00, 0x00, 0xFF},
    .hotCaption = {0x00, 0x80, 0x00},
    .cornerDiameter = 8,
};

constexpr app::ControlDescription list(std::string_view name, int left,
                                       std::span<const app::ListItem> items)
{
    return {.kind = ControlKind::DropDownList,
            .name = name,
            .geometry = {left, 8, 72, 20},
            .items = items,
            .droppedHeight = 160};
}

constexpr app::ControlDescription raisedLabel(std::string_view name, int left,
                                              std::string_view text, std::string_view list)
{
    return {.kind = ControlKind::Label,
            .name = name,
            .buddy = list,
            .geometry = {left, 40, 72, 24},
            .text = text,
            .textColour = look::blue,
            .look = app::TextLook::Raised,
            .horizontalAlignment = app::HorizontalAlignment::Centre,
            .verticalAlignment = app::VerticalAlignment::Centre};
}

// Creation order is focus order: the three lists, then the query button.
constexpr std::array controls{
    list(monthList, 8, monthItems),
    list(dayList, 96, dayItems),
    list(hourList, 184, hourItems),
    raisedLabel("标签1", 8, "月份", monthList),
    raisedLabel("标签2", 96, "日辰", dayList),
    raisedLabel("标签3", 184, "时辰", hourList),
    app::ControlDescription{.kind = ControlKind::FlatButton,
                            .name = queryButton,
                            .geometry = {8, 72, 248, 24},
                            .text = "查询您需要预测的结果",
                            .font = look::songTi13,
                            .buttonLook = &queryButtonLook},
};

constexpr std::array<std::string_view, 2> menuItems{"程序说明", "简单介绍"};

// The lists are read in this order, each completely before the next.
void castFromLists(const app::Event& event)
{
    const std::int32_t month = event.window.selectedValue(monthList);
    const std::int32_t day = event.window.selectedValue(dayList);
    const std::int32_t hour = event.window.selectedValue(hourList);
    if (const auto omen = core::castOmen(month, day, hour))
        openOmenWindow(event.frame, *omen);
}

constexpr std::array bindings{
    app::EventBinding{queryButton, app::EventKind::LeftButtonPressed, &castFromLists},
    app::EventBinding{menuItems[0], app::EventKind::Selected, &openDescriptionWindow},
    app::EventBinding{menuItems[1], app::EventKind::Selected, &showIntroductionMessage},
};

} // namespace

const app::WindowDescription mainWindow{
    .title = "Orvane六壬预测",
    .width = 268,
    .height = 169,
    .menu = app::MenuDescription{"菜单", menuItems},
    .controls = controls,
    .bindings = bindings,
};

} // namespace ui
