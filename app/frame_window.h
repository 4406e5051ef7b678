#pragma once

#include "app/window_description.h"

#include <QTimer>
#include <QWidget>
#include <cstdint>

class QMenuBar;

namespace app {

class Frame;

// A native window built from a description. It turns the toolkit's input into
// the events that the description binds, and hands close requests to the frame.
class FrameWindow : public QWidget {
public:
    FrameWindow(Frame& frame, const WindowDescription& description, QWidget* owner);

    const WindowDescription& description() const { return description_; }

    // The value carried by the selected item of the named drop-down list, or -1
    // when the list has no selected item.
    std::int32_t selectedValue(std::string_view listName) const;

    // Set while a modal window of the program keeps this one from input.
    bool isBlocked() const { return blocked_; }
    void setBlocked(bool blocked) { blocked_ = blocked; }

    // Runs the handlers bound to this event of the window (empty source) or of
    // one of its controls or menu items.
    void raiseEvent(EventKind kind, std::string_view source, int x = 0, int y = 0,
                    int keyState = NoKeys);

    // Wires the bindings of the description to the controls built from it.
    void bindEvents();

    // The window's parts below the title bar; the menu bar may be null.
    void setContent(QMenuBar* menuBar, QWidget* clientArea);

    // Sizes the window so that the window manager's frame, with these extents, comes to the
    // described outer size around it.
    void fitToFrame(const QMarginsF& extents);

    // The window manager has set this window's frame extents anew. Fits the window to them once
    // they have settled: a window manager taking over sets them more than once.
    void frameExtentsChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool pressReachesControl(QObject* control, const QMouseEvent& press);
    QWidget* control(std::string_view name) const;

    void fitToCurrentFrame();
    bool takesInput() const;

    Frame& frame_;
    const WindowDescription& description_;
    bool blocked_ = false;
    QMenuBar* menuBar_ = nullptr;
    QWidget* clientArea_ = nullptr;
    QTimer refit_;
};

} // namespace app
