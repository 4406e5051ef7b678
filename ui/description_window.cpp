#include "ui/description_window.h"

#include "app/frame.h"
#include "app/message_box.h"
#include "ui/look.h"
#include "ui/main_window.h"

#include <array>

namespace ui {
namespace {

// Four lines; the spaces are ASCII and every one of them counts: 29 before the
// heading, one before the text and 96 before the date.
constexpr std::string_view descriptionText =
    "                             说明"
    "\r\n"
    "\r\n"
    " 本程序是借用Orvane六壬时课内容。信者有，不信者无，预测对否各位自行体味。需要选择的是农历的阴"
    "历时间。"
    "\r\n"
    "                                                                                              "
    "  2011年04月03日";

constexpr std::string_view frameName = "分组框1";

constexpr std::array controls{
    app::ControlDescription{
        .kind = app::ControlKind::GroupBox, .name = frameName, .geometry = {0, 0, 376, 104}},
    app::ControlDescription{.kind = app::ControlKind::Label,
                            .name = "标签1",
                            .geometry = {8, 16, 360, 80},
                            .text = descriptionText,
                            .container = frameName,
                            .textColour = look::red,
                            .wordWrap = true},
};

void restoreMainWindow(const app::Event& event)
{
    event.frame.setWindowVisible(mainWindow, true);
}

constexpr std::array bindings{
    app::EventBinding{{}, app::EventKind::WillBeDestroyed, &restoreMainWindow},
};

constexpr std::string_view introductionCaption = "信息：";

// One line; the message box wraps it. The mix of full-width and ASCII brackets,
// and the letter l in "1l" and "2l", are the text as it has always been shown.
constexpr std::string_view introductionText =
    "阴历月辰要么29天要么是30天；时辰：(1)子时(23点～1点)；（2）丑时(1点－3点)；(2)寅时(3点－5点)；"
    "(4)卯时(5点～7点)；（5）辰时(7点－9点)(6)巳时(9点～11点)；(7)午时(1l点～13点)；(8)未时("
    "13点－15点)；"
    "(9)申时(15点～17点)；（10）酉时(17点－19点)；（11）戌时(19点～2l点)；（12）亥时(21点～24点）";

} // namespace

const app::WindowDescription descriptionWindow{
    .title = "",
    .width = 380,
    .height = 142,
    .controls = controls,
    .bindings = bindings,
};

void openWhileHidden(app::Frame& frame, const app::WindowDescription& hidden,
                     const app::WindowDescription& shown)
{
    frame.setWindowVisible(hidden, false);
    // Only the shown window's closing brings the hidden one back; a window that
    // could not be created must not leave the program running with nothing on
    // the screen.
    if (!frame.loadWindow(shown, true))
        frame.setWindowVisible(hidden, true);
}

void openDescriptionWindow(const app::Event& event)
{
    openWhileHidden(event.frame, mainWindow, descriptionWindow);
}

void showIntroductionMessage(const app::Event&)
{
    app::showMessage(introductionCaption, introductionText);
}

} // namespace ui
