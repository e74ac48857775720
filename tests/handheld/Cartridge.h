#pragma once

// A program folder for the emulator tests: the real base images, a skin of known colours,
// ROMs built by the command line, and checks of the glyphs the viewer draws.
#include "TestFiles.h"
#include "format/BaseInfo.h"
#include "preview/Handheld.h"
#include "rom/Colour.h"

#include <functional>
#include <string>
#include <vector>

namespace lbtest {

struct Rgb {
    uint8_t r, g, b;
    uint16_t Colour() const { return lb::Colour15(r, g, b); }
};

// A bitmap file's colour table of `entries` entries, the colours first, then black.
std::vector<uint8_t> ColourTable(const std::vector<Rgb>& colours, size_t entries);

// An 8-bit picture from a palette and an index per pixel (rows given top first).
std::vector<uint8_t> Indexed8(int w, int h, const std::vector<Rgb>& colours,
                              const std::function<uint8_t(int, int)>& index);

// A 24-bit picture from a colour per pixel (rows given top first).
std::vector<uint8_t> Direct24(int w, int h, const std::function<Rgb(int, int)>& colour);

extern const std::vector<Rgb> kTitleColours;
uint8_t TitleIndex(int x, int y);
const Rgb kMenuColour{20, 20, 60};
const Rgb kBackColour{230, 230, 200};
const uint16_t kWhite = 0x7FFF, kBlack = 0;

// The title a pattern, the menu dark blue with white beside it (rows from 24, 32), the back
// pale with black beside it.
struct Cartridge {
    explicit Cartridge(int font = 3);
    std::string buildOptions; // more of lumenbrook-cli build's options
    // Builds test.gba from entries named relative to the folder.
    std::string Build(const std::vector<std::string>& entries, int corner = 0);

    // The base image's cells, as its information block gives them.
    int HalfWidth() const { return info.half_width; }
    int Height() const { return info.height; }
    int LineHeight() const { return info.line_height; }
    // Whether the glyph of `code` (one byte, or lead << 8 | trail over two cells) has ink at
    // (x, y) of its cell. A pair with no glyph is a box one pixel in from the sides and two
    // from the top and bottom.
    bool Ink(unsigned code, unsigned cells, int x, int y) const;

    TempFolder home;
    int font;
    std::vector<uint8_t> base;
    lb_base_info info;
};

// From the title through the menu into the first entry, each given time to show.
void OpenFirstEntry(Handheld& h);

// How many pixels differ from the codes drawn from (x, y) in `ink` on `paper`, double-byte
// pairs together when the font has them.
int GlyphMisses(const Handheld& h, const Cartridge& c, int x, int y, const std::string& codes, uint16_t ink,
                uint16_t paper);

} // namespace lbtest
