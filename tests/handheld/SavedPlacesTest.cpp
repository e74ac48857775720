// The reader's places kept in the cartridge's SRAM: in the emulator across a reset and a
// rebuilt ROM, and the keeping itself on the host.
#include "Cartridge.h"

#include <gtest/gtest.h>
#include <random>

extern "C" {
#include "saved_places.h"
}

using namespace lbtest;

namespace {

std::string Book(const std::string& last) {
    std::string text;
    for (int i = 1; i <= 400; ++i) text += "Line " + std::to_string(i) + "\r\n";
    return text + last + "\r\n";
}

// The first line a text page shows (English font: from x = 4, y = 20).
bool Shows(const Handheld& h, const Cartridge& c, const std::string& line) {
    return GlyphMisses(h, c, 4, 20, line, kBlack, kBackColour.Colour()) == 0;
}

} // namespace

TEST(SavedPlaces, ATextOpensWhereItWasLeftAfterAReset) {
    Cartridge c;
    c.home.Write("Book.txt", Book("The end."));
    Handheld h(c.Build({"Book.txt"}));
    OpenFirstEntry(h);
    ASSERT_TRUE(Shows(h, c, "Line 1"));
    for (int i = 0; i < 3; ++i) h.Press(kKeyRight); // 8 lines a page: page 4 starts at line 25
    h.Press(kKeyDown);                            // one line further
    h.Run(10);
    ASSERT_TRUE(Shows(h, c, "Line 26"));
    h.Press(kKeyB);
    h.Run(10);
    const std::vector<uint8_t> kept = h.SaveData();
    ASSERT_EQ(kept.size(), 0x8000u); // the ROM asked for 32 KiB of SRAM

    h.Reset(); // the power off and on again
    OpenFirstEntry(h);
    EXPECT_TRUE(Shows(h, c, "Line 26"));

    // A rebuilt ROM whose text changed starts it at its first line.
    c.home.Write("Book.txt", Book("A new end."));
    Handheld changed(c.Build({"Book.txt"}));
    changed.SetSaveData(kept);
    changed.Reset();
    OpenFirstEntry(changed);
    EXPECT_TRUE(Shows(changed, c, "Line 1"));

    // SRAM full of noise is started afresh.
    std::vector<uint8_t> noise(0x8000);
    std::mt19937 random(7);
    for (auto& b : noise) b = static_cast<uint8_t>(random());
    Handheld noisy(c.Build({"Book.txt"}));
    noisy.SetSaveData(noise);
    noisy.Reset();
    OpenFirstEntry(noisy);
    EXPECT_TRUE(Shows(noisy, c, "Line 1"));
}

// A at the title goes on with the entry read last, at its kept place; with nothing read yet
// it opens the menu, as START does.
TEST(SavedPlaces, AAtTheTitleGoesOnWithTheEntryReadLast) {
    Cartridge c;
    c.home.Write("Shelf/Apple.txt", "An apple.");
    c.home.Write("Shelf/Book.txt", Book("The end."));
    Handheld h(c.Build({"Shelf"}));
    h.Run(10);
    h.Press(kKeyA); // nothing read yet: the menu, its heading marked
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 32, "Shelf", kBlack, kWhite), 0);
    h.Press(kKeyA);
    h.Run(20);
    h.Press(kKeyDown);
    h.Run(20);
    h.Press(kKeyA); // the book
    h.Run(60);
    for (int i = 0; i < 6; ++i) {
        h.Press(kKeyRight); // to page 7, which starts at line 49
        h.Run(10);
    }
    ASSERT_TRUE(Shows(h, c, "Line 49"));

    h.Reset(); // SRAM kept
    h.Run(10);
    h.Press(kKeyA);
    h.Run(60);
    EXPECT_TRUE(Shows(h, c, "Line 49"));
    h.Press(kKeyB); // the menu, in its category, on the book
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 48, "Book", kBlack, kWhite), 0);

    // START still opens the menu, at the kept category and cursor.
    h.Reset();
    h.Run(10);
    h.Press(kKeyStart);
    h.Run(20);
    EXPECT_EQ(GlyphMisses(h, c, 24, 48, "Book", kBlack, kWhite), 0);
}

TEST(SavedPlaces, KeepingOnTheHost) {
    std::vector<uint8_t> sram(LB_SAVE_BYTES, 0xFF);
    lb_save save;
    lb_save_open(&save, sram.data(), 1234);
    EXPECT_EQ(lb_save_line(&save, 42), 0u);
    int category = 0;
    unsigned cursor = 0;
    EXPECT_EQ(lb_save_menu(&save, &category, &cursor), 0);
    unsigned last = 0;
    EXPECT_EQ(lb_save_last(&save, &last), 0);
    lb_save_set_line(&save, 42, 300);
    lb_save_set_menu(&save, -1, 5);
    lb_save_set_last(&save, 0); // entry 0 is kept as 1: 0 means none
    lb_save_open(&save, sram.data(), 1234); // as after a reset
    EXPECT_EQ(lb_save_line(&save, 42), 300u);
    ASSERT_EQ(lb_save_last(&save, &last), 1);
    EXPECT_EQ(last, 0u);
    lb_save_set_last(&save, 65534);
    ASSERT_EQ(lb_save_last(&save, &last), 1);
    EXPECT_EQ(last, 65534u);
    ASSERT_EQ(lb_save_menu(&save, &category, &cursor), 1);
    EXPECT_EQ(category, -1);
    EXPECT_EQ(cursor, 5u);
    lb_save_open(&save, sram.data(), 999); // another menu: the menu's places go, texts stay
    EXPECT_EQ(lb_save_menu(&save, &category, &cursor), 0);
    EXPECT_EQ(lb_save_last(&save, &last), 0);
    EXPECT_EQ(lb_save_line(&save, 42), 300u);

    // Full: the text read longest ago gives way.
    for (uint32_t k = 1; k <= LB_SAVE_SLOTS; ++k) lb_save_set_line(&save, 1000 + k, k);
    EXPECT_EQ(lb_save_line(&save, 42), 0u);       // the oldest, gone
    EXPECT_EQ(lb_save_line(&save, 1001), 1u);     // the others kept
    EXPECT_EQ(lb_save_line(&save, 1000 + LB_SAVE_SLOTS), LB_SAVE_SLOTS);
    lb_save_set_line(&save, 1001, 7);             // read again: now the newest
    lb_save_set_line(&save, 5000, 9);             // takes the place of 1002
    EXPECT_EQ(lb_save_line(&save, 1001), 7u);
    EXPECT_EQ(lb_save_line(&save, 1002), 0u);
    EXPECT_EQ(lb_save_line(&save, 5000), 9u);

    // Bookmarks: kept for the 128 texts marked latest, the oldest giving way.
    uint32_t lines[LB_MARKS_PER_TEXT] = {};
    const uint32_t three[] = {16, 48, 0xFFFFFF};
    EXPECT_EQ(lb_save_marks(&save, 42, lines), 0u);
    lb_save_set_marks(&save, 42, three, 3);
    for (uint32_t k = 1; k < LB_MARKED_TEXTS; ++k) lb_save_set_marks(&save, 7000 + k, three, 1);
    lb_save_open(&save, sram.data(), 999);
    ASSERT_EQ(lb_save_marks(&save, 42, lines), 3u);
    EXPECT_EQ(std::vector<uint32_t>(lines, lines + 3), std::vector<uint32_t>(three, three + 3));
    lb_save_set_marks(&save, 9000, three, 2); // the 129th: text 42's marks go
    EXPECT_EQ(lb_save_marks(&save, 42, lines), 0u);
    EXPECT_EQ(lb_save_marks(&save, 9000, lines), 2u);
    EXPECT_EQ(lb_save_marks(&save, 7001, lines), 1u);

    // A slot damaged by one flipped bit is no longer believed.
    sram[16 + 4] ^= 1;
    uint32_t found = 0;
    for (uint32_t k = 1; k <= LB_SAVE_SLOTS; ++k) found += lb_save_line(&save, 1000 + k) != 0;
    EXPECT_EQ(found, LB_SAVE_SLOTS - 2); // 1002 gave way, and one slot is damaged
}

// SELECT with A marks a page (a "*" before its indicator) or takes the mark away; SELECT with
// Down and Up go between the marked pages; the marks are kept across a reset.
TEST(SavedPlaces, BookmarksAreSetFollowedAndKept) {
    Cartridge c;
    c.home.Write("Book.txt", Book("The end.")); // 8 lines a page: page p starts at line 8p - 7
    Handheld h(c.Build({"Book.txt"}));
    OpenFirstEntry(h);
    auto press = [&](uint32_t keys) {
        h.Press(keys);
        h.Run(20);
    };
    auto turn = [&](int pages) {
        for (int i = 0; i < pages; ++i) press(kKeyRight);
    };
    const uint16_t back = kBackColour.Colour();
    turn(2); // page 3
    press(kKeySelect | kKeyA);
    EXPECT_EQ(GlyphMisses(h, c, 4, 2, "* 3/51", kBlack, back), 0);
    turn(4); // page 7
    press(kKeySelect | kKeyA);
    turn(3); // page 10
    press(kKeySelect | kKeyA);
    turn(2); // page 12, unmarked
    EXPECT_EQ(GlyphMisses(h, c, 4, 2, "12/51", kBlack, back), 0);
    press(kKeySelect | kKeyUp);
    EXPECT_TRUE(Shows(h, c, "Line 73")); // page 10
    press(kKeySelect | kKeyUp);
    EXPECT_TRUE(Shows(h, c, "Line 49")); // page 7
    press(kKeySelect | kKeyA);           // its mark taken away
    EXPECT_EQ(GlyphMisses(h, c, 4, 2, "7/51", kBlack, back), 0);
    press(kKeySelect | kKeyUp);
    EXPECT_TRUE(Shows(h, c, "Line 17")); // page 3
    press(kKeySelect | kKeyDown);
    EXPECT_TRUE(Shows(h, c, "Line 73")); // page 10: page 7 is no longer marked

    h.Reset(); // SRAM kept: two marks remain
    OpenFirstEntry(h);
    EXPECT_TRUE(Shows(h, c, "Line 73"));
    press(kKeySelect | kKeyUp);
    EXPECT_TRUE(Shows(h, c, "Line 17"));
    press(kKeySelect | kKeyUp); // none before the first
    EXPECT_TRUE(Shows(h, c, "Line 17"));
    press(kKeySelect | kKeyDown);
    EXPECT_TRUE(Shows(h, c, "Line 73"));
    press(kKeySelect | kKeyDown); // none after the last
    EXPECT_TRUE(Shows(h, c, "Line 73"));
}
