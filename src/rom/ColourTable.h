#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace lb {

// The 1,024 bytes at file offset 54 of a bitmap file, taken as 256 table entries (blue,
// green, red, reserved) whatever the header says; bytes past the file's end read as zero.
using ColourTable = std::array<uint8_t, 1024>;

ColourTable ReadColourTable(std::span<const uint8_t> file);

// The first `entries` table entries as 15-bit colours, low byte first.
void AppendPalette(const ColourTable& table, int entries, uint8_t* out);

} // namespace lb
