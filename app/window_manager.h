#pragma once

#include <QAbstractNativeEventFilter>
#include <QMarginsF>
#include <QWindow>
#include <cstdint>
#include <functional>
#include <optional>

class QWidget;

// What the frame asks of the desktop's window manager about a native window
// that has been created but not yet mapped.
namespace app::window_manager {

// Asks the window manager for the frame that it will draw around the window, its title bar and
// borders. The question travels while the caller goes on building the window; frameExtents()
// waits for the answer.
class FrameExtentsRequest {
public:
    explicit FrameExtentsRequest(QWidget& window);
    ~FrameExtentsRequest();
    FrameExtentsRequest(const FrameExtentsRequest&) = delete;
    FrameExtentsRequest& operator=(const FrameExtentsRequest&) = delete;

    // In the window's device-independent pixels; nothing when no window manager answers.
    std::optional<QMarginsF> frameExtents();

private:
    QWidget& window_;
    std::optional<unsigned int> rootCheck_; // the X request still to be answered
};

// The frame extents that the window manager has last set on the window, read without asking it.
std::optional<QMarginsF> currentFrameExtents(QWidget& window);

// Reports each native window whose frame extents a window manager sets anew: when it first frames
// the window, and again when another window manager takes over and frames it its own way.
class FrameExtentsWatch : public QAbstractNativeEventFilter {
public:
    explicit FrameExtentsWatch(std::function<void(WId)> changed);
    ~FrameExtentsWatch() override;
    FrameExtentsWatch(const FrameExtentsWatch&) = delete;
    FrameExtentsWatch& operator=(const FrameExtentsWatch&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    std::function<void(WId)> changed_;
    std::uint32_t frameExtentsAtom_ = 0; // none: not on X11
};

// Keeps the window off the taskbar, whatever the window manager's settings.
void skipTaskbar(QWidget& window);

} // namespace app::window_manager
