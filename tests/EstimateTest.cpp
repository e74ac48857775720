#include "TestFiles.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "menu/MenuListFile.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

TEST(Estimate, EntryEstimatesAndLabel) {
    EXPECT_EQ(TextEstimate(0) + 32, 44);
    EXPECT_EQ(TextEstimate(6) + 32, 52);
    EXPECT_EQ(TextEstimate(5) + 32, 53);
    EXPECT_EQ(TextEstimate(5) + 64, 85);
    EXPECT_EQ(TextEstimate(7), 7 + 12 + 1 + 1);
    EXPECT_EQ(PictureEstimate(10, 10, 4) + 32, 172);
    EXPECT_EQ(PictureEstimate(30, 20, 8) + 32, 1212);
    EXPECT_EQ(PictureEstimate(240, 160, 24) + 32, 76860);
    EXPECT_EQ(PictureEstimate(3, 2, 24) + 32, 76);
    EXPECT_LT(PictureEstimate(240, -160, 24), 0);
    const char* labels[] = {" 437KB", " 497KB", " 337KB", " 167KB"};
    for (int f = 0; f < 4; ++f) EXPECT_EQ(ItemList(f).SizeLabel(), labels[f]) << f;
    EXPECT_EQ(ItemList(0).TotalSize, 447092);
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
