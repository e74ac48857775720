#include "skins/SkinChoice.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

TEST(SkinChoice, ListsFoldersAndPicturesSortedWithoutCase) {
    TempFolder home;
    for (const char* folder : {"Skins/night", "Skins/Default", "Skins/.hidden", "Skins/Aqua"})
        fs::create_directories(home.Path() / folder);
    home.Write("Skins/readme.txt", "not a skin");
    home.Write("Back/Default.Bmp", "x");
    home.Write("Back/sea.bmp", "x");
    home.Write("Back/ZED.BMP", "x");
    home.Write("Back/.secret.bmp", "x");
    home.Write("Back/notes.txt", "x");
    fs::create_directories(home.Path() / "Back/folder.bmp");
    EXPECT_EQ(ListSkinNames(home.Path()),
              (std::vector<std::string>{".hidden", "Aqua", "Default", "night"}));
    EXPECT_EQ(ListBackNames(home.Path()),
              (std::vector<std::string>{"Default.Bmp", "sea.bmp", "ZED.BMP"}));
    EXPECT_TRUE(ListSkinNames(home.Path() / "nowhere").empty());

    const std::vector<std::string> list = {"Aqua", "Default", "default"};
    EXPECT_EQ(FindNoCase(list, "DEFAULT"), 1);
    EXPECT_EQ(FindNoCase(list, "aqua"), 0);
    EXPECT_EQ(FindNoCase(list, "Night"), -1);
}

// A skin folder in which `skip` is left out and the others are written whole.
TEST(SkinChoice, PicksMoveOnlyWhatLoaded) {
    TempFolder home;
    const auto picture = MakeBmp({2, 2, 8, 0, std::vector<uint8_t>(1024), std::vector<uint8_t>(8)});
    for (const char* skin : {"Default", "Half"}) {
        home.Write(std::string("Skins/") + skin + "/Title.Bmp", picture);
        home.Write(std::string("Skins/") + skin + "/Skin.ini", "1 2 3");
    }
    home.Write("Skins/Default/Menu.Bmp", picture);
    home.Write("Skins/Half/Menu.Bmp", "BM but not a picture");
    home.Write("Back/Default.Bmp", picture);
    SkinSelection skins(home.Path());
    auto stored = skins.CheckStored("Default", "Default.Bmp");
    EXPECT_TRUE(stored.missing.empty());
    ASSERT_TRUE(stored.layout);
    EXPECT_EQ(stored.layout->count, 3);

    auto half = skins.PickSkin("Half");
    EXPECT_EQ(half.missing, std::vector<SkinFile>{SkinFile::Menu});
    EXPECT_EQ(skins.TitlePath, (home.Path() / "Skins/Half/Title.Bmp").string());
    EXPECT_EQ(skins.MenuPath, (home.Path() / "Skins/Default/Menu.Bmp").string());
    EXPECT_EQ(skins.SkinName, "Default");
    EXPECT_FALSE(half.title || half.layout); // the previews keep the previous skin

    EXPECT_TRUE(skins.MissingDefaults().empty());
    fs::remove(home.Path() / "Skins/Default/Skin.ini");
    EXPECT_EQ(skins.MissingDefaults(), std::vector<SkinFile>{SkinFile::Layout});
    EXPECT_EQ(IncompleteDefaultMessage(0, skins, {SkinFile::Layout}),
              "預設Skin不完整，以下檔案找不到或無法讀取：\r\n" +
                  (home.Path() / "Skins/Default/Skin.ini").string());
}
