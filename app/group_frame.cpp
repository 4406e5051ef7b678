#include "app/group_frame.h"

#include "app/fonts.h"
#include "app/qt_text.h"

#include <QPainter>

namespace app {
namespace {

constexpr int captionIndent = 8;
constexpr int captionPadding = 2;

} // namespace

GroupFrame::GroupFrame(const ControlDescription& description, QWidget* parent)
    : QGroupBox(toQString(description.text), parent)
    , captionColour_(description.textColour ? toQColor(*description.textColour)
                                            : parent->palette().color(QPalette::WindowText))
{
    setFont(fontFor(description.font, font()));
}

void GroupFrame::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    // Only the first line is a caption; the line breaks after it show nothing.
    const QString caption = title().section(QLatin1Char('\n'), 0, 0);

    const QRect edge = rect().adjusted(0, metrics.height() / 2, -1, -1);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(edge.adjusted(0, 0, -1, -1));
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(edge.adjusted(1, 1, 0, 0));

    if (caption.isEmpty())
        return;
    const QRect captionRect(captionIndent, 0,
                            metrics.horizontalAdvance(caption) + 2 * captionPadding,
                            metrics.height());
    painter.fillRect(captionRect, palette().color(QPalette::Window));
    painter.setPen(captionColour_);
    painter.drawText(captionRect, Qt::AlignCenter | Qt::TextSingleLine, caption);
}

} // namespace app
