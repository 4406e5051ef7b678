#include "app/fonts.h"

#include "app/qt_text.h"

#include <QFontDatabase>
#include <array>

namespace app {
namespace {

// The Windows names of the Song face, which the descriptions use.
bool namesSongFace(std::string_view family)
{
    return family == "宋体" || family == "SimSun";
}

// Song/Ming faces that stand in for it here, in order of preference.
constexpr std::array<std::string_view, 4> songFaces{"AR PL UMing CN", "AR PL UMing TW",
                                                    "Noto Serif CJK SC", "Source Han Serif SC"};

// A font asked for by a name the system doesn't know sends the toolkit through its substitutes
// and the system's fallback search every time one is built; looking the face up once and asking
// for it by its own name skips all of that.
QString installedSongFace()
{
    const QStringList installed = QFontDatabase::families();
    for (const std::string_view face : songFaces)
        if (const QString name = toQString(face); installed.contains(name))
            return name;
    return toQString(songFaces.front());
}

QString familyFor(std::string_view family)
{
    if (!namesSongFace(family))
        return toQString(family);
    static const QString songFace = installedSongFace();
    return songFace;
}

} // namespace

QFont fontFor(const FontDescription& description, const QFont& defaultFont)
{
    if (description.family.empty())
        return defaultFont;
    QFont font(familyFor(description.family));
    font.setPixelSize(description.pixelHeight);
    font.setWeight(static_cast<QFont::Weight>(description.weight));
    return font;
}

} // namespace app
