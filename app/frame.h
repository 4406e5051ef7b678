#pragma once

#include "app/window_description.h"
#include "app/window_manager.h"

#include <QPointer>
#include <QWidget>
#include <utility>
#include <vector>

namespace app {

class FrameWindow;

// Owns every window of the program: builds native windows from their
// descriptions, runs the modal waits and ends the program when the last window
// is gone. Handlers reach it through the event they are given.
class Frame {
public:
    Frame();
    ~Frame();
    Frame(const Frame&) = delete;
    Frame& operator=(const Frame&) = delete;

    // Loads the start window and runs the main loop until the last window has
    // been destroyed. Returns the process's exit status: 0, or -1 when the start
    // window can't be created (after telling the user so).
    int run(const WindowDescription& startWindow);

    // Creates the window from its description, or activates it when it is
    // already loaded. A modal load returns only after the window has been
    // destroyed. False when the window can't be created.
    bool loadWindow(const WindowDescription& window, bool modal);

    // Hides or shows a loaded window; a hidden window stays loaded and alive.
    void setWindowVisible(const WindowDescription& window, bool visible);

    // The live instance of a description, or null when it is not loaded.
    FrameWindow* loadedWindow(const WindowDescription& window) const;

    // Counts modal loads, so that the event that started one can tell.
    unsigned modalLoadCount() const { return modalLoadCount_; }

private:
    friend class FrameWindow;

    // What the frame keeps of a loaded window.
    struct LoadedWindow {
        FrameWindow* window;
        bool closing = false;
        // The windows that this modal window blocked, with their state before.
        std::vector<std::pair<QPointer<FrameWindow>, bool>> blocked{};
    };

    LoadedWindow* find(const FrameWindow& window);
    void closeWindow(FrameWindow& window);
    void forgetWindow(const QObject* window);
    void blockOtherWindows(LoadedWindow& modal);
    void runModalWait(FrameWindow& window);
    void windowFramedAnew(WId nativeWindow);

    // Never shown; the parent of every window that must not get a taskbar button.
    QWidget owner_;
    std::vector<LoadedWindow> loaded_;
    bool mainLoopStarted_ = false;
    unsigned modalLoadCount_ = 0;
    window_manager::FrameExtentsWatch extentsWatch_;
};

} // namespace app
