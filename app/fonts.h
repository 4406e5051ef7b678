#pragma once

#include "app/window_description.h"

#include <QFont>

namespace app {

// The font of a description; an empty family keeps the given default font. The Windows names of
// the Song face ("宋体", "SimSun") give the Song/Ming face installed here.
QFont fontFor(const FontDescription& description, const QFont& defaultFont);

} // namespace app
