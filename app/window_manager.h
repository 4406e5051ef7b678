#pragma once

#include <QMarginsF>
#include <optional>

class QWidget;

// What the frame asks of the desktop's window manager about a native window
// that has been created but not yet mapped.
namespace app::window_manager {

// The frame that the window manager will draw around the window, its title bar
// and borders, in the window's device-independent pixels. Nothing when no
// window manager answers.
std::optional<QMarginsF> frameExtents(QWidget& window);

// Keeps the window off the taskbar, whatever the window manager's settings.
void skipTaskbar(QWidget& window);

} // namespace app::window_manager
