#include "rom/Bitmap.h"

#include "common/Error.h"

#include <algorithm>
#include <bit>

namespace lb {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : b_(bytes) {}
    bool Has(uint64_t offset, uint64_t count) const {
        return offset <= b_.size() && count <= b_.size() - offset;
    }
    uint16_t U16(size_t o) const { return static_cast<uint16_t>(b_[o] | b_[o + 1] << 8); }
    uint32_t U32(size_t o) const {
        return static_cast<uint32_t>(b_[o]) | static_cast<uint32_t>(b_[o + 1]) << 8 |
               static_cast<uint32_t>(b_[o + 2]) << 16 | static_cast<uint32_t>(b_[o + 3]) << 24;
    }
    int32_t I32(size_t o) const { return static_cast<int32_t>(U32(o)); }
    uint8_t U8(size_t o) const { return b_[o]; }
    size_t Size() const { return b_.size(); }

private:
    std::span<const uint8_t> b_;
};

[[noreturn]] void Fail(const std::string& cause) { throw Error("not a usable bitmap: " + cause); }

uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) { return r | g << 8 | static_cast<uint32_t>(b) << 16; }

// One channel of a bit-field pixel scaled to 0..255.
struct Channel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;
    explicit Channel(uint32_t m) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        uint32_t bits = m >> shift;
        if ((bits & (bits + 1)) != 0) Fail("a colour mask is not one run of bits");
        max = bits;
    }
    uint8_t Of(uint32_t pixel) const {
        if (max == 0) return 0;
        uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

struct Header {
    int32_t width = 0;
    int32_t height = 0;
    bool topDown = false;
    uint16_t bitCount = 0;
    uint32_t compression = kRgb;
    uint32_t pixelOffset = 0;
    size_t paletteOffset = 0;
    size_t paletteEntrySize = 4;
    uint32_t paletteCount = 0;
    uint32_t masks[3] = {};
};

Header ReadHeader(const Reader& r, uint64_t fileSize) {
    if (r.Size() == 0) Fail("the file is empty");
    if (!r.Has(0, 18)) Fail("the file is too short for a bitmap header");
    if (r.U8(0) != 'B' || r.U8(1) != 'M') Fail("the file does not begin with \"BM\"");
    Header h;
    h.pixelOffset = r.U32(10);
    uint32_t infoSize = r.U32(14);
    if (infoSize == 12) {
        if (!r.Has(14, 12)) Fail("the core header is cut off");
        h.width = r.U16(18);
        h.height = r.U16(20);
        h.bitCount = r.U16(24);
        h.paletteEntrySize = 3;
    } else if (infoSize == 40 || infoSize == 52 || infoSize == 56 || infoSize == 108 ||
               infoSize == 124) {
        if (!r.Has(14, infoSize)) Fail("the info header is cut off");
        h.width = r.I32(18);
        h.height = r.I32(22);
        h.bitCount = r.U16(28);
        h.compression = r.U32(30);
        h.paletteCount = r.U32(46);
    } else {
        Fail("unknown info header size " + std::to_string(infoSize));
    }
    if (h.height < 0) {
        if (h.height == INT32_MIN) Fail("the height is out of range");
        h.height = -h.height;
        h.topDown = true;
    }
    if (h.width <= 0 || h.height == 0) Fail("the picture has no pixels");
    if (h.width > 32767 || h.height > 32767)
        Fail("the picture is " + std::to_string(h.width) + " x " + std::to_string(h.height) +
             " pixels; neither side may pass 32767");
    if (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height) > kMaxBitmapPixels)
        Fail("the picture is " + std::to_string(h.width) + " x " + std::to_string(h.height) +
             " pixels, more than " + std::to_string(kMaxBitmapPixels) + " in all");

    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: Fail(std::to_string(h.bitCount) + " bits per pixel is not a bitmap depth");
    }
    switch (h.compression) {
    case kRgb: break;
    case kRle8:
        if (h.bitCount != 8) Fail("RLE8 compression needs 8 bits per pixel");
        break;
    case kRle4:
        if (h.bitCount != 4) Fail("RLE4 compression needs 4 bits per pixel");
        break;
    case kBitFields:
    case kAlphaBitFields:
        if (h.bitCount != 16 && h.bitCount != 32) Fail("bit fields need 16 or 32 bits per pixel");
        break;
    default: Fail("compression " + std::to_string(h.compression) + " is not supported");
    }
    if ((h.compression == kRle8 || h.compression == kRle4) && h.topDown)
        Fail("a compressed bitmap cannot be stored top-down");

    h.paletteOffset = 14 + infoSize;
    if (h.compression == kBitFields || h.compression == kAlphaBitFields) {
        if (!r.Has(54, 12)) Fail("the colour masks are cut off");
        for (int i = 0; i < 3; ++i) h.masks[i] = r.U32(54 + 4 * i);
        if (infoSize == 40) h.paletteOffset += h.compression == kAlphaBitFields ? 16 : 12;
    } else if (h.bitCount == 16) {
        h.masks[0] = 0x7C00;
        h.masks[1] = 0x03E0;
        h.masks[2] = 0x001F;
    } else if (h.bitCount == 32) {
        h.masks[0] = 0xFF0000;
        h.masks[1] = 0x00FF00;
        h.masks[2] = 0x0000FF;
    }
    if (h.bitCount <= 8) {
        uint32_t full = 1u << h.bitCount;
        h.paletteCount = h.paletteCount == 0 || h.paletteCount > full ? full : h.paletteCount;
        if (infoSize == 12) h.paletteCount = full;
    } else {
        h.paletteCount = 0;
    }
    if (h.pixelOffset >= fileSize) Fail("the pixel data lies past the end of the file");
    return h;
}

std::vector<uint32_t> ReadPalette(const Reader& r, const Header& h) {
    std::vector<uint32_t> palette(h.bitCount <= 8 ? 1u << h.bitCount : 0, 0);
    for (uint32_t k = 0; k < h.paletteCount; ++k) {
        size_t o = h.paletteOffset + k * h.paletteEntrySize;
        if (!r.Has(o, h.paletteEntrySize) || o + h.paletteEntrySize > h.pixelOffset) break;
        palette[k] = Rgb(r.U8(o + 2), r.U8(o + 1), r.U8(o));
    }
    return palette;
}

void DecodeUncompressed(const Reader& r, const Header& h, Bitmap& bmp) {
    uint64_t stride = (static_cast<uint64_t>(h.width) * h.bitCount + 31) / 32 * 4;
    uint64_t need = stride * static_cast<uint64_t>(h.height);
    if (!r.Has(h.pixelOffset, need))
        Fail("the pixel data is cut off (" + std::to_string(need) + " bytes needed, " +
             std::to_string(r.Size() - h.pixelOffset) + " present)");
    const size_t w = static_cast<size_t>(h.width);
    if (bmp.Indexed())
        bmp.indices.resize(w * h.height);
    else
        bmp.colours.resize(w * h.height);
    Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
    for (int32_t row = 0; row < h.height; ++row) {
        int32_t y = h.topDown ? row : h.height - 1 - row;
        size_t src = h.pixelOffset + static_cast<size_t>(stride) * row;
        for (size_t x = 0; x < w; ++x) {
            size_t at = static_cast<size_t>(y) * w + x;
            switch (h.bitCount) {
            case 1: bmp.indices[at] = (r.U8(src + x / 8) >> (7 - x % 8)) & 1; break;
            case 4: bmp.indices[at] = (r.U8(src + x / 2) >> (x % 2 ? 0 : 4)) & 15; break;
            case 8: bmp.indices[at] = r.U8(src + x); break;
            case 16: {
                uint32_t p = r.U16(src + 2 * x);
                bmp.colours[at] = Rgb(red.Of(p), green.Of(p), blue.Of(p));
                break;
            }
            case 24:
                bmp.colours[at] = Rgb(r.U8(src + 3 * x + 2), r.U8(src + 3 * x + 1), r.U8(src + 3 * x));
                break;
            default: {
                uint32_t p = r.U32(src + 4 * x);
                bmp.colours[at] = Rgb(red.Of(p), green.Of(p), blue.Of(p));
            }
            }
        }
    }
}

void DecodeRle(const Reader& r, const Header& h, Bitmap& bmp) {
    const bool four = h.compression == kRle4;
    const int64_t w = h.width;
    bmp.indices.assign(static_cast<size_t>(w) * h.height, 0);
    int64_t x = 0, row = 0; // row counts from the bottom
    size_t p = h.pixelOffset;
    // Encoders may fill a row up to its stored 32-bit length; those pixels are dropped.
    const int64_t padded = four ? (w + 7) / 8 * 8 : (w + 3) / 4 * 4;
    auto put = [&](uint8_t index) {
        if (x >= padded) Fail("an RLE run passes the end of row " + std::to_string(row));
        if (x < w) bmp.indices[static_cast<size_t>((h.height - 1 - row) * w + x)] = index;
        ++x;
    };
    while (r.Has(p, 2) && row < h.height) {
        uint8_t count = r.U8(p), value = r.U8(p + 1);
        p += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // delta
            if (!r.Has(p, 2)) Fail("an RLE delta is cut off");
            x += r.U8(p);
            row += r.U8(p + 1);
            p += 2;
            if (x > padded || row > h.height) Fail("an RLE delta moves outside the picture");
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            size_t bytes = four ? (value + 1u) / 2 : value;
            if (!r.Has(p, bytes)) Fail("an RLE run is cut off");
            for (int i = 0; i < value; ++i) {
                uint8_t b = r.U8(p + (four ? i / 2 : i));
                put(four ? (i % 2 ? b & 15 : b >> 4) : b);
            }
            p += bytes + (bytes & 1);
        }
    }
    // Data ending without its end-of-bitmap code leaves the rest as index 0.
}

} // namespace

uint32_t Bitmap::ColourAt(int32_t x, int32_t y) const {
    size_t at = static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x);
    return Indexed() ? palette[indices[at]] : colours[at];
}

size_t Bitmap::RowBytes() const {
    size_t bytes = (static_cast<size_t>(width) * bitCount + 7) / 8;
    return bytes + (bytes & 1);
}

std::vector<uint8_t> Bitmap::PixelBytes() const {
    const size_t stride = RowBytes(), w = static_cast<size_t>(width);
    std::vector<uint8_t> out(stride * static_cast<size_t>(height), 0);
    for (size_t y = 0; y < static_cast<size_t>(height); ++y) {
        uint8_t* row = out.data() + y * stride;
        if (bitCount == 8) {
            std::copy_n(indices.data() + y * w, w, row);
            continue;
        }
        for (size_t x = 0; x < w; ++x) {
            size_t at = y * w + x;
            switch (bitCount) {
            case 1: row[x / 8] |= static_cast<uint8_t>((indices[at] & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<uint8_t>((indices[at] & 15) << (x % 2 ? 0 : 4)); break;
            case 16: {
                uint32_t c = colours[at];
                uint16_t v = static_cast<uint16_t>((c & 0xF8) << 7 | (c >> 8 & 0xF8) << 2 |
                                                   (c >> 16 & 0xF8) >> 3);
                row[2 * x] = static_cast<uint8_t>(v);
                row[2 * x + 1] = static_cast<uint8_t>(v >> 8);
                break;
            }
            default: {
                size_t n = bitCount / 8, o = n * x;
                uint32_t c = colours[at];
                row[o] = static_cast<uint8_t>(c >> 16);
                row[o + 1] = static_cast<uint8_t>(c >> 8);
                row[o + 2] = static_cast<uint8_t>(c);
            }
            }
        }
    }
    return out;
}

BitmapHeader ReadBitmapHeader(std::span<const uint8_t> head, uint64_t fileSize) {
    Header h = ReadHeader(Reader(head.first(std::min<size_t>(head.size(), fileSize))), fileSize);
    return {h.width, h.height, h.bitCount};
}

Bitmap DecodeBitmap(std::span<const uint8_t> file) {
    Reader r(file);
    Header h = ReadHeader(r, file.size());
    Bitmap bmp;
    bmp.width = h.width;
    bmp.height = h.height;
    bmp.bitCount = h.bitCount;
    bmp.palette = ReadPalette(r, h);
    if (h.compression == kRle8 || h.compression == kRle4)
        DecodeRle(r, h, bmp);
    else
        DecodeUncompressed(r, h, bmp);
    return bmp;
}

} // namespace lb
