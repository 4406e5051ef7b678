#pragma once

#include "app/window_description.h"

#include <QGroupBox>

namespace app {

// A group box drawn as an etched frame with its caption, in the described
// colour, set into the left of the top edge.
class GroupFrame : public QGroupBox {
public:
    GroupFrame(const ControlDescription& description, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor captionColour_;
};

} // namespace app
