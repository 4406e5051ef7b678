#pragma once

#include "app/window_description.h"
#include "core/omen.h"

namespace ui {

// The window that shows an omen: its name as title, its heading as the caption
// of a frame and its verse in that frame.
const app::WindowDescription& omenWindow(core::Omen omen);

// Loads the omen's window modally; returns once it has been closed.
void openOmenWindow(app::Frame& frame, core::Omen omen);

} // namespace ui
