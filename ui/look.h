#pragma once

#include "app/window_description.h"

// Colours and fonts that several windows of the program share.
namespace ui::look {

inline constexpr app::Rgb blue{0x00, 0x00, 0xFF};
inline constexpr app::Rgb red{0xFF, 0x00, 0x00};
inline constexpr app::Rgb purple{0x80, 0x00, 0x80};

// The Song face at a character height of 13 pixels, normal weight.
inline constexpr app::FontDescription songTi13{"宋体", 13, 400};

} // namespace ui::look
