#pragma once

#include "app/window_description.h"

namespace ui {

// The start window: the three lunar lists, their labels, the query button and
// the menu. It lives for the whole run.
extern const app::WindowDescription mainWindow;

} // namespace ui
