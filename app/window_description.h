#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// The constant description of a window, from which the frame builds a new native
// window every time the window is loaded. Texts are UTF-8; a line break is CR LF.
namespace app {

class Frame;
class FrameWindow;

enum class StartPosition { StoredPosition = 0, Centred = 1, Minimized = 2, Maximized = 3 };

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// An empty family stands for the system's default GUI font.
struct FontDescription {
    std::string_view family{};
    int pixelHeight = 0;
    int weight = 400;
};

struct Geometry {
    int left;
    int top;
    int width;
    int height;
};

enum class ControlKind { DropDownList, Label, GroupBox, FlatButton };

enum class HorizontalAlignment { Left, Centre };
enum class VerticalAlignment { Top, Centre };

// Raised text is drawn twice: in white at its place, then in its colour one
// pixel to the right and one pixel down.
enum class TextLook { Plain, Raised };

struct ListItem {
    std::string_view text;
    std::int32_t value;
};

// The flat button's face and caption colours by state: normal, keyboard focus,
// and hot (mouse over or pressed, drawn as an outlined rounded rectangle).
struct FlatButtonLook {
    Rgb face;
    Rgb hotFace;
    Rgb outline;
    Rgb normalCaption;
    Rgb focusCaption;
    Rgb hotCaption;
    int cornerDiameter;
};

struct ControlDescription {
    ControlKind kind;
    std::string_view name;
    std::string_view buddy{}; // the control that a label names, for screen readers
    Geometry geometry;
    std::string_view text{};
    std::string_view container{}; // the group box it stands in; empty for the client area
    std::span<const ListItem> items{};
    int droppedHeight = 0; // of an opened list, closed part included
    FontDescription font{};
    std::optional<Rgb> textColour{};
    TextLook look = TextLook::Plain;
    HorizontalAlignment horizontalAlignment = HorizontalAlignment::Left;
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
    bool wordWrap = false;
    const FlatButtonLook* buttonLook = nullptr;
};

// A menu item is named by its text.
struct MenuDescription {
    std::string_view title;
    std::span<const std::string_view> items;
};

enum class EventKind {
    Selected,          // a menu item was chosen
    LeftButtonPressed, // raised by the press itself, before the control sees it
    WillBeDestroyed,   // the window and its controls still exist
};

// Held down with a press; a bit mask.
enum KeyState : int { NoKeys = 0, CtrlKey = 1, ShiftKey = 2, AltKey = 4 };

struct Event {
    Frame& frame;
    FrameWindow& window;
    int x = 0;
    int y = 0;
    int keyState = NoKeys;
};

using Handler = void (*)(const Event&);

struct EventBinding {
    std::string_view source; // a control or menu item; empty for the window itself
    EventKind event;
    Handler handler;
};

// Every window of the program has a fixed frame with a system menu and a close
// box and neither minimize nor maximize button, so those settings are not
// described per window.
struct WindowDescription {
    std::string_view title;
    int left = 50;
    int top = 50;
    int width;
    int height;
    StartPosition startPosition = StartPosition::Centred;
    bool visible = true;
    bool shownInTaskbar = true;
    bool escCloses = true;
    std::optional<Rgb> background{}; // empty: the system's button-face colour
    std::optional<MenuDescription> menu{};
    std::span<const ControlDescription> controls{};
    std::span<const EventBinding> bindings{};
};

} // namespace app
