#pragma once

#include <QProxyStyle>

namespace app {

// The application's own style over the desktop's: what the program's controls need different
// from it, in one object that every control shares.
class ProgramStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                       const QWidget* widget) const override;
};

} // namespace app
