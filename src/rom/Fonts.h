#pragma once

#include <cstdint>

namespace lb {

struct FontInfo {
    const char* listText;  // as the font list shows it
    const char* baseImage; // file name in the program folder's "Bin"
    uint32_t skinOffset;   // where the builder's own data begins
};

inline constexpr int kFontCount = 4;

// Index 0..3; anything else is the caller's mistake.
const FontInfo& Font(int index);

} // namespace lb
