#include "app/program_style.h"

#include <QIcon>

namespace app {

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const
{
    // The desktop's style opens a list as a menu laid over the control; the program's lists drop
    // down below it.
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                 const QWidget* widget) const
{
    // A menu bar makes a button for menus that don't fit and reads its picture at once, which
    // loads every image plugin of the toolkit at start-up. The one menu of the fixed-size main
    // window always fits, so the button never shows.
    if (icon == SP_ToolBarHorizontalExtensionButton)
        return {};
    return QProxyStyle::standardIcon(icon, option, widget);
}

} // namespace app
