#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Game Boy Advance run headless by libmgba (in the emulator module, opened with the first
// handheld), without sound: load a ROM, hold keys, run frames, look at the picture.
class Handheld {
public:
    static constexpr int kWidth = 240, kHeight = 160;

    explicit Handheld(const std::string& rom); // throws lb::Error naming the file and the cause
    ~Handheld();
    Handheld(const Handheld&) = delete;
    Handheld& operator=(const Handheld&) = delete;

    void Run(int frames);
    // Turns the handheld off and on again; the cartridge's battery-backed memory stays.
    void Reset();
    // The cartridge's battery-backed memory, and putting some back (as a new cartridge would
    // bring it); empty when the ROM asks for none.
    std::vector<uint8_t> SaveData() const;
    void SetSaveData(const std::vector<uint8_t>& bytes);
    // The keys held from now on (the key register's bits, 0 for none).
    void SetKeys(uint32_t keys);
    // Holds `keys` for a few frames, then lets go for a few.
    void Press(uint32_t keys);

    // The pixel at (x, y) as 15-bit colour, blue in the high bits, as the handheld has it.
    uint16_t Pixel(int x, int y) const;
    // The whole screen, 240 x 160, each pixel red in the low byte, then green, then blue;
    // the top byte is no colour.
    const std::vector<uint32_t>& Frame() const { return frame_; }

private:
  void* core_; // the emulator module's
  std::vector<uint32_t> frame_;
};

// What the screen did after a key press, frame by frame.
struct ScreenChange {
    int framesToNew = -1; // the first frame (1: the one the key went down in) showing the new screen
    int mixed = 0;        // frames that are neither the screen before nor the new one, nor black
    int black = 0;        // frames wholly black between the two
};
// Holds `keys` for two frames and watches `frames` frames; the last one is taken as the new screen.
ScreenChange WatchKeyPress(Handheld& handheld, uint32_t keys, int frames = 12);

// Key bits, as the key register orders them.
enum HandheldKey : uint32_t {
    kKeyA = 1u << 0, kKeyB = 1u << 1, kKeySelect = 1u << 2, kKeyStart = 1u << 3,
    kKeyRight = 1u << 4, kKeyLeft = 1u << 5, kKeyUp = 1u << 6, kKeyDown = 1u << 7,
    kKeyR = 1u << 8, kKeyL = 1u << 9,
};
