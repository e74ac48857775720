// The Unicode font on the handheld: each script's characters drawn at their cells exactly as
// the source fonts draw them (Misc Fixed 6x12 for the half-width ones it has, efont b12 for the
// rest), and lines broken by script.
#include "Cartridge.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <gtest/gtest.h>

#include <cstring>

using namespace lbtest;

namespace {

constexpr int kCell = 6, kRows = 12, kTop = 14 + 4, kLeft = 4, kLine = 14;

// A 12-pixel bitmap font from Debian's packages, read by FreeType.
class SourceFont {
  public:
    explicit SourceFont(const char* file) {
        EXPECT_EQ(FT_Init_FreeType(&library_), 0);
        EXPECT_EQ(FT_New_Face(library_, (std::string("/usr/share/fonts/X11/misc/") + file).c_str(),
                              0, &face_),
                  0)
            << file;
        EXPECT_EQ(FT_Set_Pixel_Sizes(face_, 0, kRows), 0) << file;
        baseline_ = int(face_->size->metrics.ascender >> 6);
        EXPECT_EQ(baseline_ - int(face_->size->metrics.descender >> 6), kRows)
            << file; // 12 rows: no centring
    }
    ~SourceFont() {
        FT_Done_Face(face_);
        FT_Done_FreeType(library_);
    }
    bool Has(char32_t c) const { return FT_Get_Char_Index(face_, c) != 0; }

    // The glyph in its cell: its cells' count and whether (x, y) has ink.
    struct Cells {
        int cells = 0;
        std::vector<bool> ink;
        bool At(int x, int y) const { return ink[size_t(y * cells * kCell + x)]; }
    };
    Cells Glyph(char32_t c) const {
        EXPECT_EQ(FT_Load_Char(face_, c, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO), 0) << int(c);
        const FT_GlyphSlot g = face_->glyph;
        Cells out;
        out.cells = int(g->advance.x >> 6) / kCell;
        out.ink.assign(size_t(out.cells * kCell * kRows), false);
        for (unsigned r = 0; r < g->bitmap.rows; ++r)
            for (unsigned b = 0; b < g->bitmap.width; ++b) {
                const int x = g->bitmap_left + int(b), y = baseline_ - g->bitmap_top + int(r);
                const bool on =
                    g->bitmap.buffer[r * unsigned(g->bitmap.pitch) + b / 8] & (0x80 >> (b % 8));
                if (on && x >= 0 && x < out.cells * kCell && y >= 0 && y < kRows)
                    out.ink[size_t(y * out.cells * kCell + x)] = true;
            }
        return out;
    }

  private:
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int baseline_ = 0;
};

const SourceFont& Half() {
    static const SourceFont font("6x12.pcf.gz");
    return font;
}
const SourceFont& Full() {
    static const SourceFont font("b12.pcf.gz");
    return font;
}

// The characters of a UTF-8 line, one code point each.
std::u32string Utf32(const std::string& utf8) {
    const std::string units = Encoded(utf8, "UTF-32LE");
    std::u32string out(units.size() / 4, 0);
    std::memcpy(out.data(), units.data(), units.size());
    return out;
}

// Pixels from (x, y) that differ from `line` drawn in black on the back colour, each
// character from Misc Fixed when it has one, else from efont.
int SourceMisses(const Handheld& h, int x, int y, const std::string& line) {
    int misses = 0;
    for (char32_t c : Utf32(line)) {
        const SourceFont::Cells glyph = Half().Has(c) ? Half().Glyph(c) : Full().Glyph(c);
        EXPECT_GT(glyph.cells, 0) << int(c);
        for (int r = 0; r < kRows; ++r)
            for (int b = 0; b < glyph.cells * kCell; ++b)
                misses += h.Pixel(x + b, y + r) != (glyph.At(b, r) ? kBlack : kBackColour.Colour());
        x += glyph.cells * kCell;
    }
    return misses;
}

} // namespace

TEST(ViewerUnicode, EachScriptShowsTheSourceFontsGlyphs) {
    const std::string lines[] = {
        "吾輩は猫である。名前はまだ無い。",
        "ニャーニャー泣いていた！",
        "모든 인간은 태어날 때부터 자유로우며",
        "Все люди рождаются свободными",
        "Ґанок, їжак, Ўладзімір",
        "Όλοι οι άνθρωποι γεννιούνται",
        "Zażółć gęślą jaźń; Ærø; İşçi",
        "學習 and 学习 « » — ‘’ “” …",
    };
    Cartridge c(4);
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    c.home.Write("Scripts.txt", text);
    Handheld h(c.Build({"Scripts.txt"}));
    OpenFirstEntry(h);
    int y = kTop;
    for (const std::string& line : lines) {
        EXPECT_EQ(SourceMisses(h, kLeft, y, line), 0) << line;
        y += kLine;
    }
    // The glyphs are the fonts' own, not blank cells: 猫 has ink.
    int ink = 0;
    for (int r = 0; r < kRows; ++r)
        for (int b = 0; b < 2 * kCell; ++b)
            ink += h.Pixel(kLeft + 3 * 2 * kCell + b, kTop + r) == kBlack;
    EXPECT_GT(ink, 20);
}

// 38 half cells a line: 19 kana and a 。 that may not start the next line, and a Russian word
// longer than a line, which breaks at the edge.
TEST(ViewerUnicode, LinesBreakByTheScriptsRules) {
    const std::string eighteen = "あいうえおかきくけこさしすせそたちつ";
    const std::string word = "Превысокомногорассмотрительствующийвзгляд"; // 41 letters
    Cartridge c(4);
    c.home.Write("Breaks.txt", eighteen + "て。\r\nда " + word + "\r\n");
    Handheld h(c.Build({"Breaks.txt"}));
    OpenFirstEntry(h);
    EXPECT_EQ(SourceMisses(h, kLeft, kTop, eighteen + "  "), 0);
    EXPECT_EQ(SourceMisses(h, kLeft, kTop + kLine, "て。"), 0);
    EXPECT_EQ(SourceMisses(h, kLeft, kTop + 2 * kLine, "да" + std::string(36, ' ')), 0);
    EXPECT_EQ(SourceMisses(h, kLeft, kTop + 3 * kLine, "Превысокомногорассмотрительствующийвзг"),
              0);
    EXPECT_EQ(SourceMisses(h, kLeft, kTop + 4 * kLine, "ляд"), 0);
}
