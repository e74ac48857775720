#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lb {

// A Windows bitmap decoded from its bytes, rows top first.
struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    uint16_t bitCount = 0; // the file's own depth
    // Depths up to 8: one colour-table index per pixel. The table is the file's own.
    std::vector<uint8_t> indices;
    std::vector<uint32_t> palette; // colour values, red in the low byte
    // Deeper pictures: one colour value per pixel, red in the low byte, blue in the third.
    std::vector<uint32_t> colours;

    bool Indexed() const { return bitCount <= 8; }
    uint32_t ColourAt(int32_t x, int32_t y) const;

    // Pixel bytes at the file's depth, rows top first, each row rounded up to an even
    // number of bytes; packed pixels with the left one in the high bits.
    size_t RowBytes() const;
    std::vector<uint8_t> PixelBytes() const;
};

// Pictures larger than this are refused before anything is allocated for them.
inline constexpr uint64_t kMaxBitmapPixels = uint64_t{1} << 26;

// Throws lb::Error naming the cause (the caller adds the file's name).
Bitmap DecodeBitmap(std::span<const uint8_t> file);

// The size and depth from the header alone, checked as DecodeBitmap checks them: `head` holds
// the file's first kBitmapHeadBytes bytes (all of a shorter file), `fileSize` its length.
struct BitmapHeader {
    int32_t width = 0, height = 0;
    uint16_t bitCount = 0;
};
inline constexpr size_t kBitmapHeadBytes = 14 + 124 + 16; // the largest header and its masks
BitmapHeader ReadBitmapHeader(std::span<const uint8_t> head, uint64_t fileSize);

} // namespace lb
