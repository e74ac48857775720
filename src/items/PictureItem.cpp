#include "items/PictureItem.h"

#include "common/Error.h"
#include "rom/Bitmap.h"
#include "rom/Colour.h"
#include "rom/ColourTable.h"
#include "rom/RomLayout.h"

#include <algorithm>
#include <cstring>

namespace lb {

namespace {

size_t RoundUp(size_t n, size_t to) { return (n + to - 1) / to * to; }

ItemData Indexed(const Bitmap& picture, bool sixteen) {
    const size_t w = static_cast<size_t>(picture.width), h = static_cast<size_t>(picture.height);
    const size_t W = RoundUp(w, sixteen ? 8 : 4);
    const size_t storedRow = sixteen ? W / 2 : W;
    const int entries = sixteen ? 16 : 256;
    std::vector<uint8_t> rows = picture.PixelBytes();
    const size_t S = picture.RowBytes();

    ItemData item;
    item.type = sixteen ? LB_INDEXED16 : LB_INDEXED256;
    item.width = static_cast<uint16_t>(W);
    item.height = static_cast<uint16_t>(h);
    item.data.assign(storedRow * h + 2 * entries, 0);
    if (S == storedRow) {
        std::memcpy(item.data.data(), rows.data(), rows.size());
    } else {
        // The bytes of each stored row past the source row stay zero.
        for (size_t r = 0; r < h; ++r)
            std::memcpy(item.data.data() + r * storedRow, rows.data() + r * S, S);
    }
    AppendPalette(picture.palette, entries, item.data.data() + storedRow * h);
    return item;
}

ItemData Direct(const Bitmap& picture) {
    const size_t w = static_cast<size_t>(picture.width), h = static_cast<size_t>(picture.height);
    const size_t W = RoundUp(w, 2);
    ItemData item;
    item.type = LB_DIRECT_COLOUR;
    item.width = static_cast<uint16_t>(W);
    item.height = static_cast<uint16_t>(h);
    // The column added to an odd width stays black.
    item.data.assign(W * h * 2, 0);
    uint8_t* out = item.data.data();
    for (size_t y = 0; y < h; ++y) {
        uint8_t* row = out + y * W * 2;
        for (size_t x = 0; x < w; ++x) {
            uint16_t c = Colour15FromValue(static_cast<int32_t>(
                picture.ColourAt(static_cast<int32_t>(x), static_cast<int32_t>(y))));
            row[2 * x] = static_cast<uint8_t>(c & 255);
            row[2 * x + 1] = static_cast<uint8_t>(c / 256);
        }
    }
    return item;
}

} // namespace

ItemData EncodePicture(std::span<const uint8_t> file) {
    Bitmap picture = DecodeBitmap(file);
    if (picture.bitCount == 4 || picture.bitCount == 8) return Indexed(picture, picture.bitCount == 4);
    return Direct(picture);
}

} // namespace lb
