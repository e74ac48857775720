// The viewer in the emulator: ROMs built by the command line from generated pictures and
// texts, the frames checked pixel for pixel.
#include "Cartridge.h"

#include <gtest/gtest.h>

#include <functional>

using namespace lbtest;

namespace {

std::vector<uint8_t> Indexed4(int w, int h, const std::vector<Rgb>& colours,
                              const std::function<uint8_t(int, int)>& index) {
    const std::vector<uint8_t> palette = ColourTable(colours, 16);
    const int stride = ((w + 1) / 2 + 3) / 4 * 4;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels[static_cast<size_t>((h - 1 - y) * stride + x / 2)] |=
                static_cast<uint8_t>(index(x, y) << (x % 2 ? 0 : 4));
    return MakeBmp({w, h, 4, 0, palette, pixels});
}

} // namespace

TEST(Viewer, TitleThenMenuWithTheFirstRowMarked) {
    Cartridge c;
    c.home.Write("Apple.txt", "a");
    c.home.Write("Pear.txt", "b");
    c.home.Write("Plum.txt", "c");
    Handheld h(c.Build({"Apple.txt", "Pear.txt", "Plum.txt"}));
    h.Run(30);
    int misses = 0;
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x) misses += h.Pixel(x, y) != kTitleColours[TitleIndex(x, y)].Colour();
    EXPECT_EQ(misses, 0);

    h.Press(kKeyStart);
    h.Run(20);
    // Rows from (24, 32), 16 pixels apart; the first on a white bar in black, the others white.
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Apple", kBlack, kWhite), 0);
    // The bar spans from X to 240 - X.
    EXPECT_EQ(h.Pixel(215, 32), kWhite);
    EXPECT_EQ(h.Pixel(216, 32), kMenuColour.Colour());
    EXPECT_EQ(GlyphMisses(h, c, 24, 48, "Pear", kWhite, kMenuColour.Colour()), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 64, "Plum", kWhite, kMenuColour.Colour()), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 80, "    ", kWhite, kMenuColour.Colour()), 0); // no fourth row
    h.Press(kKeyUp); // wraps to the last row
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 64, "Plum", kBlack, kWhite), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Apple", kWhite, kMenuColour.Colour()), 0);
}

TEST(Viewer, PicturesShowPixelForPixel) {
    Cartridge c;
    const std::vector<Rgb> colours = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    auto index = [](int x, int y) { return static_cast<uint8_t>((x + 2 * y) % 4); };
    auto direct = [](int x, int y) { return Rgb{uint8_t(x * 24), uint8_t(y * 40), 100}; };
    c.home.Write("p8.bmp", Indexed8(16, 8, colours, index));
    c.home.Write("p4.bmp", Indexed4(16, 8, colours, index));
    c.home.Write("p24.bmp", Direct24(10, 6, direct));
    Handheld h(c.Build({"p8.bmp", "p4.bmp", "p24.bmp"}));
    h.Run(10);
    h.Press(kKeyStart);
    struct Shown {
        const char* what;
        int w, h;
        std::function<uint16_t(int, int)> colour;
    } pictures[] = {
        {"8-bit", 16, 8, [&](int x, int y) { return colours[index(x, y)].Colour(); }},
        {"4-bit", 16, 8, [&](int x, int y) { return colours[index(x, y)].Colour(); }},
        {"24-bit", 10, 6, [&](int x, int y) { return direct(x, y).Colour(); }},
    };
    for (auto& p : pictures) {
        h.Press(kKeyA);
        h.Run(90);
        const int left = (240 - p.w) / 2, top = (160 - p.h) / 2;
        int misses = 0;
        for (int y = 0; y < 160; ++y)
            for (int x = 0; x < 240; ++x) {
                bool inside = x >= left && y >= top && x < left + p.w && y < top + p.h;
                misses += h.Pixel(x, y) != (inside ? p.colour(x - left, y - top) : kBlack);
            }
        EXPECT_EQ(misses, 0) << p.what;
        h.Press(kKeyB);
        h.Run(20);
        h.Press(kKeyDown);
    }
}

TEST(Viewer, LargePictureScrolls) {
    Cartridge c;
    // Each pixel's colour tells where it lies: red x mod 32, green x / 32, blue y mod 32.
    c.home.Write("big.bmp", Direct24(480, 320, [](int x, int y) {
        return Rgb{uint8_t((x % 32) << 3), uint8_t((x / 32) << 3), uint8_t((y % 32) << 3)};
    }));
    Handheld h(c.Build({"big.bmp"}));
    OpenFirstEntry(h);
    auto where = [&](int sx, int sy) {
        uint16_t p = h.Pixel(sx, sy);
        return std::pair<int, int>{(p & 31) + 32 * ((p >> 5) & 31), (p >> 10) & 31};
    };
    EXPECT_EQ(where(0, 0), (std::pair<int, int>{0, 0}));
    EXPECT_EQ(where(239, 159), (std::pair<int, int>{239, 159 % 32}));
    // Held right and down, it moves by whole steps of 2 and stops at the far edge.
    h.Press(kKeyRight | kKeyDown);
    h.Run(90);
    auto [x0, y0] = where(0, 0);
    EXPECT_GT(x0, 0);
    EXPECT_EQ(x0 % 2, 0);
    EXPECT_EQ(where(100, 0).first, x0 + 100);
    // Held on, after half a second it moves 8 a frame: 90 frames more reach the far edge.
    h.SetKeys(kKeyRight);
    h.Run(90);
    h.SetKeys(0);
    h.Run(10);
    EXPECT_EQ(where(0, 0).first, 240);
    EXPECT_EQ(where(239, 0).first, 479);
}

TEST(Viewer, TextPagesAndTheIndicatorInEachCorner) {
    std::string text;
    for (int i = 1; i <= 20; ++i) text += "Line " + std::to_string(i) + "\r\n";
    const uint16_t back = kBackColour.Colour();
    for (int corner = 0; corner < 4; ++corner) {
        Cartridge c;
        c.home.Write("Story.txt", text);
        Handheld h(c.Build({"Story.txt"}, corner));
        OpenFirstEntry(h);
        const int top = corner < 2 ? 20 : 4;
        EXPECT_EQ(GlyphMisses(h, c, 4, top, "Line 1", kBlack, back), 0) << corner;
        EXPECT_EQ(GlyphMisses(h, c, 4, top + 7 * 16, "Line 8", kBlack, back), 0) << corner;
        // The page, the pages and how much is read: 1 of 3 is 33 %, 2 of 3 67 %.
        const int ix = corner & 1 ? 240 - 4 - 7 * 8 : 4, iy = corner < 2 ? 2 : 160 - 16 - 2;
        EXPECT_EQ(GlyphMisses(h, c, ix, iy, "1/3 33%", kBlack, back), 0) << corner;
        h.Press(kKeyRight);
        h.Run(60);
        EXPECT_EQ(GlyphMisses(h, c, 4, top, "Line 9 ", kBlack, back), 0) << corner;
        EXPECT_EQ(GlyphMisses(h, c, ix, iy, "2/3 67%", kBlack, back), 0) << corner;
        h.Press(kKeyDown);
        h.Run(60);
        EXPECT_EQ(GlyphMisses(h, c, 4, top, "Line 10", kBlack, back), 0) << corner;
    }
}

TEST(Viewer, ItemsBeforeTheFirstHeadingAndAnEmptyCategory) {
    Cartridge c;
    for (const char* name : {"Intro.txt", "@Empty.txt", "@Fruit.txt", "Apple.txt"}) c.home.Write(name, "x");
    Handheld h(c.Build({"Intro.txt", "@Empty.txt", "@Fruit.txt", "Apple.txt"}));
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    const uint16_t dark = kMenuColour.Colour();
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Intro", kBlack, kWhite), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 48, "Empty", kWhite, dark), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 64, "Fruit", kWhite, dark), 0);
    EXPECT_EQ(GlyphMisses(h, c, 24, 80, "     ", kWhite, dark), 0); // Apple is inside Fruit
    h.Press(kKeyDown);
    h.Press(kKeyA); // the empty category: no rows at all
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "     ", kWhite, dark), 0);
    h.Press(kKeyB);
    h.Press(kKeyDown);
    h.Press(kKeyA);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Apple", kBlack, kWhite), 0);
}

TEST(Viewer, LongTextShowsItsFirstPageAtOnce) {
    Cartridge c;
    std::string text;
    for (int i = 1; text.size() < (1u << 20); ++i) text += "Line " + std::to_string(i) + "\r\n";
    c.home.Write("Long.txt", text);
    Handheld h(c.Build({"Long.txt"}));
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    h.Press(kKeyA); // 8 frames of the half second
    h.Run(22);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20, "Line 1", kBlack, kBackColour.Colour()), 0);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20 + 7 * 16, "Line 8", kBlack, kBackColour.Colour()), 0);
}

TEST(Viewer, AnUnknownRecordKindGivesAMessage) {
    Cartridge c;
    c.home.Write("Note.txt", "abc");
    std::string rom = c.Build({"Note.txt"});
    auto bytes = ReadBytes(rom);
    const size_t record = 0xC814 + 3 * 38912 + 16 + 36;
    ASSERT_EQ(bytes[record], 9);
    bytes[record] = 5; // no such kind
    c.home.Write("test.gba", bytes);
    Handheld h(rom);
    h.Run(10);
    h.Press(kKeyStart);
    h.Press(kKeyA);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 4, 72, "Cannot read this entry", kWhite, kBlack), 0);
    h.Press(kKeyB);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Note", kBlack, kWhite), 0);
}
