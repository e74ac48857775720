// The three Chinese fonts in the emulator: double-byte codes in texts and menu names drawn
// from the base image's glyph tables at the cells the layout gives them.
#include "Cartridge.h"

#include <gtest/gtest.h>

using namespace lbtest;

namespace {

// 中, 文, 海, 潮, 汐 in each font's code page.
struct Codes {
    int font;
    const char *middle, *writing, *sea, *tide;
    int top, secondColumnX; // the first text row; where "a" after two double-byte codes starts
};
const Codes kFonts[] = {
    {0, "\xA4\xA4", "\xA4\xE5", "\xAE\xFC", "\xBC\xE9\xA6\xC1", 12 + 4, 4 + 4 * 5},
    {1, "\xA4\xA4", "\xA4\xE5", "\xAE\xFC", "\xBC\xE9\xA6\xC1", 14 + 4, 4 + 4 * 6},
    {2, "\xD6\xD0", "\xCE\xC4", "\xBA\xA3", "\xB3\xB1\xCF\xAB", 14 + 4, 4 + 4 * 6},
};

} // namespace

TEST(ViewerCjk, TextRowsShowTheGlyphsAtTheirCells) {
    for (const auto& f : kFonts) {
        Cartridge c(f.font);
        c.buildOptions = "--text-encoding keep"; // the invalid codes must reach the viewer as they are
        const std::string m = f.middle, w = f.writing;
        const std::string invalid = f.font == 2 ? "\xA1\x40" : "\xA4\x7F"; // no such trail byte
        c.home.Write("Note.txt", m + w + "abc\r\n" + "x" + m + "\r\n" + invalid + "\xFF" + "z\r\n");
        Handheld h(c.Build({"Note.txt"}));
        OpenFirstEntry(h);
        const uint16_t back = kBackColour.Colour();
        const int line = c.LineHeight();
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top, m + w + "abc ", kBlack, back), 0) << f.font;
        EXPECT_EQ(GlyphMisses(h, c, f.secondColumnX, f.top, "abc", kBlack, back), 0) << f.font;
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top + line, "x" + m, kBlack, back), 0) << f.font;
        // The box: an invalid pair over two cells, a lone byte from 0x80 up over one.
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top + 2 * line, invalid, kBlack, back), 0) << f.font;
        EXPECT_EQ(GlyphMisses(h, c, 4 + 2 * c.HalfWidth(), f.top + 2 * line, "\xFF" "z", kBlack, back), 0)
            << f.font;
        int ink = 0;
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < 2 * c.HalfWidth(); ++x) ink += h.Pixel(4 + x, f.top + y) == kBlack;
        EXPECT_GT(ink, 12) << f.font; // the font's glyph, not an empty cell
        EXPECT_EQ(h.Pixel(4 + 2, f.top + 2 * line + 2), kBlack) << f.font;       // the box's top edge
        EXPECT_EQ(h.Pixel(4 + 2, f.top + 2 * line + 4), back) << f.font;         // and its inside
    }
}

TEST(ViewerCjk, AFullRowOfDoubleByteCodesWrapsWithoutSplittingOne) {
    for (const auto& f : kFonts) {
        Cartridge c(f.font);
        const int columns = 232 / c.HalfWidth(); // 46 or 38
        std::string row;
        for (int i = 0; i < columns / 2; ++i) row += f.middle;
        c.home.Write("Wide.txt", "a" + row);
        Handheld h(c.Build({"Wide.txt"}));
        OpenFirstEntry(h);
        const uint16_t back = kBackColour.Colour();
        // One cell is left at the end of the first row; the last code starts the second.
        std::string first = "a" + row.substr(2) + " ";
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top, first, kBlack, back), 0) << f.font;
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top + c.LineHeight(), std::string(f.middle) + "  ", kBlack, back), 0)
            << f.font;
    }
}

TEST(ViewerCjk, ChineseNamesFromFileNamesAndAPagesText) {
    for (const auto& f : kFonts) {
        Cartridge c(f.font);
        c.home.Write("中文.txt", "x");
        c.home.Write("海.htm", "<html><body><p>潮汐</p></body></html>");
        Handheld h(c.Build({"中文.txt", "海.htm"}));
        h.Run(10);
        h.Press(kKeyStart);
        h.Run(20);
        // Rows from (24, 32) a line apart, the codes set in the middle of the row's gap.
        const int line = c.LineHeight(), inset = (line - c.Height()) / 2;
        EXPECT_EQ(GlyphMisses(h, c, 24, 32 + inset, std::string(f.middle) + f.writing, kBlack, kWhite), 0)
            << f.font;
        EXPECT_EQ(h.Pixel(24, 32), kWhite) << f.font; // the marked row's bar covers the gap
        EXPECT_EQ(GlyphMisses(h, c, 24, 32 + line + inset, f.sea, kWhite, kMenuColour.Colour()), 0) << f.font;
        h.Press(kKeyDown);
        h.Press(kKeyA);
        h.Run(60);
        EXPECT_EQ(GlyphMisses(h, c, 4, f.top, f.tide, kBlack, kBackColour.Colour()), 0) << f.font;
    }
}

// 夠 (Big5 B0F7) in the 10-pixel font: efont's own drawing scattered its strokes into dots;
// the one drawn from the 12-pixel font keeps 多 on the left and 句 on the right, row by row
// as below, and shows so on the handheld.
TEST(ViewerCjk, TheTenPixelFontDrawsEnough) {
    Cartridge c(0);
    const char* rows[] = {"..........", ".####.#...", ".#..######", "#........#", ".##..###.#",
                          ".##..#..##", ".###.#####", "##.####.##", "..##.....#", "###.....##"};
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) EXPECT_EQ(c.Ink(0xB0F7, 2, x, y), rows[y][x] == '#') << x << "," << y;
    c.home.Write("Note.txt", "\xB0\xF7\r\n");
    Handheld h(c.Build({"Note.txt"}));
    OpenFirstEntry(h);
    EXPECT_EQ(GlyphMisses(h, c, 4, 12 + 4, "\xB0\xF7", kBlack, kBackColour.Colour()), 0);
}
