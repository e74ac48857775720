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
    // The two table forms agree on every channel value.
    for (int j = 0; j < 256; ++j)
        EXPECT_EQ(GreenShiftTable[FiveBitTable[j]] + BlueShiftTable[FiveBitTable[j]],
                  32 * FiveBitTable[j] + 1024 * FiveBitTable[j]);
}

TEST(Colour, ValueSplitAndTableEntries) {
    EXPECT_EQ(GetRed(0x123456), 0x56);
    EXPECT_EQ(GetGreen(0x123456), 0x34);
    EXPECT_EQ(GetBlue(0x123456), 0x12);
    // Blue 255, green 128, red 8, reserved byte ignored: 0x7E01 as 01 7E.
    ColourTable table{};
    const uint8_t quads[] = {255, 128, 8, 0x77, 255, 255, 255, 0, 0, 0, 255, 0xFF};
    std::copy(std::begin(quads), std::end(quads), table.begin());
    uint8_t out[6];
    AppendPalette(table, 3, out);
    const uint8_t want[] = {0x01, 0x7E, 0xFF, 0x7F, 0x1F, 0x00};
    EXPECT_TRUE(std::equal(out, out + 6, want));
}
