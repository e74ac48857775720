#pragma once

#include <cstdint>
#include <vector>

namespace lb {

// A picture's first `entries` colours as 15-bit colours, low byte first; the colours are
// values with red in the low byte, and entries past the end of `palette` are black.
void AppendPalette(const std::vector<uint32_t>& palette, int entries, uint8_t* out);

} // namespace lb
