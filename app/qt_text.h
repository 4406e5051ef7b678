#pragma once

#include "app/window_description.h"

#include <QColor>
#include <QString>
#include <string_view>

namespace app {

// Texts are described as UTF-8 with CR LF line breaks; Qt breaks lines at LF.
inline QString toQString(std::string_view text)
{
    QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    converted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return converted;
}

inline QColor toQColor(Rgb colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

} // namespace app
