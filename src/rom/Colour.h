#pragma once

#include <array>
#include <cstdint>

namespace lb {

// 8-bit channel -> 5-bit channel: the three low bits are dropped, no rounding.
inline constexpr std::array<uint8_t, 256> FiveBitTable = [] {
    std::array<uint8_t, 256> t{};
    for (int j = 0; j < 256; ++j) t[j] = static_cast<uint8_t>(j / 8);
    return t;
}();

inline constexpr std::array<uint16_t, 32> GreenShiftTable = [] {
    std::array<uint16_t, 32> t{};
    for (int j = 0; j < 32; ++j) t[j] = static_cast<uint16_t>(j * 32);
    return t;
}();

inline constexpr std::array<uint16_t, 32> BlueShiftTable = [] {
    std::array<uint16_t, 32> t{};
    for (int j = 0; j < 32; ++j) t[j] = static_cast<uint16_t>(j * 1024);
    return t;
}();

// The handheld's 15-bit colour: red in bits 0-4, green 5-9, blue 10-14.
inline constexpr uint16_t Colour15(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint16_t>(FiveBitTable[red] + GreenShiftTable[FiveBitTable[green]] +
                                 BlueShiftTable[FiveBitTable[blue]]);
}

// A colour value as a drawing surface gives it: red in the low byte, then green, then blue.
inline constexpr int32_t GetRed(int32_t value) { return value & 255; }
inline constexpr int32_t GetGreen(int32_t value) { return (value / 256) & 255; }
inline constexpr int32_t GetBlue(int32_t value) { return (value / 65536) & 255; }

inline constexpr uint16_t Colour15FromValue(int32_t value) {
    if (value == 0) return 0;
    return Colour15(static_cast<uint8_t>(GetRed(value)), static_cast<uint8_t>(GetGreen(value)),
                    static_cast<uint8_t>(GetBlue(value)));
}

// Colour table entry k of a bitmap file's table (blue, green, red, reserved).
inline uint16_t Colour15FromQuad(const uint8_t* quad) { return Colour15(quad[2], quad[1], quad[0]); }

} // namespace lb
