#include "TestFiles.h"
#include "common/Error.h"
#include "items/PictureItem.h"
#include "rom/Bitmap.h"
#include "rom/SkinBlock.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

std::vector<uint8_t> Grey16() { // 16 entries, entry k = (k*16, k*16, k*16)
    std::vector<uint8_t> p;
    for (int k = 0; k < 16; ++k) p.insert(p.end(), {uint8_t(k * 16), uint8_t(k * 16), uint8_t(k * 16), 0});
    return p;
}

} // namespace

// Rows come out top first in the layout the ROM wants, whatever the file's row order.
TEST(Bitmap, RowLayouts) {
    struct Case {
        const char* what;
        BmpFields fields;
        std::vector<uint8_t> wantBytes; // PixelBytes()
    };
    std::vector<uint8_t> pal256(1024, 0);
    const Case cases[] = {
        // 8-bit 5x2 bottom-up: file rows padded to 8 bytes; out rows padded to 6.
        {"8-bit bottom-up", {5, 2, 8, 0, pal256, {1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 8, 9, 10, 0, 0, 0}},
         {6, 7, 8, 9, 10, 0, 1, 2, 3, 4, 5, 0}},
        {"8-bit top-down", {5, -2, 8, 0, pal256, {1, 2, 3, 4, 5, 0, 0, 0, 6, 7, 8, 9, 10, 0, 0, 0}},
         {1, 2, 3, 4, 5, 0, 6, 7, 8, 9, 10, 0}},
        // 4-bit 3x1: nibbles 1,2,3 -> 0x12 0x30
        {"4-bit", {3, 1, 4, 0, Grey16(), {0x12, 0x30, 0, 0}}, {0x12, 0x30}},
        // 1-bit 10x1: bits 1011001110 -> 0xB3 0x80
        {"1-bit", {10, 1, 1, 0, {0, 0, 0, 0, 255, 255, 255, 0}, {0xB3, 0x80, 0, 0}}, {0xB3, 0x80}},
        // 24-bit 1x1 BGR, out row padded to 4
        {"24-bit", {1, 1, 24, 0, {}, {0x10, 0x20, 0x30, 0}}, {0x10, 0x20, 0x30, 0}},
        // RLE8 4x2: bottom row run of 4 x 7; top row absolute 1,2,3 then 9
        {"RLE8", {4, 2, 8, 1, pal256, {4, 7, 0, 0, 0, 3, 1, 2, 3, 0, 1, 9, 0, 1}},
         {1, 2, 3, 9, 7, 7, 7, 7}},
        // RLE4 4x1: run of 4 alternating 0xA,0xB
        {"RLE4", {4, 1, 4, 2, Grey16(), {4, 0xAB, 0, 1}}, {0xAB, 0xAB}},
        // A run into the row's 32-bit padding, as ImageMagick writes: the extra pixels go.
        {"RLE8 into padding", {2, 1, 8, 1, pal256, {4, 7, 0, 1}}, {7, 7}},
    };
    for (auto& c : cases) {
        Bitmap b = DecodeBitmap(MakeBmp(c.fields));
        EXPECT_EQ(b.PixelBytes(), c.wantBytes) << c.what;
    }
}

TEST(Bitmap, ColoursOfDirectDepths) {
    // 16-bit 5-5-5: 0x7C00 pure red; 32-bit BGRX.
    Bitmap b16 = DecodeBitmap(MakeBmp({2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}}));
    EXPECT_EQ(b16.ColourAt(0, 0), 0x0000FFu);
    EXPECT_EQ(b16.ColourAt(1, 0), 0xFF0000u);
    Bitmap b32 = DecodeBitmap(MakeBmp({1, 1, 32, 0, {}, {0x11, 0x22, 0x33, 0x44}}));
    EXPECT_EQ(b32.ColourAt(0, 0), 0x112233u);
    // Bit fields 5-6-5 after a 40-byte header.
    BmpFields bf{1, 1, 16, 3, {0x00, 0xF8, 0, 0, 0xE0, 0x07, 0, 0, 0x1F, 0, 0, 0}, {0xE0, 0x07, 0, 0}};
    EXPECT_EQ(DecodeBitmap(MakeBmp(bf)).ColourAt(0, 0), 0x00FF00u);
}

TEST(Bitmap, BrokenFilesGiveTheirCause) {
    std::vector<uint8_t> pal(1024, 0);
    auto good = MakeBmp({4, 1, 8, 0, pal, {1, 2, 3, 4}});
    auto cutHeader = good;
    cutHeader.resize(30);
    auto noBm = good;
    noBm[0] = 'X';
    auto wideSpec = BmpFields{40000, 1, 8, 0, pal, {}};
    auto hugeSpec = BmpFields{30000, 30000, 8, 0, pal, {}};
    struct Case { const char* what; std::vector<uint8_t> file; const char* cause; };
    const Case cases[] = {
        {"empty", {}, "the file is empty"},
        {"no signature", noBm, "does not begin with \"BM\""},
        {"cut header", cutHeader, "info header is cut off"},
        {"truncated pixels", MakeBmp({4, 4, 8, 0, pal, {1, 2, 3, 4}}), "pixel data is cut off"},
        {"too wide", MakeBmp(wideSpec), "neither side may pass 32767"},
        {"too many pixels", MakeBmp(hugeSpec), "in all"},
        {"RLE past row", MakeBmp({2, 1, 8, 1, pal, {5, 7, 0, 1}}), "passes the end of row"},
        {"RLE delta outside", MakeBmp({2, 1, 8, 1, pal, {0, 2, 5, 0, 0, 1}}), "outside the picture"},
        {"bad depth", MakeBmp({1, 1, 7, 0, pal, {0, 0, 0, 0}}), "not a bitmap depth"},
        {"zero width", MakeBmp({0, 1, 8, 0, pal, {0, 0, 0, 0}}), "no pixels"},
        {"bad header size", MakeBmp({1, 1, 8, 0, pal, {0, 0, 0, 0}, 64}), "unknown info header size 64"},
    };
    for (auto& c : cases) {
        try {
            DecodeBitmap(c.file);
            ADD_FAILURE() << c.what << " decoded";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.cause), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

// Stored widths and the zero bytes after short rows, worked out by hand.
TEST(PictureItem, StoredSizesAndRows) {
    std::vector<uint8_t> pal(1024, 0);
    pal[4 * 1 + 2] = 255; // entry 1 red
    // 8-bit width 5: W 8, S 6: the 6 source bytes then 2 zeros.
    ItemData a = EncodePicture(MakeBmp({5, 1, 8, 0, pal, {1, 1, 1, 1, 1, 0, 0, 0}}));
    EXPECT_EQ(a.type, 1);
    EXPECT_EQ(a.width, 8);
    EXPECT_EQ(a.data.size(), 8u + 512u);
    EXPECT_EQ(std::vector<uint8_t>(a.data.begin(), a.data.begin() + 8),
              (std::vector<uint8_t>{1, 1, 1, 1, 1, 0, 0, 0}));
    EXPECT_EQ(a.data[8 + 2], 0x1F); // palette entry 1, low byte
    // 4-bit width 10: W 16, stored row 8 bytes, S 6; table 32 bytes.
    ItemData b = EncodePicture(MakeBmp({10, 1, 4, 0, Grey16(), {0x12, 0x34, 0x56, 0x78, 0x9A, 0, 0, 0}}));
    EXPECT_EQ(b.type, 0);
    EXPECT_EQ(b.width, 16);
    EXPECT_EQ(b.data.size(), 8u + 32u);
    EXPECT_EQ(std::vector<uint8_t>(b.data.begin(), b.data.begin() + 8),
              (std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78, 0x9A, 0x00, 0, 0}));
    // Grey entry 15 = 240 -> 30 per channel -> 30 + 30*32 + 30*1024 = 0x7BDE.
    EXPECT_EQ(b.data[8 + 30], 0xDE);
    EXPECT_EQ(b.data[8 + 31], 0x7B);
    // 24-bit width 3: W 4, the added column black; white 0x7FFF, red 0x001F.
    ItemData c = EncodePicture(MakeBmp({3, 1, 24, 0, {}, {255, 255, 255, 0, 0, 255, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(c.type, 2);
    EXPECT_EQ(c.width, 4);
    EXPECT_EQ(c.data, (std::vector<uint8_t>{0xFF, 0x7F, 0x1F, 0x00, 0, 0, 0, 0}));
}

// The colour table lies right after the info header, whatever its size (and after the three
// masks of a 40-byte header with bit fields); entries past a short table are black. Every
// form of the same picture gives the same record, byte for byte, and the same skin block.
TEST(PictureItem, ColourTableWhereTheHeaderPutsIt) {
    // Red, green, white as blue-green-red-reserved quads; in 15 bits 1F 00, E0 03, FF 7F.
    const std::vector<uint8_t> three = {0, 0, 255, 0, 0, 255, 0, 0, 255, 255, 255, 0};
    const std::vector<uint8_t> colours15 = {0x1F, 0x00, 0xE0, 0x03, 0xFF, 0x7F};
    auto indexedRecord = [&](std::vector<uint8_t> pixels, size_t entries) {
        pixels.insert(pixels.end(), colours15.begin(), colours15.end());
        pixels.resize(pixels.size() + 2 * entries - colours15.size(), 0);
        return pixels;
    };
    struct Case {
        const char* what;
        BmpFields fields;
        std::vector<uint8_t> want; // the record's data
    };
    std::vector<Case> cases;
    for (uint32_t header : {40u, 108u, 124u}) {
        // 8 bits, 4 x 1: indices 0 1 2 0.
        cases.push_back({"8-bit", {4, 1, 8, 0, three, {0, 1, 2, 0}, header, 3},
                         indexedRecord({0, 1, 2, 0}, 256)});
        // 4 bits, 8 x 1: indices 0 1 2 0 0 0 0 0, two to a byte.
        cases.push_back({"4-bit", {8, 1, 4, 0, three, {0x01, 0x20, 0, 0}, header, 3},
                         indexedRecord({0x01, 0x20, 0, 0}, 16)});
    }
    // Red and white as 24 bits, and as 32 bits with bit fields: 1F 00 FF 7F either way.
    const std::vector<uint8_t> direct = {0x1F, 0x00, 0xFF, 0x7F};
    cases.push_back({"24-bit", {2, 1, 24, 0, {}, {0, 0, 255, 255, 255, 255, 0, 0}, 40, 0}, direct});
    const std::vector<uint8_t> masks = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
    cases.push_back({"32-bit bit fields", {2, 1, 32, 3, masks, {0, 0, 255, 0, 255, 255, 255, 0}, 40, 0}, direct});
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.what) + ", header " + std::to_string(c.fields.headerSize));
        ItemData item = EncodePicture(MakeBmp(c.fields));
        EXPECT_EQ(item.data, c.want);
    }

    // A skin picture with a 124-byte header and a two-colour table.
    std::vector<uint8_t> pixels(240 * 160, 1);
    pixels[0] = 0;
    std::vector<uint8_t> plain = MakeBmp({240, 160, 8, 0, three, pixels, 40, 3});
    std::vector<uint8_t> v5 = MakeBmp({240, 160, 8, 0, three, pixels, 124, 3});
    SkinBlock a = MakeSkinBlock(plain), b = MakeSkinBlock(v5);
    ASSERT_EQ(a.bytes.size(), 38912u);
    EXPECT_EQ(a.bytes, b.bytes);
    EXPECT_EQ(std::vector<uint8_t>(b.bytes.begin() + 38400, b.bytes.begin() + 38406), colours15);
    EXPECT_EQ(b.bytes[38406], 0);
}
