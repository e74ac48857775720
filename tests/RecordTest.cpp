#include "items/ItemRecord.h"
#include "items/TextItem.h"

#include <gtest/gtest.h>

using namespace lb;

TEST(ItemRecord, CarriedKindAndSize) {
    ItemRecordHeaders h;
    ItemData pic{1, 240, 160, 0, {}, {}};
    ItemData text = EncodeText({'a', 'b', 'c', 'd', 'e'}, 9);
    ItemData lkb = EncodeText({}, 10);
    ItemData pic2{2, 8, 2, 0, {}, {}};
    using H = std::array<uint8_t, 12>;
    // First record: previous type and size zero.
    EXPECT_EQ(h.Next(pic), (H{1, 0, 0, 0, 0x00, 0xF0, 0x00, 0xA0, 0, 0, 0, 0}));
    // Text after a picture carries the picture's width and height.
    EXPECT_EQ(h.Next(text), (H{9, 1, 0, 0, 0, 0, 0, 8, 0x00, 0xF0, 0x00, 0xA0}));
    // Text after text carries the earlier length.
    EXPECT_EQ(h.Next(lkb), (H{10, 9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8}));
    // Picture after a text carries the text's length, not the last picture's size.
    EXPECT_EQ(h.Next(pic2), (H{2, 10, 0, 0, 0, 8, 0, 2, 0, 0, 0, 0}));
    // Picture after picture.
    EXPECT_EQ(h.Next(pic), (H{1, 2, 0, 0, 0x00, 0xF0, 0x00, 0xA0, 0, 8, 0, 2}));
}
