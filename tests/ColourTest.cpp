#include "rom/Colour.h"
#include "rom/ColourTable.h"

#include <gtest/gtest.h>

using namespace lb;

TEST(Colour, FifteenBitValues) {
    struct Case { uint8_t r, g, b; uint16_t want; };
    const Case cases[] = {
        {255, 255, 255, 0x7FFF}, {255, 0, 0, 0x001F}, {0, 255, 0, 0x03E0}, {0, 0, 255, 0x7C00},
        {8, 128, 255, 0x7E01},   {7, 7, 7, 0x0000},   {8, 8, 8, 0x0421},   {248, 0, 0, 0x001F},
        {0, 0, 0, 0x0000},
    };
    for (auto& c : cases) EXPECT_EQ(Colour15(c.r, c.g, c.b), c.want) << int(c.r) << "," << int(c.g) << "," << int(c.b);
    // Table entries at the edges, worked out by hand: 8 bits to 5 drops the low three.
    struct Entry { int at; int fiveBit, green, blue; };
    const Entry entries[] = {{0, 0, 0, 0}, {7, 0, 224, 7168}, {8, 1, 256, 8192},
                             {31, 3, 992, 31744}, {255, 31, -1, -1}};
    for (auto& e : entries) {
        EXPECT_EQ(FiveBitTable[e.at], e.fiveBit) << e.at;
        if (e.green < 0) continue; // the shift tables hold 32 entries
        EXPECT_EQ(GreenShiftTable[e.at], e.green) << e.at;
        EXPECT_EQ(BlueShiftTable[e.at], e.blue) << e.at;
    }
}

TEST(Colour, ValueSplitAndTableEntries) {
    EXPECT_EQ(GetRed(0x123456), 0x56);
    EXPECT_EQ(GetGreen(0x123456), 0x34);
    EXPECT_EQ(GetBlue(0x123456), 0x12);
    // Red 8, green 128, blue 255: 0x7E01 as 01 7E; entries past the table are black.
    const std::vector<uint32_t> palette = {0xFF8008, 0xFFFFFF};
    uint8_t out[6];
    AppendPalette(palette, 3, out);
    const uint8_t want[] = {0x01, 0x7E, 0xFF, 0x7F, 0x00, 0x00};
    EXPECT_TRUE(std::equal(out, out + 6, want));
}
