#pragma once

#include "app/window_description.h"

class QWidget;

namespace app {

class Frame;
class FrameWindow;

// Builds a new, not yet shown native window from its description: its controls,
// its menu, its exact outer size and its start position. Null when the window
// can't be created. An owned window gets no taskbar button.
FrameWindow* buildWindow(Frame& frame, const WindowDescription& description, QWidget* owner);

} // namespace app
