#pragma once

#include "rom/FontTable.h"

namespace lb {

inline constexpr int kFontCount = LB_FONT_COUNT;

// Index 0..3; anything else is the caller's mistake and reads as font 0.
inline const lb_font& Font(int index) {
    return lb_fonts[index >= 0 && index < kFontCount ? index : 0];
}

} // namespace lb
