#pragma once

#include "app/window_description.h"

// The two menu items of the main window: the description window, which stands
// in for the main window while it is open, and the introduction message.
namespace ui {

extern const app::WindowDescription descriptionWindow;

// Hides `hidden` and loads `shown` modally; when `shown` can't be created,
// `hidden` comes back at once.
void openWhileHidden(app::Frame& frame, const app::WindowDescription& hidden,
                     const app::WindowDescription& shown);

void openDescriptionWindow(const app::Event& event);
void showIntroductionMessage(const app::Event& event);

} // namespace ui
