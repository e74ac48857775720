// The bitmap decoder and the picture record made from it.
#include "FuzzCheck.h"
#include "common/Error.h"
#include "items/PictureItem.h"
#include "rom/Bitmap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
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
