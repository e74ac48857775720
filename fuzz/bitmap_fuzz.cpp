// The bitmap decoder and the picture record made from it.
#include "FuzzCheck.h"
#include "common/Error.h"
#include "items/PictureItem.h"
#include "rom/Bitmap.h"

#include <algorithm>
#include <cstdint>

namespace {

// The pixel count the header claims, read either way a header can hold it (0 when too short).
uint64_t ClaimedPixels(const uint8_t* d, size_t size) {
    if (size < 26) return 0;
    auto u16 = [&](size_t at) { return uint64_t(d[at] | d[at + 1] << 8); };
    auto s32 = [&](size_t at) {
        int32_t v = int32_t(uint32_t(d[at]) | uint32_t(d[at + 1]) << 8 | uint32_t(d[at + 2]) << 16 |
                            uint32_t(d[at + 3]) << 24);
        return v < 0 ? uint64_t(-int64_t(v)) : uint64_t(v);
    };
    return std::max(u16(18) * u16(20), s32(18) * s32(22));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Huge pictures only meet the decoder's size limit, which the unit tests cover; a short
    // RLE file may claim millions of pixels and would slow the search to a crawl.
    if (ClaimedPixels(data, size) > (uint64_t{1} << 18)) return 0;
    std::span<const uint8_t> file(data, size);
    lb::Bitmap b;
    try {
        b = lb::DecodeBitmap(file);
    } catch (const lb::Error&) {
        return 0;
    }
    const uint64_t pixels = uint64_t(b.width) * uint64_t(b.height);
    FUZZ_CHECK(b.width > 0 && b.height > 0 && pixels <= lb::kMaxBitmapPixels);
    if (b.Indexed()) {
        FUZZ_CHECK(b.indices.size() == pixels && b.colours.empty());
        FUZZ_CHECK(b.palette.size() <= 256);
    } else {
        FUZZ_CHECK(b.colours.size() == pixels && b.indices.empty());
    }
    // Each row as long as the layout promises: the depth's bits rounded up to an even byte count.
    const uint64_t rowBytes = (uint64_t(b.width) * b.bitCount + 7) / 8;
    FUZZ_CHECK(b.RowBytes() == rowBytes + (rowBytes & 1));
    FUZZ_CHECK(b.PixelBytes().size() == b.RowBytes() * uint64_t(b.height));
    try {
        lb::ItemData item = lb::EncodePicture(file);
        FUZZ_CHECK(item.data.size() % 2 == 0);
    } catch (const lb::Error&) {
    }
    return 0;
}
