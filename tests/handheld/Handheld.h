#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct mCore;

// A Game Boy Advance run headless by libmgba: load a ROM, hold keys, run frames, look at
// the picture.
class Handheld {
public:
    explicit Handheld(const std::string& rom); // throws std::runtime_error
    ~Handheld();
    Handheld(const Handheld&) = delete;
    Handheld& operator=(const Handheld&) = delete;

    void Run(int frames);
    // Holds `keys` (the key register's bits) for a few frames, then lets go for a few.
    void Press(uint32_t keys);

    // The pixel at (x, y) as 15-bit colour, blue in the high bits, as the handheld has it.
    uint16_t Pixel(int x, int y) const;
    // The whole screen, 240 x 160, 0x00RRGGBB.
    const std::vector<uint32_t>& Frame() const { return frame_; }

private:
    mCore* core_;
    std::vector<uint32_t> frame_;
};

// Key bits, as the key register orders them.
enum HandheldKey : uint32_t {
    kKeyA = 1u << 0, kKeyB = 1u << 1, kKeySelect = 1u << 2, kKeyStart = 1u << 3,
    kKeyRight = 1u << 4, kKeyLeft = 1u << 5, kKeyUp = 1u << 6, kKeyDown = 1u << 7,
    kKeyR = 1u << 8, kKeyL = 1u << 9,
};
