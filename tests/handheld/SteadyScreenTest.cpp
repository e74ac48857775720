// Frame by frame after a key press: the screen before, then the finished new one, and never a
// frame that is half the one and half the other. The menu's changes show within two frames
// of the press; a text page's drawing still takes a frame more.
#include "Cartridge.h"

#include <gtest/gtest.h>

using namespace lbtest;


TEST(SteadyScreen, MenuAndTextChangesShowWholeWithinTwoFrames) {
    Cartridge c;
    std::string text;
    for (int i = 1; i <= 200; ++i) text += "Line " + std::to_string(i) + " of a text with some words in it\r\n";
    c.home.Write("Story.txt", text);
    c.home.Write("Short.txt", "A text of one page.");
    Handheld h(c.Build({"Short.txt", "Story.txt"}));
    h.Run(30);
    struct Step {
        const char* what;
        uint32_t keys;
        int frames = 2; // at most, to the finished new screen
    };
    const Step steps[] = {
        {"title to menu", kKeyStart}, {"open a text", kKeyA}, {"back to the menu", kKeyB},
        {"cursor down", kKeyDown},    {"cursor up", kKeyUp},  {"cursor down again", kKeyDown},
        {"open a long text", 0},      {"page turn", kKeyRight, 3}, {"line scroll", kKeyDown, 3},
        {"page back", kKeyLeft, 3},   {"back", kKeyB},
    };
    for (const Step& s : steps) {
        if (!s.keys) { // its total appears once counted: a second screen, so it is not watched
            h.Press(kKeyA);
            h.Run(30);
            continue;
        }
        ScreenChange change = WatchKeyPress(h, s.keys);
        EXPECT_GE(change.framesToNew, 1) << s.what;
        EXPECT_LE(change.framesToNew, s.frames) << s.what;
        EXPECT_EQ(change.mixed, 0) << s.what;
        h.Run(10);
    }
}
