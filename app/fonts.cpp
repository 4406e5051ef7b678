#include "app/fonts.h"

#include "app/qt_text.h"

namespace app {

void installFontSubstitutes()
{
    // In order of preference; fontconfig takes the first one installed.
    const QStringList songFaces{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL UMing TW"),
                                QStringLiteral("Noto Serif CJK SC"),
                                QStringLiteral("Source Han Serif SC")};
    for (const QString& name : {QStringLiteral("宋体"), QStringLiteral("SimSun")})
        QFont::insertSubstitutions(name, songFaces);
}

QFont fontFor(const FontDescription& description, const QFont& defaultFont)
{
    if (description.family.empty())
        return defaultFont;
    QFont font(toQString(description.family));
    font.setPixelSize(description.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    return font;
}

} // namespace app
