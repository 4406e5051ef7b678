#pragma once

#include "app/window_description.h"

#include <QLabel>

namespace app {

// A label that paints its own text: plain, or raised by a white copy drawn one
// pixel up and to the left of the coloured one.
class TextLabel : public QLabel {
public:
    TextLabel(const ControlDescription& description, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor textColour_;
    TextLook look_;
    int flags_;
};

} // namespace app
