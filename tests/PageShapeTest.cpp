// Comic pages as the handheld shows them: margins trimmed, double-page spreads split in
// reading order or turned, and the addresses menu lists keep for the parts.
#include "items/PageShape.h"
#include "BuildFolder.h"
#include "MenuChecks.h"
#include "TestFiles.h"
#include "TestZip.h"
#include "assembly/Build.h"
#include "common/Error.h"
#include "format/RomLayout.h"
#include "items/PictureItem.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"
#include "rom/Colour.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

struct Rgb {
    uint8_t r, g, b;
};
constexpr Rgb kWhite{255, 255, 255}, kBlack{0, 0, 0};

// A page of `margin` colour (each channel moved by up to `noise` either way, the same for
// every run) with `ink` in the boxes given.
RgbPicture Page(int32_t w, int32_t h, Rgb margin, int noise, Rgb ink,
                std::vector<PictureBox> boxes) {
    RgbPicture p{w, h, std::vector<uint8_t>(size_t(w) * size_t(h) * 3)};
    uint32_t seed = 12345;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            bool inked = false;
            for (const PictureBox& b : boxes)
                inked = inked || (x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height);
            const uint8_t base[3] = {inked ? ink.r : margin.r, inked ? ink.g : margin.g,
                                     inked ? ink.b : margin.b};
            for (int k = 0; k < 3; ++k) {
                seed = seed * 1103515245 + 12345;
                const int moved =
                    noise && !inked ? int((seed >> 16) % uint32_t(2 * noise + 1)) - noise : 0;
                p.rgb[(size_t(y) * size_t(w) + size_t(x)) * 3 + size_t(k)] =
                    uint8_t(std::clamp(int(base[k]) + moved, 0, 255));
            }
        }
    return p;
}

// A 24-bit bitmap file whose pixel (x, y) is `colour(x, y)`.
template <typename Colour> std::vector<uint8_t> Bmp24(int32_t w, int32_t h, Colour colour) {
    const size_t row = (size_t(w) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> pixels(row * size_t(h), 0);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const Rgb c = colour(x, y);
            uint8_t* at = pixels.data() + size_t(h - 1 - y) * row + size_t(x) * 3;
            at[0] = c.b, at[1] = c.g, at[2] = c.r;
        }
    return MakeBmp({w, h, 24, 0, {}, pixels});
}

} // namespace

// 100 x 80 pages: at most 15 columns and 12 rows go from a side.
TEST(PageShape, MarginsAreTrimmedToTheContentWithinTheirBounds) {
    const PictureBox content{10, 8, 80, 64};
    struct Case {
        const char* what;
        RgbPicture page;
        PictureBox box;
    } cases[] = {
        {"white margins", Page(100, 80, kWhite, 0, kBlack, {content}), content},
        {"black margins", Page(100, 80, kBlack, 0, kWhite, {content}), content},
        {"scanner noise within 20", Page(100, 80, kWhite, 20, kBlack, {content}), content},
        {"margins wider than the bound",
         Page(100, 80, kWhite, 0, kBlack, {{30, 20, 40, 40}}),
         {15, 12, 70, 56}},
        // Rows 75..79 go; row 74 holds the page number.
        {"a page number in the margin",
         Page(100, 80, kWhite, 0, kBlack, {{10, 8, 80, 60}, {48, 72, 4, 3}}),
         {10, 8, 80, 67}},
        {"one colour", Page(100, 80, kWhite, 0, kBlack, {}), {0, 0, 100, 80}},
        {"one colour and a speck",
         Page(100, 80, kWhite, 0, kBlack, {{50, 40, 1, 1}}),
         {15, 12, 70, 56}},
        // Ink reaches the left edge, most of its height: nothing goes from the left.
        {"content on an edge", Page(100, 80, kWhite, 0, kBlack, {{0, 8, 90, 64}}), {0, 8, 90, 64}},
        // A black strip down the left, white elsewhere: the strip goes; the top and bottom rows
        // are not of one colour, so they stay.
        {"margins of two colours",
         Page(100, 80, kWhite, 0, kBlack, {content, {0, 0, 6, 80}}),
         {6, 0, 84, 80}},
        {"too small to have margins", Page(2, 2, kWhite, 0, kBlack, {}), {0, 0, 2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const PictureBox box = TrimmedBox(c.page);
        EXPECT_EQ(box.x, c.box.x);
        EXPECT_EQ(box.y, c.box.y);
        EXPECT_EQ(box.width, c.box.width);
        EXPECT_EQ(box.height, c.box.height);
    }
    // Found on a picture decoded at 1/4 of the page's size: the box covers as much or more.
    const PictureBox big = ScaledBox({10, 8, 80, 64}, {100, 80}, {401, 320});
    EXPECT_EQ(big, (PictureBox{40, 32, 321, 256}));
}

// A 5 x 2 picture whose pixel (x, y) holds x in red and y in green.
TEST(PageShape, HalvesAndTurnsCutThePageInReadingOrder) {
    RgbPicture p{5, 2, {}};
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 5; ++x) p.rgb.insert(p.rgb.end(), {uint8_t(x), uint8_t(y), 0});
    const PictureBox whole{0, 0, 5, 2};
    struct Case {
        PagePart part;
        bool rtl;
        PageView view;
        // The source pixel (x, y) of the cut's first and last pixels.
        int first[2], last[2];
    } cases[] = {
        {PagePart::FirstHalf, false, {{0, 0, 2, 2}, 0}, {0, 0}, {1, 1}},
        {PagePart::SecondHalf, false, {{3, 0, 2, 2}, 0}, {3, 0}, {4, 1}},
        {PagePart::FirstHalf, true, {{3, 0, 2, 2}, 0}, {3, 0}, {4, 1}},
        {PagePart::SecondHalf, true, {{0, 0, 2, 2}, 0}, {0, 0}, {1, 1}},
        // Clockwise the left edge is on top; counter-clockwise the right edge.
        {PagePart::Turned, false, {whole, 1}, {0, 1}, {4, 0}},
        {PagePart::Turned, true, {whole, 3}, {4, 0}, {0, 1}},
        {PagePart::Whole, true, {whole, 0}, {0, 0}, {4, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(PartNameSuffix(c.part) + (c.rtl ? " rtl" : " ltr") + " " +
                     std::to_string(int(c.part)));
        const PageView view = ViewOf(whole, c.part, c.rtl);
        EXPECT_EQ(view, c.view);
        const RgbPicture cut = CutView(p, view);
        EXPECT_EQ((PictureSize{cut.width, cut.height}), ViewedSize(view));
        EXPECT_EQ(cut.rgb[0], c.first[0]);
        EXPECT_EQ(cut.rgb[1], c.first[1]);
        EXPECT_EQ(cut.rgb[cut.rgb.size() - 3], c.last[0]);
        EXPECT_EQ(cut.rgb[cut.rgb.size() - 2], c.last[1]);
    }
    EXPECT_THROW(CutView(p, {{4, 0, 2, 2}, 0}), Error);
}

TEST(PageShape, PartsAreAddressedAfterTheirPage) {
    struct Case {
        const char* path;
        const char* page;
        PagePart part;
        const char* name;
    } cases[] = {
        {"/c/Comic.cbz/p5.jpg/(1)", "/c/Comic.cbz/p5.jpg", PagePart::FirstHalf, "p5 (1)"},
        {"/c/pages/p5.bmp/(2)", "/c/pages/p5.bmp", PagePart::SecondHalf, "p5 (2)"},
        {"/c/pages/P5.PNG/(turned)", "/c/pages/P5.PNG", PagePart::Turned, "P5"},
        {"/c/pages/p5.jpg", "/c/pages/p5.jpg", PagePart::Whole, "p5"},
        {"/c/notes.txt/(1)", "/c/notes.txt/(1)", PagePart::Whole, ""}, // not a picture's part
        {"/c/pages/p5.jpg/(3)", "/c/pages/p5.jpg/(3)", PagePart::Whole, ""},
        {"(1)", "(1)", PagePart::Whole, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        const PageAddress a = PageAddressOf(c.path);
        EXPECT_EQ(a.page, c.page);
        EXPECT_EQ(a.part, c.part);
        EXPECT_EQ(DisplayNameFor(c.path), c.name);
        if (c.part != PagePart::Whole) {
            EXPECT_EQ(PartPath(a.page, a.part), c.path);
        }
    }
}

// Two tall pages and a spread: a white frame 3 pixels wide around a red left half and a blue
// right half, 126 x 90 in all.
TEST(PageShape, SpreadsAmongTallPagesAreSplitTurnedOrKept) {
    const uint16_t red = Colour15FromValue(0x0000FF), blue = Colour15FromValue(0xFF0000),
                   white = Colour15FromValue(0xFFFFFF);
    struct Case {
        const char* options;
        SpreadRule spreads;
        TrimRule trim;
        bool rtl;
        std::vector<std::string> names;
        std::vector<std::string> lastParts; // the ends of the spread's entries' paths
        PictureSize size;                   // of each of the spread's records
        // The colour at (x, y) of each of the spread's records.
        int x, y;
        std::vector<uint16_t> colours;
    } cases[] = {
        {"split",
         SpreadRule::Split,
         TrimRule::Pages,
         false,
         {"@Comic", "p1", "p2", "p3 (1)", "p3 (2)"},
         {"p3.bmp/(1)", "p3.bmp/(2)"},
         {60, 84},
         30,
         42,
         {red, blue}},
        {"split rtl",
         SpreadRule::Split,
         TrimRule::Pages,
         true,
         {"@Comic", "p1", "p2", "p3 (1)", "p3 (2)"},
         {"p3.bmp/(1)", "p3.bmp/(2)"},
         {60, 84},
         30,
         42,
         {blue, red}},
        {"split untrimmed",
         SpreadRule::Split,
         TrimRule::Off,
         false,
         {"@Comic", "p1", "p2", "p3 (1)", "p3 (2)"},
         {"p3.bmp/(1)", "p3.bmp/(2)"},
         {64, 90},
         1,
         1,
         {white, white}}, // rounded up to even
        {"rotate",
         SpreadRule::Rotate,
         TrimRule::Pages,
         false,
         {"@Comic", "p1", "p2", "p3"},
         {"p3.bmp/(turned)"},
         {84, 120},
         42,
         10,
         {red}},
        {"rotate rtl",
         SpreadRule::Rotate,
         TrimRule::Pages,
         true,
         {"@Comic", "p1", "p2", "p3"},
         {"p3.bmp/(turned)"},
         {84, 120},
         42,
         10,
         {blue}},
        {"keep",
         SpreadRule::Keep,
         TrimRule::Pages,
         false,
         {"@Comic", "p1", "p2", "p3"},
         {"p3.bmp"},
         {120, 84},
         10,
         42,
         {red}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options);
        Folder f(200, 3);
        for (const char* tall : {"Comic/p1.bmp", "Comic/p2.bmp"})
            f.dir.Write(tall, Bmp24(60, 90, [](int32_t, int32_t) { return Rgb{0, 128, 0}; }));
        f.dir.Write("Comic/p3.bmp", Bmp24(126, 90, [](int32_t x, int32_t y) {
                        if (x < 3 || y < 3 || x >= 123 || y >= 87) return kWhite;
                        return x < 63 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
                    }));
        ItemList menu(3);
        menu.pictures.spreads = c.spreads;
        menu.pictures.trim = c.trim;
        EXPECT_TRUE(AddFile(menu, (f.dir.Path() / "Comic").string()).empty());
        EXPECT_EQ(Names(menu), c.names);
        const size_t spread = 3;
        ASSERT_EQ(menu.entries.size(), spread + c.lastParts.size());
        for (size_t k = 0; k < c.lastParts.size(); ++k) {
            const std::string& path = menu.entries[spread + k].path;
            EXPECT_EQ(path.substr(path.size() - c.lastParts[k].size()), c.lastParts[k]);
        }

        const std::vector<uint8_t> image = BuildMenu(f, menu, c.rtl);
        const RomInfo info = ReadRom(image, 3);
        ASSERT_EQ(info.records.size(), menu.entries.size());
        for (size_t k = spread; k < menu.entries.size(); ++k) {
            // The estimate of each part is its record's exact size.
            const RecordInfo& r = info.records[k];
            EXPECT_EQ(menu.entries[k].estimate - NameSlot(menu.entries[k].name),
                      int64_t{LB_RECORD_HEADER_BYTES} + r.dataSize)
                << menu.entries[k].name;
        }
        for (size_t k = 0; k < c.colours.size(); ++k) {
            const RecordInfo& r = info.records[spread + k];
            EXPECT_EQ(r.type, LB_DIRECT_COLOUR);
            EXPECT_EQ(r.sizeField, uint32_t(c.size.width) << 16 | uint32_t(c.size.height));
            const size_t at = r.offset + LB_RECORD_HEADER_BYTES +
                              (size_t(c.y) * size_t(c.size.width) + size_t(c.x)) * 2;
            EXPECT_EQ(image[at] | image[at + 1] << 8, c.colours[k]) << "part " << k;
        }

        // A menu list names the parts again.
        size_t skipped = 0;
        const ItemList again = Reopened(menu, f.dir.Path(), &skipped);
        EXPECT_EQ(skipped, 0u);
        EXPECT_EQ(again.TotalSize, menu.TotalSize);
        EXPECT_EQ(Names(again), Names(menu));
    }
}

// A JPEG page of a comic archive, 300 x 450 with 240 x 300 of ink: 30 columns go from either
// side, and from the top and the bottom the 67 rows of the 15% bound, whatever JPEG's ringing.
TEST(PageShape, AnArchivesJpegPagesLoseTheirMargins) {
    if (std::system("command -v convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ImageMagick is not installed";
    Folder f(200, 3);
    const std::string page = (f.dir.Path() / "p1.jpg").string();
    ASSERT_EQ(
        std::system(("convert -size 300x450 xc:white -fill black -draw 'rectangle 30,75 269,374' "
                     "-quality 75 '" +
                     page + "'")
                        .c_str()),
        0);
    const std::vector<uint8_t> jpeg = ReadBytes(page);
    WriteZip(f.dir.Path() / "Comic.cbz", {{"p1.jpg", std::string(jpeg.begin(), jpeg.end())}});
    for (const TrimRule trim : {TrimRule::Pages, TrimRule::Off}) {
        SCOPED_TRACE(TrimRuleName(trim));
        ItemList menu(3);
        menu.pictures.trim = trim;
        ASSERT_TRUE(AddFile(menu, (f.dir.Path() / "Comic.cbz").string()).empty());
        ASSERT_EQ(menu.entries.size(), 2u);
        const RomInfo info = ReadRom(BuildMenu(f, menu), 3);
        const RecordInfo& r = info.records[1];
        EXPECT_EQ(menu.entries[1].estimate - NameSlot(menu.entries[1].name),
                  int64_t{LB_RECORD_HEADER_BYTES} + r.dataSize);
        // 240 x 316 fitted to 122 x 160 (121.5 rounded), stored 122 wide; the whole page
        // fits to 107 x 160, stored 108 wide.
        const uint32_t width = r.sizeField >> 16, height = r.sizeField & 0xFFFF;
        EXPECT_EQ(height, 160u);
        if (trim == TrimRule::Off)
            EXPECT_EQ(width, 108u);
        else
            EXPECT_NEAR(width, 122, 2);
    }
}

// A .cb7 made by 7-Zip itself: its PNG pages are entries whose records are those of the PNG
// files read on their own as pages.
TEST(PageShape, SevenZipPagesAreTheirPngs) {
    if (std::system("command -v 7z >/dev/null 2>&1 && command -v convert >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "7z or ImageMagick is not installed";
    Folder f(200, 3);
    const fs::path pages = f.dir.Path() / "pages";
    fs::create_directories(pages);
    for (int k : {1, 2, 10}) {
        const std::string png = (pages / ("p" + std::to_string(k) + ".png")).string();
        ASSERT_EQ(std::system(("convert -seed " + std::to_string(k) +
                               " -size 300x400 plasma: -bordercolor white "
                               "-border 20 '" +
                               png + "'")
                                  .c_str()),
                  0);
    }
    const std::string cb7 = (f.dir.Path() / "Comic.cb7").string();
    ASSERT_EQ(std::system(("cd '" + pages.string() + "' && 7z a -bd -bso0 '" + cb7 +
                           "' p1.png p2.png p10.png")
                              .c_str()),
              0);
    ItemList menu(3);
    ASSERT_TRUE(AddFile(menu, cb7).empty());
    ASSERT_EQ(menu.entries.size(), 4u);
    const std::vector<uint8_t> image = BuildMenu(f, menu);
    const RomInfo info = ReadRom(image, 3);
    const char* names[] = {"p1", "p2", "p10"};
    for (size_t k = 0; k < 3; ++k) {
        SCOPED_TRACE(names[k]);
        EXPECT_EQ(menu.entries[k + 1].name, names[k]);
        const ItemData want =
            EncodePictureFile(ReadBytes((pages / (std::string(names[k]) + ".png")).string()), true,
                              menu.pictures, {true});
        const RecordInfo& r = info.records[k + 1];
        EXPECT_EQ(r.sizeField, uint32_t(want.width) << 16 | want.height);
        ASSERT_EQ(r.dataSize, want.data.size());
        EXPECT_TRUE(std::equal(want.data.begin(), want.data.end(),
                               image.begin() + std::ptrdiff_t(r.offset + LB_RECORD_HEADER_BYTES)));
    }
}
