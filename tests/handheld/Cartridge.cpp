#include "Cartridge.h"
#include "rom/Fonts.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

extern "C" {
#include "format/GlyphTable.h"
}

namespace lbtest {

std::vector<uint8_t> ColourTable(const std::vector<Rgb>& colours, size_t entries) {
    std::vector<uint8_t> table(4 * entries, 0);
    for (size_t i = 0; i < colours.size(); ++i) {
        table[4 * i] = colours[i].b;
        table[4 * i + 1] = colours[i].g;
        table[4 * i + 2] = colours[i].r;
    }
    return table;
}

std::vector<uint8_t> Indexed8(int w, int h, const std::vector<Rgb>& colours,
                              const std::function<uint8_t(int, int)>& index) {
    const std::vector<uint8_t> palette = ColourTable(colours, 256);
    const int stride = (w + 3) / 4 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels[static_cast<size_t>((h - 1 - y) * stride + x)] = index(x, y);
    return MakeBmp({w, h, 8, 0, palette, pixels});
}

std::vector<uint8_t> Direct24(int w, int h, const std::function<Rgb(int, int)>& colour) {
    const int stride = (w * 3 + 3) / 4 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Rgb c = colour(x, y);
            uint8_t* p = &pixels[static_cast<size_t>((h - 1 - y) * stride + 3 * x)];
            p[0] = c.b;
            p[1] = c.g;
            p[2] = c.r;
        }
    return MakeBmp({w, h, 24, 0, {}, pixels});
}

const std::vector<Rgb> kTitleColours = {{200, 30, 40}, {10, 220, 60}, {30, 40, 250}, {250, 250, 250}};
uint8_t TitleIndex(int x, int y) { return static_cast<uint8_t>((x / 8 + y / 8) % 4); }


Cartridge::Cartridge(int font) : font(font) {
    std::filesystem::copy(std::filesystem::path(LUMENBROOK_BUILD_DIR) / "Bin", home.Path() / "Bin");
    base = ReadBytes(home.Path() / "Bin" / lb::Font(font).base_image);
    if (base.size() < LB_BASE_INFO_OFFSET + sizeof info) throw std::runtime_error("base image too short");
    std::memcpy(&info, base.data() + LB_BASE_INFO_OFFSET, sizeof info);
    home.Write("Skins/Test/Title.Bmp", Indexed8(240, 160, kTitleColours, TitleIndex));
    home.Write("Skins/Test/Menu.Bmp", Indexed8(240, 160, {kMenuColour, {255, 255, 255}}, [](int, int) { return 0; }));
    home.Write("Skins/Test/Skin.ini", "24\r\n32\r\n0\r\n");
    home.Write("Back/Test.Bmp", Indexed8(240, 160, {kBackColour}, [](int, int) { return 0; }));
}

std::string Cartridge::Build(const std::vector<std::string>& entries, int corner) {
    std::string rom = (home.Path() / "test.gba").string();
    std::string command = std::string(LUMENBROOK_CLI) + " build -q --home '" + home.Path().string() +
                          "' --font " + std::to_string(font) +
                          " --lang en --skin Test --back Test.Bmp --layout 24,32,0 --corner " +
                          std::to_string(corner) + " " + buildOptions + " -o '" + rom + "'";
    for (auto& e : entries) command += " '" + (home.Path() / e).string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return rom;
}

bool Cartridge::Ink(unsigned code, unsigned cells, int x, int y) const {
    const int width = static_cast<int>(cells) * HalfWidth(), height = Height();
    const size_t bytes = static_cast<size_t>((width * height + 7) / 8);
    size_t glyph;
    if (cells == 1) {
        glyph = info.glyph_offset + code * bytes;
    } else {
        int index = lb_double_index(info.set, code >> 8, code & 0xFF);
        if (index < 0)
            return ((y == 2 || y == height - 3) && x >= 1 && x <= width - 2) ||
                   ((x == 1 || x == width - 2) && y >= 2 && y <= height - 3);
        glyph = info.double_offset + static_cast<size_t>(index) * bytes;
    }
    const int bit = y * width + x;
    return base.at(glyph + static_cast<size_t>(bit / 8)) & (0x80 >> (bit % 8));
}

void OpenFirstEntry(Handheld& h) {
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    h.Press(kKeyA);
    h.Run(60);
}

int GlyphMisses(const Handheld& h, const Cartridge& c, int x, int y, const std::string& codes, uint16_t ink,
                uint16_t paper) {
    int misses = 0;
    for (size_t i = 0; i < codes.size(); ++i) {
        unsigned code = static_cast<uint8_t>(codes[i]), cells = 1;
        if (c.info.set != LB_GLYPHS_SINGLE && i + 1 < codes.size() &&
            lb_pairs(code, static_cast<uint8_t>(codes[i + 1]))) {
            code = code << 8 | static_cast<uint8_t>(codes[++i]);
            cells = 2;
        }
        const int width = static_cast<int>(cells) * c.HalfWidth();
        for (int r = 0; r < c.Height(); ++r)
            for (int b = 0; b < width; ++b) misses += h.Pixel(x + b, y + r) != (c.Ink(code, cells, b, r) ? ink : paper);
        x += width;
    }
    return misses;
}

} // namespace lbtest
