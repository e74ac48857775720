// Reading long texts on the handheld: pages show the line breaks the host computes, and
// every page of a 20 MB text can be reached with the jumps.
#include "Cartridge.h"

#include <gtest/gtest.h>

extern "C" {
#include "text_layout.h"
}

using namespace lbtest;

namespace {

// The rows the English font shows on a page: 29 columns from x = 4, rows 16 apart from y = 20.
constexpr int kColumns = 29, kTop = 20, kRows = 8;

} // namespace

TEST(Reader, APageShowsTheBreaksTheHostComputes) {
    Cartridge c;
    const std::string text =
        "The quick brown fox jumps over the lazy dog, and the lazy dog sleeps on in the warm "
        "afternoon sun while the fox runs off across the fields towards the dark wood beyond "
        "the river.\r\nA second paragraph, with averyveryveryverylongwordthatfillsaline and more.";
    c.home.Write("Fox.txt", text);
    Handheld h(c.Build({"Fox.txt"}));
    OpenFirstEntry(h);
    lb_text t{reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), kColumns, 0, nullptr};
    uint32_t at = 0;
    for (int row = 0; row < kRows && at < t.length; ++row) {
        std::string shown(kColumns, ' ');
        auto put = [](void* context, unsigned column, unsigned code, unsigned) {
            (*static_cast<std::string*>(context))[column] = static_cast<char>(code);
        };
        at = lb_layout_line(&t, at, put, &shown);
        EXPECT_EQ(GlyphMisses(h, c, 4, kTop + 16 * row, shown, kBlack, kBackColour.Colour()), 0)
            << "row " << row << ": " << shown;
        if (row == 0) {
            EXPECT_EQ(shown, "The quick brown fox jumps    ");
        }
    }
}

TEST(Reader, EveryPageOfATwentyMegabyteTextIsReached) {
    Cartridge c;
    std::string text;
    text.reserve(21u << 20);
    for (int i = 0; text.size() < (20u << 20); ++i) text += "line " + std::to_string(i) + " of a long book\r\n";
    text += "The very end.\r\n";
    c.home.Write("Book.txt", text);
    Handheld h(c.Build({"Book.txt"}));
    OpenFirstEntry(h);
    for (int jump = 0; jump < 10; ++jump) {
        h.SetKeys(kKeySelect | kKeyRight);
        h.Run(2);
        h.SetKeys(0);
        h.Run(1200); // pages are counted as far as the jump goes
    }
    h.Press(kKeyRight);
    h.Run(10);
    int found = 0;
    for (int row = 0; row < kRows; ++row)
        found += GlyphMisses(h, c, 4, kTop + 16 * row, "The very end.", kBlack, kBackColour.Colour()) == 0;
    EXPECT_EQ(found, 1);
}

// A list longer than the menu shows its place in the corner the corner setting names.
TEST(Reader, ALongMenuShowsThePlace) {
    Cartridge c;
    std::vector<std::string> entries;
    for (int i = 0; i < 12; ++i) {
        entries.push_back("n" + std::to_string(i) + ".txt");
        c.home.Write(entries.back(), "x");
    }
    for (int corner : {0, 3}) {
        Handheld h(c.Build(entries, corner));
        h.Run(10);
        h.Press(kKeyStart);
        h.Run(20);
        h.Press(kKeyDown);
        h.Run(10);
        // The English font's 8-pixel cells: "2/12" is 32 pixels wide.
        const int x = corner & 1 ? 240 - 4 - 32 : 4, y = corner < 2 ? 2 : 160 - 16 - 2;
        EXPECT_EQ(GlyphMisses(h, c, x, y, "2/12", kWhite, kMenuColour.Colour()), 0) << corner;
    }
}
