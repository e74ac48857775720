#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lb {

// A skin picture as the ROM holds it: its pixel bytes unchanged (rows top first, at the
// file's depth), then the 256-entry palette from the file's colour table.
struct SkinBlock {
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0;
    // What the viewer reads: 240 x 160 at 8 bits per pixel.
    bool ScreenSized() const;
};

// Throws lb::Error with the decoder's cause.
SkinBlock MakeSkinBlock(std::span<const uint8_t> file);

} // namespace lb
