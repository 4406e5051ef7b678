#pragma once

#include "app/window_description.h"

#include <QComboBox>
#include <cstdint>

namespace app {

// A list that drops down and can't be typed into; every item carries an integer.
class DropDownList : public QComboBox {
public:
    static constexpr std::int32_t noSelection = -1;

    DropDownList(const ControlDescription& description, QWidget* parent);

    // The value of the selected item; noSelection when there is none.
    std::int32_t selectedValue() const;

    void showPopup() override;

private:
    int droppedHeight_; // closed part included
    bool popupPrepared_ = false;
};

} // namespace app
