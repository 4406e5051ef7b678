#include "app/text_label.h"

#include "app/fonts.h"
#include "app/qt_text.h"

#include <QPainter>

namespace app {
namespace {

int drawTextFlags(const ControlDescription& description)
{
    int flags = description.wordWrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    flags |= description.horizontalAlignment == HorizontalAlignment::Centre ? Qt::AlignHCenter
                                                                            : Qt::AlignLeft;
    flags |= description.verticalAlignment == VerticalAlignment::Centre ? Qt::AlignVCenter
                                                                        : Qt::AlignTop;
    return flags;
}

} // namespace

TextLabel::TextLabel(const ControlDescription& description, QWidget* parent)
    : QLabel(toQString(description.text), parent)
    , textColour_(description.textColour ? toQColor(*description.textColour)
                                         : parent->palette().color(QPalette::WindowText))
    , look_(description.look)
    , flags_(drawTextFlags(description))
{
    setFont(fontFor(description.font, font()));
    setWordWrap(description.wordWrap);
    setAutoFillBackground(true);
}

void TextLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(font());
    if (look_ == TextLook::Raised) {
        painter.setPen(Qt::white);
        painter.drawText(rect(), flags_, text());
        painter.setPen(textColour_);
        painter.drawText(rect().translated(1, 1), flags_, text());
    } else {
        painter.setPen(textColour_);
        painter.drawText(rect(), flags_, text());
    }
}

} // namespace app
