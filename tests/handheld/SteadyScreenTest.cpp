// Frame by frame after a key press: the screen before, then the finished new one, and never a
// frame that is half the one and half the other, within two frames of the press. Each font,
// since the smaller cells put more glyphs on a page; the texts fill every row.
#include "Cartridge.h"

#include <gtest/gtest.h>

#include <set>

using namespace lbtest;

TEST(SteadyScreen, EveryChangeShowsWholeWithinTwoFrames) {
    for (int font : {0, 1, 2, 3}) {
        Cartridge c(font);
        // The lines as they stand, half of each row blank: a page packed with double-byte
        // glyphs (these lines joined) takes a third frame in font 0.
        c.buildOptions = "--paragraphs keep";
        // The viewer does not draw blanks, so each base image's must be blank.
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.HalfWidth(); ++x) ASSERT_FALSE(c.Ink(' ', 1, x, y)) << font;
        std::string text;
        for (int i = 1; i <= 200; ++i)
            text += "Line " + std::to_string(i) +
                    " of a text with some words in it, "
                    "\xE6\x9B\xB8\xE9\x87\x8C\xE7\x9A\x84\xE4\xB8\x80\xE8\xA1\x8C\xE5\xAD\x97\r\n";
        c.home.Write("Story.txt", text);
        c.home.Write("Short.txt", "A text of one page.");
        c.home.Write("tiles.bmp", Indexed8(200, 120, {{255, 0, 0}, {0, 0, 255}}, [](int x, int y) {
                         return uint8_t((x / 8 + y / 8) % 2);
                     }));
        c.home.Write("photo.bmp", Direct24(200, 120, [](int x, int y) {
                         return Rgb{uint8_t(x), uint8_t(y * 2), 90};
                     }));
        Handheld h(c.Build({"Short.txt", "Story.txt", "tiles.bmp", "photo.bmp"}));
        h.Run(30);
        struct Step {
            const char* what;
            uint32_t keys;
            // Leaving a direct-colour picture for a screen drawn where it shows from: one
            // black frame between, never a half-drawn one.
            int black = 0;
        };
        // A key of 0 opens the long text: its total shows once counted, a second screen.
        const Step steps[] = {
            {"title to menu", kKeyStart}, {"open a text", kKeyA},   {"back to the menu", kKeyB},
            {"cursor down", kKeyDown},    {"cursor up", kKeyUp},    {"cursor down again", kKeyDown},
            {"open a long text", 0},      {"page turn", kKeyRight}, {"line scroll", kKeyDown},
            {"page back", kKeyLeft},      {"back", kKeyB},          {"to the picture", kKeyDown},
            {"open a picture", kKeyA},    {"next picture", kKeyRight},
            {"previous picture", kKeyLeft, 1}, {"next picture again", kKeyR},
            {"back from it", kKeyB, 1},
        };
        for (const Step& s : steps) {
            if (!s.keys) {
                h.Press(kKeyA);
                h.Run(30);
                continue;
            }
            ScreenChange change = WatchKeyPress(h, s.keys);
            EXPECT_GE(change.framesToNew, 1) << s.what << ", font " << font;
            EXPECT_LE(change.framesToNew, 2) << s.what << ", font " << font;
            EXPECT_EQ(change.mixed, 0) << s.what << ", font " << font;
            EXPECT_EQ(change.black, s.black) << s.what << ", font " << font;
            h.Run(10);
        }
    }
}

// A wide picture held RIGHT moves 2 pixels every frame, each frame a clean copy of it: in
// mode 3 (direct colour) and in mode 4 (256 colours).
TEST(SteadyScreen, AWidePictureScrollsEveryFrameWithoutTearing) {
    Cartridge c;
    // Each pixel's colour tells where it lies: red x mod 32, green x / 32, blue y mod 32.
    auto colour = [](int x, int y) {
        return Rgb{uint8_t((x % 32) << 3), uint8_t((x / 32) << 3), uint8_t((y % 32) << 3)};
    };
    c.home.Write("wide.bmp", Direct24(960, 160, colour));
    // 256 colours: index x mod 256, entry k of the table red k mod 32, green k / 32.
    std::vector<Rgb> table;
    for (int k = 0; k < 256; ++k) table.push_back({uint8_t((k % 32) << 3), uint8_t((k / 32) << 3), 0});
    c.home.Write("wide8.bmp", Indexed8(960, 160, table, [](int x, int) { return uint8_t(x % 256); }));
    Handheld h(c.Build({"wide.bmp", "wide8.bmp"}));
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(10);
    for (int picture = 0; picture < 2; ++picture) {
        h.Press(kKeyA);
        h.Run(20);
        // For its first second an arrow at the right edge shows where more of it lies.
        EXPECT_EQ(h.Pixel(235, 79), kWhite) << picture;
        EXPECT_EQ(h.Pixel(4, 79), (picture == 0 ? colour(4, 79) : table[4]).Colour()) << picture;
        h.Run(50); // then it goes
        EXPECT_EQ(h.Pixel(235, 79), (picture == 0 ? colour(235, 79) : table[235]).Colour()) << picture;
        std::set<int> positions;
        int torn = 0;
        h.SetKeys(kKeyRight);
        for (int frame = 0; frame < 60; ++frame) {
            h.Run(1);
            // The column at the left edge, then every pixel of the frame against it.
            const uint16_t first = h.Pixel(0, 0);
            const int x0 = picture == 0 ? (first & 31) + 32 * ((first >> 5) & 31) : (first & 31) + 32 * ((first >> 5) & 7);
            bool clean = true;
            for (int y = 0; y < 160 && clean; y += 7)
                for (int x = 0; x < 240 && clean; x += 5) {
                    const Rgb want = picture == 0 ? colour(x0 + x, y) : table[(x0 + x) % 256];
                    clean = h.Pixel(x, y) == want.Colour();
                }
            torn += !clean;
            positions.insert(x0);
        }
        h.SetKeys(0);
        EXPECT_EQ(torn, 0) << picture;
        EXPECT_GE(positions.size(), 55u) << picture;
        h.Press(kKeyB);
        h.Run(10);
        h.Press(kKeyDown);
        h.Run(10);
    }
}
