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

TEST(SavedPlaces, KeepingOnTheHost) {
    std::vector<uint8_t> sram(LB_SAVE_BYTES, 0xFF);
    lb_save save;
    lb_save_open(&save, sram.data(), 1234);
    EXPECT_EQ(lb_save_line(&save, 42), 0u);
    int category = 0;
    unsigned cursor = 0;
    EXPECT_EQ(lb_save_menu(&save, &category, &cursor), 0);
    lb_save_set_line(&save, 42, 300);
    lb_save_set_menu(&save, -1, 5);
    lb_save_open(&save, sram.data(), 1234); // as after a reset
    EXPECT_EQ(lb_save_line(&save, 42), 300u);
    ASSERT_EQ(lb_save_menu(&save, &category, &cursor), 1);
    EXPECT_EQ(category, -1);
    EXPECT_EQ(cursor, 5u);
    lb_save_open(&save, sram.data(), 999); // another menu: the menu's place goes, texts stay
    EXPECT_EQ(lb_save_menu(&save, &category, &cursor), 0);
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
