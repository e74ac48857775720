#include "TestFiles.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

// Each worked out by hand from the estimate's rules: a text is a 12-byte header and its bytes,
// one more for an odd length and 4 - length % 4 more for a length not a multiple of 4; a picture's
// rows are padded (4 bits: to 8 pixels, 8 bits: to 4, 24 bits: to 2) and a fixed part added (60,
// 540, 28); a name takes 32 bytes, a heading's 64.
TEST(Estimate, EntryEstimatesAndLabel) {
    const struct {
        const char* what;
        int64_t got, want;
    } cases[] = {
        {"empty text", TextEstimate(0), 12},
        {"6 bytes", TextEstimate(6), 12 + 6 + 2},
        {"5 bytes", TextEstimate(5), 12 + 5 + 1 + 3},
        {"7 bytes", TextEstimate(7), 12 + 7 + 1 + 1},
        {"10 x 10 at 4 bits", PictureEstimate(10, 10, 4), 16 * 10 / 2 + 60},
        {"30 x 20 at 8 bits", PictureEstimate(30, 20, 8), 32 * 20 + 540},
        {"240 x 160 at 24 bits", PictureEstimate(240, 160, 24), 240 * 160 * 2 + 28},
        {"3 x 2 at 24 bits", PictureEstimate(3, 2, 24), 4 * 2 * 2 + 28},
        {"an entry's name", NameSlot("cat"), 32},
        {"a heading's name", NameSlot("@Cats"), 64},
        // 119392 for an empty menu, and the base image up to font 0's skin region.
        {"empty menu, font 0", ItemList(0).TotalSize, 119392 + 0x50014},
    };
    for (const auto& c : cases) EXPECT_EQ(c.got, c.want) << c.what;
    EXPECT_LT(PictureEstimate(240, -160, 24), 0);
    // Whole kilobytes, one more than the size holds.
    const char* labels[] = {" 437KB", " 497KB", " 337KB", " 167KB"};
    for (int f = 0; f < 4; ++f) EXPECT_EQ(ItemList(f).SizeLabel(), labels[f]) << f;
    EXPECT_EQ(SizeLabelText(0), " 1KB");
    EXPECT_EQ(SizeLabelText(1023), " 1KB");
    EXPECT_EQ(SizeLabelText(1024), " 2KB");
}

TEST(AddFile, KindsNamesAndEstimates) {
    TempFolder dir;
    const std::string story = dir.Write("Story.TXT", "12345"), page = dir.Write("Page.html", "x"),
                      zoo = dir.Write("@Zoo.txt", ""), htm = dir.Write("Sea.Htm", "abcd"),
                      pic = dir.Write("cat.bmp", MakeBmp({30, 20, 8, 0, std::vector<uint8_t>(1024),
                                                          std::vector<uint8_t>(640)}));
    ItemList menu(3);
    const int64_t start = menu.TotalSize;
    for (auto& p : {story, page, zoo, htm, pic}) EXPECT_TRUE(AddFile(menu, p).empty()) << p;
    // Not a kind the program reads, too short for a bitmap, and not there: each skipped.
    for (const std::string& skipped : {dir.Write("movie.avi", "x"), dir.Write("tiny.bmp", "BM"),
                                       (dir.Path() / "gone.txt").string()})
        EXPECT_EQ(AddFile(menu, skipped).size(), 1u) << skipped;
    EXPECT_EQ(AddFile(menu, dir.Write("clip.avi", "x"))[0].reason,
              "not a kind Lumenbrook converts (.bmp, .jpg, .jpeg, .png, .gif, .webp, .tif, .tiff, "
              ".heic, .heif, .avif, .jxl, .fb2.zip, .cbz, .zip, .cbr, .rar, .cb7, .7z, .pdf, .epub, .fb2, .docx, "
              ".odt, .md, .markdown, .txt, .lkb, .htm, "
              ".html, .lkm or a folder)");
    std::vector<std::string> names;
    for (auto& e : menu.entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Story", "Page", "@Zoo", "Sea", "cat"}));
    // Each entry's estimate (see the table above) and its name's slot.
    EXPECT_EQ(menu.TotalSize - start, (12 + 5 + 1 + 3 + 32) + (12 + 1 + 1 + 3 + 32) + (12 + 64) +
                                          (12 + 4 + 32) + (32 * 20 + 540 + 32));
    EXPECT_EQ(DisplayNameFor("/x/html"), "");
    EXPECT_EQ(DisplayNameFor("notes.TXT"), "notes");
}

// A menu list's missing line, nested list and empty line are skipped; a relative line is taken
// from the list's folder.
TEST(AddFile, MenuListsExpandInPlace) {
    TempFolder dir;
    const std::string story = dir.Write("Story.TXT", "12345"), zoo = dir.Write("@Zoo.txt", "");
    const std::string page = dir.Write("Page.html", "x"),
                      inner = dir.Write("inner.lkm", story + "\r\n");
    const std::string list =
        dir.Write("list.lkm", (dir.Path() / "gone.txt").string() + "\r\n" + story + "\n" +
                                  "Page.html\r" + inner + "\r\n\r\n" + zoo + "\r\n");
    ItemList menu(3);
    EXPECT_EQ(AddFile(menu, list).size(), 3u);
    ASSERT_EQ(menu.entries.size(), 3u);
    EXPECT_EQ(menu.entries[0].path, story);
    EXPECT_EQ(menu.entries[1].path, page);
    EXPECT_EQ(menu.entries[2].name, "@Zoo");
}

// CR LF after every line, a comma in a path kept whole.
TEST(MenuListFile, RoundTrip) {
    TempFolder dir;
    const std::string saved = (dir.Path() / "saved.lkm").string();
    const std::vector<std::string> paths = {"/a/Paris, summer/a.bmp", "/m/@Animals.txt"};
    WriteMenuList(saved, paths);
    const auto bytes = ReadBytes(saved);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
              "/a/Paris, summer/a.bmp\r\n/m/@Animals.txt\r\n");
    EXPECT_EQ(ReadMenuList(saved), paths);
}
