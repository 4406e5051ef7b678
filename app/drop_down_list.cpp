#include "app/drop_down_list.h"

#include "app/qt_text.h"

#include <QAbstractItemView>
#include <QStyledItemDelegate>

namespace app {
namespace {

constexpr int valueRole = Qt::UserRole;

// Items stand one pixel taller than the style's own, which leaves a little air
// between the lines of the opened list.
class TallerItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QStyledItemDelegate::sizeHint(option, index) + QSize(0, 1);
    }
};

QPalette blackOnWhite(QPalette palette)
{
    for (const auto role : {QPalette::Base, QPalette::Button})
        palette.setColor(role, Qt::white);
    for (const auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        palette.setColor(role, Qt::black);
    return palette;
}

} // namespace

DropDownList::DropDownList(const ControlDescription& description, QWidget* parent)
    : QComboBox(parent)
    , droppedHeight_(description.droppedHeight)
{
    setEditable(false);
    setPalette(blackOnWhite(palette()));
    for (const ListItem& item : description.items)
        addItem(toQString(item.text), item.value);
    setCurrentIndex(count() > 0 ? 0 : -1);
}

// The item height is known once the list has been laid out with its font, so
// the number of rows that fill the opened height is counted on opening.
void DropDownList::showPopup()
{
    // The opened list's view is made on first opening: the toolkit builds it only when asked
    // for, and most lists of a window are never opened.
    if (!popupPrepared_) {
        setItemDelegate(new TallerItemDelegate(this));
        popupPrepared_ = true;
    }
    const int itemHeight = view()->sizeHintForRow(0);
    if (droppedHeight_ > height() && itemHeight > 0)
        setMaxVisibleItems(std::max(1, (droppedHeight_ - height()) / itemHeight));
    QComboBox::showPopup();
}

std::int32_t DropDownList::selectedValue() const
{
    // The index is read first and then the item's value, so an index outside
    // the items counts as no selection.
    const int index = currentIndex();
    if (index < 0 || index >= count())
        return noSelection;
    return itemData(index, valueRole).value<std::int32_t>();
}

} // namespace app
