#pragma once

#include "app/window_description.h"

#include <QPushButton>

namespace app {

// A push button that draws itself flat: a plain face at rest, a rounded,
// outlined face while the mouse is over it or it is pressed, and a caption
// whose colour tells the state.
class FlatButton : public QPushButton {
public:
    FlatButton(const ControlDescription& description, QWidget* parent);

    bool isHot() const { return hovered_ || isDown(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    const FlatButtonLook& look_;
    bool hovered_ = false;
};

} // namespace app
