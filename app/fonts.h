#pragma once

#include "app/window_description.h"

#include <QFont>

namespace app {

// Lets the Windows names of the Song face ("宋体", "SimSun") find a Song/Ming face
// of this system. Must run before the first widget is created.
void installFontSubstitutes();

// The font of a description; an empty family keeps the given default font.
QFont fontFor(const FontDescription& description, const QFont& defaultFont);

} // namespace app
