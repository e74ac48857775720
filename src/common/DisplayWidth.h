#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lb {

// The character starting at `at` of UTF-8 text and, in `length`, its bytes (1 for a byte
// that starts no whole character, which then stands for itself).
inline uint32_t Utf8CodeAt(std::string_view s, size_t at, size_t* length) {
    const auto b = static_cast<unsigned char>(s[at]);
    size_t n = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (at + n > s.size()) n = 1;
    uint32_t code = n == 1 ? b : b & (0x7F >> n);
    for (size_t k = 1; k < n; ++k)
        code = code << 6 | (static_cast<unsigned char>(s[at + k]) & 0x3F);
    *length = n;
    return code;
}

// Characters a terminal or a text set in cells gives two cells: East Asian wide and
// full-width ones, and emoji.
inline bool IsWideCharacter(uint32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF && c != 0x303F) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F) ||
           (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace lb
