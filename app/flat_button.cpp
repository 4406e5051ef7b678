#include "app/flat_button.h"

#include "app/fonts.h"
#include "app/qt_text.h"

#include <QGuiApplication>
#include <QPainter>

namespace app {

FlatButton::FlatButton(const ControlDescription& description, QWidget* parent)
    : QPushButton(toQString(description.text), parent)
    , look_(*description.buttonLook)
{
    setFont(fontFor(description.font, font()));
    setAutoDefault(false);
    // The button gets the focus by Tab only: a press on it is handled by its
    // window, which keeps the focus where it was.
    setFocusPolicy(Qt::TabFocus);
}

void FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor caption;
    if (isHot()) {
        const int radius = look_.cornerDiameter / 2;
        painter.setPen(toQColor(look_.outline));
        painter.setBrush(toQColor(look_.hotFace));
        painter.drawRoundedRect(rect().adjusted(0, 0, -1, -1), radius, radius);
        caption = toQColor(look_.hotCaption);
    } else {
        painter.fillRect(rect(), toQColor(look_.face));
        caption = toQColor(hasFocus() ? look_.focusCaption : look_.normalCaption);
    }
    painter.setPen(caption);
    painter.setFont(font());
    const QRect captionRect = isDown() ? rect().translated(1, 1) : rect();
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, text());
}

void FlatButton::enterEvent(QEnterEvent* event)
{
    // A mouse that arrives with the left button held belongs to a press that
    // started elsewhere.
    hovered_ = !(QGuiApplication::mouseButtons() & Qt::LeftButton);
    update();
    QPushButton::enterEvent(event);
}

void FlatButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QPushButton::leaveEvent(event);
}

} // namespace app
