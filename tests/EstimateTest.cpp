#include "TestFiles.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

// Each worked out by hand from the estimate's rules: a text is a 12-byte header and its bytes,
// one more for an odd length and 4 - length % 4 more for a length not a multiple of 4; a picture's rows are padded (4 bits: to 8
// pixels, 8 bits: to 4, 24 bits: to 2) and a fixed part added (60, 540, 28); a name takes 32
// bytes, a heading's 64.
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

TEST(AddFile, KindsNamesAndMenuLists) {
    TempFolder dir;
    std::string story = dir.Write("Story.TXT", "12345");
    std::string page = dir.Write("Page.html", "x");
    std::string zoo = dir.Write("@Zoo.txt", "");
    std::string htm = dir.Write("Sea.Htm", "abcd");
    std::string pic = dir.Write("cat.bmp", MakeBmp({30, 20, 8, 0, std::vector<uint8_t>(1024), std::vector<uint8_t>(640)}));
    std::string movie = dir.Write("movie.avi", "x");
    std::string tiny = dir.Write("tiny.bmp", "BM");
    std::string missing = (dir.Path() / "gone.txt").string();
    std::string inner = dir.Write("inner.lkm", story + "\r\n");
    std::string list = dir.Write("list.lkm", missing + "\r\n" + story + "\n" + "Page.html\r" + inner + "\r\n\r\n" + zoo + "\r\n");

    ItemList menu(3);
    int64_t start = menu.TotalSize;
    for (auto& p : {story, page, zoo, htm, pic}) EXPECT_TRUE(AddFile(menu, p).empty()) << p;
    EXPECT_EQ(AddFile(menu, movie).size(), 1u);
    EXPECT_EQ(AddFile(menu, tiny).size(), 1u);
    EXPECT_EQ(AddFile(menu, missing).size(), 1u);
    std::vector<std::string> names;
    for (auto& e : menu.entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Story", "Page", "@Zoo", "Sea", "cat"}));
    EXPECT_EQ(menu.TotalSize - start, 53 + (1 + 12 + 1 + 3 + 32) + 76 + (4 + 12 + 32) + 1212);

    // The list's missing line, nested list and empty line are skipped; a relative line is
    // taken from the list's folder.
    ItemList fromList(3);
    auto skipped = AddFile(fromList, list);
    EXPECT_EQ(skipped.size(), 3u);
    ASSERT_EQ(fromList.entries.size(), 3u);
    EXPECT_EQ(fromList.entries[0].path, story);
    EXPECT_EQ(fromList.entries[1].path, page);
    EXPECT_EQ(fromList.entries[2].name, "@Zoo");

    // Round trip: CR LF after every line, a comma in a path kept whole.
    std::string saved = (dir.Path() / "saved.lkm").string();
    WriteMenuList(saved, {"/a/Paris, summer/a.bmp", "/m/@Animals.txt"});
    EXPECT_EQ(ReadBytes(saved).size(), 22u + 2 + 15 + 2);
    EXPECT_EQ(ReadMenuList(saved), (std::vector<std::string>{"/a/Paris, summer/a.bmp", "/m/@Animals.txt"}));
    EXPECT_EQ(DisplayNameFor("/x/html"), "");
    EXPECT_EQ(DisplayNameFor("notes.TXT"), "notes");
}
