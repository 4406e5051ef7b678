#pragma once

#include <string_view>

namespace app {

// Shows a message with one OK button and no icon, keeping every window of the
// program from input until it is dismissed. It has no owner window and no
// taskbar button.
void showMessage(std::string_view caption, std::string_view text);

} // namespace app
