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

    // A slot damaged by one flipped bit is no longer believed.
    sram[16 + 4] ^= 1;
    uint32_t found = 0;
    for (uint32_t k = 1; k <= LB_SAVE_SLOTS; ++k) found += lb_save_line(&save, 1000 + k) != 0;
    EXPECT_EQ(found, LB_SAVE_SLOTS - 2); // 1002 gave way, and one slot is damaged
}
