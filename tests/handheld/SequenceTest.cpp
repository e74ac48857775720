// Reading straight through: from a picture or a text to the next or the previous entry of
// its category without the menu, screenfuls down a tall picture, the sign at either end of
// the category, and B back to the menu with the cursor on the entry shown last.
#include "Cartridge.h"

#include <gtest/gtest.h>

using namespace lbtest;

namespace {

// What a step must show: a picture's middle pixel, a text's first line, or the menu's
// marked row.
struct Shows {
    enum Kind { Colour, Line, TallAt, MarkedRow } kind;
    uint16_t colour = 0;
    std::string line;
    int y = 0; // TallAt: the tall picture's row at the top; MarkedRow: the row
};

Shows Picture(Rgb c) {
    return {Shows::Colour, c.Colour(), "", 0};
}
Shows Text(const std::string& line) {
    return {Shows::Line, 0, line};
}
Shows Tall(int y) {
    return {Shows::TallAt, 0, "", y};
}
Shows Marked(int row, const std::string& name) {
    return {Shows::MarkedRow, 0, name, row};
}

} // namespace

// Read left to right and right to left: the same moves, Left and Right (L and R) swapped.
TEST(Sequence, NextAndPreviousEntriesWithoutTheMenu) {
    for (const bool rtl : {false, true}) {
        SCOPED_TRACE(rtl ? "right to left" : "left to right");
        auto in = [rtl](uint32_t key) {
            if (!rtl) return key;
            const uint32_t swap[][2] = {
                {kKeyLeft, kKeyRight}, {kKeyRight, kKeyLeft}, {kKeyL, kKeyR}, {kKeyR, kKeyL}};
            for (const auto& [from, to] : swap)
                if (key == from) return to;
            return key;
        };
        Cartridge c;
        // The tall picture's first rows would be trimmed as a margin.
        c.buildOptions = rtl ? "--trim off --reading-order rtl" : "--trim off";
        const Rgb red{248, 0, 0}, blue{0, 0, 248};
        c.home.Write("Trip/a.bmp", Direct24(16, 8, [&](int, int) { return red; }));
        std::string story;
        for (int i = 1; i <= 20; ++i) story += "Line " + std::to_string(i) + "\r\n";
        c.home.Write("Trip/b.txt", story);
        // Each row's colour tells the row: green its y mod 32, blue y / 32.
        c.home.Write("Trip/c tall.bmp", Direct24(240, 400, [](int, int y) {
                         return Rgb{0, uint8_t((y % 32) << 3), uint8_t((y / 32) << 3)};
                     }));
        c.home.Write("Trip/d.txt", "Tale\r\n");
        c.home.Write("Trip/e.bmp", Direct24(16, 8, [&](int, int) { return blue; }));
        Handheld h(c.Build({"Trip"})); // a heading, then its files in natural order
        h.Run(10);
        h.Press(kKeyStart);
        h.Run(20);
        h.Press(kKeyA); // into the category
        h.Run(20);
        h.Press(kKeyA); // its first entry
        h.Run(60);
        struct Step {
            uint32_t key;
            Shows shows;
        };
        const Step steps[] = {
            {0, Picture(red)},
            {kKeyLeft, Picture(red)}, // the first entry: nothing before it
            {kKeyRight, Text("Line 1")},
            {kKeyR, Text("Line 9")},
            {kKeyRight, Text("Line 17")},
            {kKeyRight, Tall(0)},
            {kKeyA, Tall(144)},       // a screenful down, 16 rows kept
            {kKeyA, Tall(240)},       // the rest of the column
            {kKeyL, Text("Line 17")}, // back to the text, at its last page
            {kKeyLeft, Text("Line 9")},
            {kKeyR, Text("Line 17")},
            {kKeyR, Tall(0)},
            {kKeyA, Tall(144)},
            {kKeyA, Tall(240)},
            {kKeyA, Text("Tale")}, // past the last screenful: the next entry
            {kKeyLeft, Tall(0)},
            {kKeyR, Text("Tale")},
            {kKeyRight, Picture(blue)},
            {kKeyRight, Picture(blue)}, // the last entry: nothing after it
            {kKeyB, Marked(4, "e")},    // the menu, at the entry shown last
        };
        const uint16_t back = kBackColour.Colour();
        for (size_t k = 0; k < std::size(steps); ++k) {
            const Step& s = steps[k];
            if (s.key) h.Press(in(s.key));
            h.Run(60);
            const Shows& want = s.shows;
            switch (want.kind) {
            case Shows::Colour:
                EXPECT_EQ(h.Pixel(120, 80), want.colour) << "step " << k;
                break;
            case Shows::Line:
                EXPECT_EQ(GlyphMisses(h, c, 4, 20, want.line, kBlack, back), 0) << "step " << k;
                break;
            case Shows::TallAt: {
                const uint16_t p = h.Pixel(0, 0);
                EXPECT_EQ(((p >> 5) & 31) + 32 * ((p >> 10) & 31), want.y) << "step " << k;
                break;
            }
            case Shows::MarkedRow:
                EXPECT_EQ(GlyphMisses(h, c, 24, 32 + 16 * want.y, want.line, kBlack, kWhite), 0)
                    << "step " << k;
                break;
            }
        }
    }
}

// A picture wider than the screen, read right to left, opens at its right edge, and its
// screenfuls run leftwards.
TEST(Sequence, RightToLeftOpensAWidePictureAtItsRightEdge) {
    Cartridge c;
    c.buildOptions = "--reading-order rtl";
    // Each column's colour tells the column: red its x mod 32, green x / 32.
    c.home.Write("wide.bmp", Direct24(600, 160, [](int x, int) {
                     return Rgb{uint8_t((x % 32) << 3), uint8_t((x / 32) << 3), 0};
                 }));
    Handheld h(c.Build({"wide.bmp"}));
    OpenFirstEntry(h);
    auto column = [&](int sx) {
        const uint16_t p = h.Pixel(sx, 0);
        return (p & 31) + 32 * ((p >> 5) & 31);
    };
    EXPECT_EQ(column(0), 360);        // 600 - 240
    for (const int left : {136, 0}) { // 224 to the left a screenful, then the rest
        h.Press(kKeyA);
        h.Run(30);
        EXPECT_EQ(column(0), left);
    }
}

// At either end of a category the viewer shows a black strip at that edge for half a second.
TEST(Sequence, TheEndOfACategoryIsSignedAtItsEdge) {
    Cartridge c;
    const Rgb red{248, 0, 0};
    c.home.Write("a.bmp", Direct24(16, 8, [&](int, int) { return red; }));
    Handheld h(c.Build({"a.bmp"}));
    OpenFirstEntry(h);
    const int left = (240 - 16) / 2;
    h.Press(kKeyLeft);
    h.Run(10);
    EXPECT_EQ(h.Pixel(left + 1, 80), kBlack); // the strip, at the picture's left edge
    EXPECT_EQ(h.Pixel(left + 12, 80), red.Colour());
    h.Run(40);
    EXPECT_EQ(h.Pixel(left + 1, 80), red.Colour()); // gone again
    h.Press(kKeyRight);
    h.Run(10);
    EXPECT_EQ(h.Pixel(left + 14, 80), kBlack);
    EXPECT_EQ(h.Pixel(left + 3, 80), red.Colour());
}

// A key held repeats: the first time after 18 frames (300 ms), then every 5 (cursor moves,
// line scrolls) or 12 (page turns); a key held 40 frames moves 1 + 5 times, 45 frames a page
// turn 1 + 3 times.
TEST(Sequence, HeldKeysRepeat) {
    Cartridge c;
    std::string story;
    for (int i = 1; i <= 12; ++i)
        c.home.Write("List/" + std::string(1, char('a' + i - 1)) + ".txt", "x");
    for (int i = 1; i <= 60; ++i) story += "Line " + std::to_string(i) + "\r\n";
    c.home.Write("Story.txt", story);
    Handheld h(c.Build({"Story.txt", "List"})); // the top level: the story, the list's heading
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    h.Press(kKeyDown);
    h.Run(20);
    h.Press(kKeyA); // into the list
    h.Run(20);
    h.SetKeys(kKeyDown);
    h.Run(40);
    h.SetKeys(0);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32 + 16 * 6, "g", kBlack, kWhite), 0); // row 7 of 12 marked

    h.Press(kKeyB);
    h.Run(20);
    h.Press(kKeyUp);
    h.Run(20);
    h.Press(kKeyA);
    h.Run(60);
    const uint16_t back = kBackColour.Colour();
    h.SetKeys(kKeyDown); // line by line
    h.Run(40);
    h.SetKeys(0);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20, "Line 7 ", kBlack, back), 0);
    h.Press(kKeyUp);
    h.Run(20);
    h.SetKeys(kKeyRight); // page by page, 8 lines a page
    h.Run(45);
    h.SetKeys(0);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20, "Line 33", kBlack, back), 0);
}

// A name wider than its row ends in ".." within the frame (X to 240 - X); selected, it moves
// along until its end shows; a heading ends in " >". A font of narrow cells holds all 35.
TEST(Sequence, LongNamesFitTheirRowAndScrollWhenSelected) {
    for (int font : {0, 1, 2, 3}) {
        Cartridge c(font);
        const std::string name = "Thirty-five characters: a long name";
        c.home.Write("Shelf/A.txt", "a"); // before the long name
        c.home.Write("Shelf/" + name + ".txt", "x");
        Handheld h(c.Build({"Shelf"}));
        h.Run(10);
        h.Press(kKeyStart);
        h.Run(20);
        const unsigned cells = (240 - 2 * 24) / c.HalfWidth();
        const int gap = (c.LineHeight() - c.Height()) / 2, second = 32 + c.LineHeight();
        const uint16_t menu = kMenuColour.Colour();
        EXPECT_EQ(GlyphMisses(h, c, 24, 32 + gap, "Shelf >", kBlack, kWhite), 0) << font;
        h.Press(kKeyA);
        h.Run(20);
        const bool fits = name.size() <= cells;
        const std::string cut = fits ? name : name.substr(0, cells - 2) + "..";
        EXPECT_EQ(GlyphMisses(h, c, 24, second + gap, cut, kWhite, menu), 0) << font;
        h.Press(kKeyDown);
        h.Run(60 + 10 * int(fits ? 0 : name.size() - cells) +
              20); // a second's rest, a step a character
        EXPECT_EQ(GlyphMisses(h, c, 24, second + gap,
                              fits ? name : name.substr(name.size() - cells), kBlack, kWhite),
                  0)
            << font;
        EXPECT_EQ(h.Pixel(240 - 24, second), menu) << font; // the bar ends at 240 - X
    }
}

// Every entry of a long level can be reached: a category of 1,500 texts, its last one after
// the cursor wraps from the first (past the 1,024 rows the menu once listed).
TEST(Sequence, EveryEntryOfALongLevelIsReached) {
    Cartridge c;
    for (int k = 1; k <= 1500; ++k)
        c.home.Write("Long/p" + std::to_string(k) + ".txt", "text " + std::to_string(k));
    Handheld h(c.Build({"Long"}));
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    h.Press(kKeyA);
    h.Run(30);
    h.Press(kKeyUp); // from the first row to the last
    h.Run(30);
    EXPECT_EQ(GlyphMisses(h, c, 4, 2, "1500/1500", kWhite, kMenuColour.Colour()), 0);
    h.Press(kKeyA);
    h.Run(60);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20, "text 1500", kBlack, kBackColour.Colour()), 0);
    h.Press(kKeyLeft); // the one before it, at its last page
    h.Run(60);
    EXPECT_EQ(GlyphMisses(h, c, 4, 20, "text 1499", kBlack, kBackColour.Colour()), 0);
}

// A text of 300 chapters: START shows its contents, the chapter being read marked; Right moves
// by a screenful, A goes to the heading's page, and B returns to the page being read.
TEST(Sequence, TheContentsReachEveryChapter) {
    Cartridge c;
    std::string novel;
    for (int k = 1; k <= 300; ++k)
        novel += "Chapter " + std::to_string(k) + "\r\n\r\nThe text of chapter " + std::to_string(k) +
                 ", a few words long.\r\n\r\n";
    c.home.Write("Novel.txt", novel);
    Handheld h(c.Build({"Novel.txt"}));
    OpenFirstEntry(h);
    const uint16_t back = kBackColour.Colour();
    const auto pageShows = [&](const std::string& line) { // on one of the page's 8 rows
        int rows = 0;
        for (int r = 0; r < 8; ++r) rows += GlyphMisses(h, c, 4, 20 + 16 * r, line, kBlack, back) == 0;
        return rows == 1;
    };
    h.Press(kKeyStart);
    h.Run(30);
    EXPECT_EQ(GlyphMisses(h, c, 6, 4, "Chapter 1", back, kBlack), 0); // marked: paper on ink
    EXPECT_EQ(GlyphMisses(h, c, 6, 20, "Chapter 2", kBlack, back), 0);
    for (int k = 0; k < 40; ++k) {
        h.Press(kKeyRight);
        h.Run(4);
    }
    h.Run(20);
    h.Press(kKeyA);
    h.Run(60);
    EXPECT_TRUE(pageShows("Chapter 300"));
    h.Press(kKeyStart);
    h.Run(30);
    h.Press(kKeyB); // back to the page being read
    h.Run(30);
    EXPECT_TRUE(pageShows("Chapter 300"));
}
