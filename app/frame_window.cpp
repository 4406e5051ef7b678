#include "app/frame_window.h"

#include "app/drop_down_list.h"
#include "app/frame.h"
#include "app/qt_text.h"
#include "app/window_manager.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <chrono>

namespace app {
namespace {

// A fixed frame with a system menu and a close box, and nothing else.
constexpr Qt::WindowFlags frameHints = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                       Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// An owned window is a dialog to the window manager: transient, so that it
// stays with the program and shows an empty title as empty.
Qt::WindowFlags flagsFor(const QWidget* owner)
{
    return (owner ? Qt::Dialog : Qt::Window) | frameHints;
}

// Long enough for a window manager that takes over to finish framing the window.
constexpr auto extentsSettleTime = std::chrono::milliseconds(150);

int keyStateOf(Qt::KeyboardModifiers modifiers)
{
    int state = NoKeys;
    if (modifiers & Qt::ControlModifier)
        state |= CtrlKey;
    if (modifiers & Qt::ShiftModifier)
        state |= ShiftKey;
    if (modifiers & Qt::AltModifier)
        state |= AltKey;
    return state;
}

bool isNamed(const QObject& object, std::string_view name)
{
    return object.objectName() == toQString(name);
}

} // namespace

FrameWindow::FrameWindow(Frame& frame, const WindowDescription& description, QWidget* owner)
    : QWidget(owner, flagsFor(owner))
    , frame_(frame)
    , description_(description)
{
    setWindowTitle(toQString(description.title));
    refit_.setSingleShot(true);
    refit_.setInterval(extentsSettleTime);
    QObject::connect(&refit_, &QTimer::timeout, this, &FrameWindow::fitToCurrentFrame);
}

void FrameWindow::setContent(QMenuBar* menuBar, QWidget* clientArea)
{
    menuBar_ = menuBar;
    clientArea_ = clientArea;
}

void FrameWindow::fitToFrame(const QMarginsF& extents)
{
    const QSize client =
        (QSizeF(description_.width, description_.height) -
         QSizeF(extents.left() + extents.right(), extents.top() + extents.bottom()))
            .toSize();
    const int menuHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
    if (menuBar_)
        menuBar_->setGeometry(0, 0, client.width(), menuHeight);
    if (clientArea_)
        clientArea_->setGeometry(0, menuHeight, client.width(), client.height() - menuHeight);
    setFixedSize(client);
}

void FrameWindow::frameExtentsChanged()
{
    refit_.start();
}

void FrameWindow::fitToCurrentFrame()
{
    // A window manager takes its frame away from a window it hides or hands over to another
    // window manager, and says so with zero extents; the window keeps its size until it is framed
    // again.
    if (!isVisible())
        return;
    if (const auto extents = window_manager::currentFrameExtents(*this);
        extents && !extents->isNull())
        fitToFrame(*extents);
}

void FrameWindow::bindEvents()
{
    for (const EventBinding& binding : description_.bindings) {
        if (binding.source.empty())
            continue; // window events are raised by the frame
        switch (binding.event) {
        case EventKind::Selected:
            for (QAction* action : findChildren<QAction*>())
                if (isNamed(*action, binding.source))
                    connect(action, &QAction::triggered, this, [this, source = binding.source] {
                        raiseEvent(EventKind::Selected, source);
                    });
            break;
        case EventKind::LeftButtonPressed:
            if (QWidget* target = control(binding.source))
                target->installEventFilter(this);
            break;
        case EventKind::WillBeDestroyed:
            break;
        }
    }
}

std::int32_t FrameWindow::selectedValue(std::string_view listName) const
{
    const auto* list = findChild<DropDownList*>(toQString(listName));
    return list ? list->selectedValue() : DropDownList::noSelection;
}

void FrameWindow::closeEvent(QCloseEvent* event)
{
    // The frame destroys the window itself, so that the close runs in its order.
    event->ignore();
    if (!blocked_)
        frame_.closeWindow(*this);
}

// Not a shortcut: the toolkit matches shortcuts against the focused window even
// for a key sent to a window that a modal window blocks. A key reaches this
// handler only when the focused control did not use it.
void FrameWindow::keyPressEvent(QKeyEvent* event)
{
    constexpr auto closingModifiers = Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier;
    if (description_.escCloses && event->key() == Qt::Key_Escape &&
        !(event->modifiers() & closingModifiers)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FrameWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const auto& press = static_cast<const QMouseEvent&>(*event);
    if (press.button() != Qt::LeftButton)
        return false;
    return !pressReachesControl(watched, press);
}

bool FrameWindow::pressReachesControl(QObject* control, const QMouseEvent& press)
{
    const unsigned modalLoadsBefore = frame_.modalLoadCount();
    const QPointer<QObject> guard(control);
    const QPoint at = press.position().toPoint();
    raiseEvent(EventKind::LeftButtonPressed, control->objectName().toUtf8().toStdString(), at.x(),
               at.y(), keyStateOf(press.modifiers()));
    // A press that opened a modal window belongs to that window: the control must
    // not start a press whose release went elsewhere long ago.
    return guard && frame_.modalLoadCount() == modalLoadsBefore;
}

void FrameWindow::raiseEvent(EventKind kind, std::string_view source, int x, int y, int keyState)
{
    if (kind != EventKind::WillBeDestroyed && !takesInput())
        return;
    for (const EventBinding& binding : description_.bindings)
        if (binding.event == kind && binding.source == source)
            binding.handler(Event{frame_, *this, x, y, keyState});
}

// Input can still reach a window that is closing (a press that was on its way when the close
// request came) or that a modal window keeps from input (a menu that was open when the modal
// window came up); neither may run a handler: a cast under a closing main window, or a second
// message over the first.
bool FrameWindow::takesInput() const
{
    const QWidget* modal = QApplication::activeModalWidget();
    return frame_.loadedWindow(description_) == this && (!modal || modal == this);
}

QWidget* FrameWindow::control(std::string_view name) const
{
    return findChild<QWidget*>(toQString(name));
}

} // namespace app
