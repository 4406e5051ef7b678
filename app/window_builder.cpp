#include "app/window_builder.h"

#include "app/drop_down_list.h"
#include "app/flat_button.h"
#include "app/frame_window.h"
#include "app/group_frame.h"
#include "app/qt_text.h"
#include "app/text_label.h"
#include "app/window_manager.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <map>
#include <memory>
#include <vector>

namespace app {
namespace {

// A control stands in the window's client area or in a group box described
// before it; a description that breaks this can't be built.
bool isBuildable(const WindowDescription& description)
{
    if (description.width <= 0 || description.height <= 0)
        return false;
    std::vector<std::string_view> groups;
    for (const ControlDescription& control : description.controls) {
        if (!control.container.empty() &&
            std::find(groups.begin(), groups.end(), control.container) == groups.end())
            return false;
        if (control.kind == ControlKind::FlatButton && control.buttonLook == nullptr)
            return false;
        if (control.kind == ControlKind::GroupBox)
            groups.push_back(control.name);
    }
    return true;
}

QWidget* createControl(const ControlDescription& description, QWidget* parent)
{
    switch (description.kind) {
    case ControlKind::DropDownList:
        return new DropDownList(description, parent);
    case ControlKind::Label:
        return new TextLabel(description, parent);
    case ControlKind::GroupBox:
        return new GroupFrame(description, parent);
    case ControlKind::FlatButton:
        return new FlatButton(description, parent);
    }
    return nullptr;
}

void addControls(QWidget& clientArea, std::span<const ControlDescription> controls)
{
    std::map<std::string_view, QWidget*> groups;
    for (const ControlDescription& description : controls) {
        QWidget* parent =
            description.container.empty() ? &clientArea : groups.at(description.container);
        QWidget* control = createControl(description, parent);
        control->setObjectName(toQString(description.name));
        const Geometry& at = description.geometry;
        control->setGeometry(at.left, at.top, at.width, at.height);
        if (description.kind == ControlKind::GroupBox)
            groups.emplace(description.name, control);
    }
    // A screen reader announces a control with the label that is its buddy.
    for (const ControlDescription& description : controls)
        if (!description.buddy.empty())
            if (auto* label = clientArea.findChild<QLabel*>(toQString(description.name)))
                label->setBuddy(clientArea.findChild<QWidget*>(toQString(description.buddy)));
}

QMenuBar* addMenuBar(QWidget& window, const MenuDescription& description)
{
    auto* bar = new QMenuBar(&window);
    QMenu* menu = bar->addMenu(toQString(description.title));
    for (const std::string_view item : description.items)
        menu->addAction(toQString(item))->setObjectName(toQString(item));
    return bar;
}

QColor backgroundOf(const WindowDescription& description, const QPalette& palette)
{
    return description.background ? toQColor(*description.background)
                                  : palette.color(QPalette::Button);
}

// Where the outer frame's top-left corner goes.
QPoint startPoint(const WindowDescription& description)
{
    if (description.startPosition != StartPosition::Centred)
        return {description.left, description.top};
    // The whole primary screen, work area or not; the division rounds toward zero.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return {screen.x() + (screen.width() - description.width) / 2,
            screen.y() + (screen.height() - description.height) / 2};
}

} // namespace

FrameWindow* buildWindow(Frame& frame, const WindowDescription& description, QWidget* owner)
{
    if (!isBuildable(description))
        return nullptr;

    auto window = std::make_unique<FrameWindow>(frame, description, owner);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, backgroundOf(description, palette));
    window->setPalette(palette);
    window->setAutoFillBackground(true);

    // The window manager measures its frame for a window that already has the
    // fixed size it will keep, so the native window starts at the outer size.
    window->setFixedSize(description.width, description.height);
    window->winId();
    if (!window->windowHandle() || !window->windowHandle()->handle())
        return nullptr;
    if (owner)
        window_manager::skipTaskbar(*window);
    // The window manager works out its answer while the controls are built.
    window_manager::FrameExtentsRequest extentsRequest(*window);

    QMenuBar* menuBar = description.menu ? addMenuBar(*window, *description.menu) : nullptr;
    auto* clientArea = new QWidget(window.get());
    addControls(*clientArea, description.controls);
    window->setContent(menuBar, clientArea);
    window->bindEvents();

    const QMarginsF extents = extentsRequest.frameExtents().value_or(QMarginsF());
    window->fitToFrame(extents);

    // Placing the client area, not the frame, keeps the window where it is put
    // whatever gravity the window manager applies.
    const QPoint outer = startPoint(description);
    window->setGeometry(
        QRect(outer + QPointF(extents.left(), extents.top()).toPoint(), window->size()));
    return window.release();
}

} // namespace app
