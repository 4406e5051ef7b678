#include "app/frame.h"

#include "app/frame_window.h"
#include "app/program_style.h"
#include "app/window_builder.h"

#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <algorithm>

namespace app {
namespace {

void activate(QWidget& window)
{
    window.raise();
    window.activateWindow();
}

void showAsDescribed(FrameWindow& window)
{
    switch (window.description().startPosition) {
    case StartPosition::Minimized:
        window.showMinimized();
        break;
    case StartPosition::Maximized:
        window.showMaximized();
        break;
    case StartPosition::StoredPosition:
    case StartPosition::Centred:
        window.show();
        break;
    }
    activate(window);
}

void reportStartFailure()
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"),
                    QStringLiteral("启动窗口载入失败，程序无法运行。"), QMessageBox::Ok);
    box.exec();
}

} // namespace

Frame::Frame()
    : extentsWatch_([this](WId nativeWindow) { windowFramedAnew(nativeWindow); })
{
    // The application takes the style over; set before the first control asks for one.
    QApplication::setStyle(new ProgramStyle);
    // Titles stand as described: an empty display name keeps the toolkit from
    // appending the program's name to them, or putting it into an empty one.
    QGuiApplication::setApplicationDisplayName(QStringLiteral(""));
    // Hidden windows keep the program alive, so the frame decides when it ends.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

Frame::~Frame()
{
    std::vector<FrameWindow*> windows;
    for (const LoadedWindow& loaded : loaded_)
        windows.push_back(loaded.window);
    for (FrameWindow* window : windows)
        delete window;
}

int Frame::run(const WindowDescription& startWindow)
{
    if (!loadWindow(startWindow, false)) {
        reportStartFailure();
        return -1;
    }
    mainLoopStarted_ = true;
    QApplication::exec();
    return 0;
}

bool Frame::loadWindow(const WindowDescription& description, bool modal)
{
    if (FrameWindow* loaded = loadedWindow(description)) {
        if (loaded->isMinimized())
            loaded->showNormal();
        activate(*loaded);
        return true;
    }

    const bool owned = modal || !description.shownInTaskbar;
    FrameWindow* window = buildWindow(*this, description, owned ? &owner_ : nullptr);
    if (!window)
        return false;
    loaded_.push_back(LoadedWindow{window});
    QObject::connect(window, &QObject::destroyed, &owner_,
                     [this](QObject* destroyed) { forgetWindow(destroyed); });

    if (modal) {
        ++modalLoadCount_;
        // The toolkit's own modality keeps input and close requests from the
        // blocked windows without greying out their controls.
        window->setWindowModality(Qt::ApplicationModal);
        blockOtherWindows(loaded_.back());
    }
    if (description.visible) {
        showAsDescribed(*window);
        if (modal)
            runModalWait(*window);
    }
    return true;
}

void Frame::setWindowVisible(const WindowDescription& description, bool visible)
{
    FrameWindow* window = loadedWindow(description);
    if (!window)
        return;
    if (visible) {
        window->show();
        activate(*window);
    } else {
        window->hide();
    }
}

void Frame::windowFramedAnew(WId nativeWindow)
{
    for (const LoadedWindow& loaded : loaded_)
        if (loaded.window->internalWinId() == nativeWindow)
            loaded.window->frameExtentsChanged();
}

FrameWindow* Frame::loadedWindow(const WindowDescription& description) const
{
    const auto loaded = std::find_if(loaded_.begin(), loaded_.end(), [&](const LoadedWindow& l) {
        return &l.window->description() == &description && !l.closing;
    });
    return loaded == loaded_.end() ? nullptr : loaded->window;
}

Frame::LoadedWindow* Frame::find(const FrameWindow& window)
{
    const auto loaded = std::find_if(loaded_.begin(), loaded_.end(),
                                     [&](const LoadedWindow& l) { return l.window == &window; });
    return loaded == loaded_.end() ? nullptr : &*loaded;
}

void Frame::blockOtherWindows(LoadedWindow& modal)
{
    for (LoadedWindow& other : loaded_) {
        if (other.window == modal.window || other.window->parentWidget())
            continue;
        modal.blocked.emplace_back(other.window, other.window->isBlocked());
        other.window->setBlocked(true);
    }
}

void Frame::runModalWait(FrameWindow& window)
{
    // The window is destroyed only from within an event loop, so it is still
    // there to be waited for.
    QEventLoop wait;
    QObject::connect(&window, &QObject::destroyed, &wait, &QEventLoop::quit);
    wait.exec();
}

// The order matters to the handlers: the blocked windows take input again before
// the closing window's will-be-destroyed event runs, and the modal wait ends
// only once the window has been destroyed.
void Frame::closeWindow(FrameWindow& window)
{
    LoadedWindow* loaded = find(window);
    if (!loaded || loaded->closing)
        return;
    loaded->closing = true;
    for (const auto& [blocked, wasBlocked] : std::exchange(loaded->blocked, {}))
        if (blocked)
            blocked->setBlocked(wasBlocked);
    window.hide();
    window.raiseEvent(EventKind::WillBeDestroyed, {});
    window.deleteLater();
}

void Frame::forgetWindow(const QObject* window)
{
    std::erase_if(loaded_, [&](const LoadedWindow& l) { return l.window == window; });
    // Hidden windows are alive too; only the last destroyed window ends the program.
    if (loaded_.empty() && mainLoopStarted_)
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

} // namespace app
