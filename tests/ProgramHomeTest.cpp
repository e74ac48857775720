// Where the settings file, the default ROM and the skins are: beside the program when it may
// write there, else in the user's folders; and the first language from the locale.
#include "app/ProgramHome.h"
#include "TestFiles.h"
#include "skins/SkinChoice.h"
#include "skins/SkinFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace lb;
using namespace lbtest;

TEST(ProgramHome, PortableOrPerUser) {
    const UserEnvironment plain{"/home/ann", "", "", "en_GB.UTF-8"};
    const UserEnvironment xdg{"/home/ann", "/cfg", "/share", "en_GB.UTF-8"};
    const UserEnvironment relative{"/home/ann", "cfg", "share",
                                   "en_GB.UTF-8"}; // not absolute: ignored
    struct Case {
        const char* what;
        bool portable;
        const UserEnvironment& user;
        const char *settings, *rom, *userSkins;
    } cases[] = {
        {"writable program folder", true, plain, "/opt/lb/Lumenbrook.ini", "/opt/lb/Lumbro.Gba",
         nullptr},
        {"read-only, no XDG", false, plain, "/home/ann/.config/lumenbrook/Lumenbrook.ini",
         "/home/ann/Lumbro.Gba", "/home/ann/.local/share/lumenbrook"},
        {"read-only, XDG set", false, xdg, "/cfg/lumenbrook/Lumenbrook.ini", "/home/ann/Lumbro.Gba",
         "/share/lumenbrook"},
        {"read-only, XDG relative", false, relative, "/home/ann/.config/lumenbrook/Lumenbrook.ini",
         "/home/ann/Lumbro.Gba", "/home/ann/.local/share/lumenbrook"},
    };
    for (const Case& c : cases) {
        ProgramHome home = HomeFor("/opt/lb", c.portable, c.user);
        EXPECT_EQ(home.data, "/opt/lb") << c.what;
        EXPECT_EQ(home.settingsFile, c.settings) << c.what;
        EXPECT_EQ(home.defaultRom, c.rom) << c.what;
        ASSERT_EQ(home.skins.folders.size(), c.userSkins ? 2u : 1u) << c.what;
        if (c.userSkins) {
            EXPECT_EQ(home.skins.folders[0], c.userSkins) << c.what;
        }
        EXPECT_EQ(home.skins.Bundled(), "/opt/lb") << c.what;
    }
}

TEST(ProgramHome, FoundBesideTheProgramOrInstalled) {
    TempFolder root;
    fs::create_directories(root.Path() / "build/Bin");
    fs::create_directories(root.Path() / "usr/bin");
    fs::create_directories(root.Path() / "usr/share/lumenbrook/Bin");
    const UserEnvironment user{(root.Path() / "home").string(), "", "", "C"};
    ProgramHome beside = FindProgramHome(root.Path() / "build", user);
    EXPECT_EQ(beside.data, root.Path() / "build");
    EXPECT_TRUE(beside.portable);
    EXPECT_EQ(beside.settingsFile, root.Path() / "build/Lumenbrook.ini");
    // An installation keeps the user's files in the user's folders, even where it could write.
    ProgramHome installed = FindProgramHome(root.Path() / "usr/bin", user);
    EXPECT_EQ(installed.data, root.Path() / "usr/share/lumenbrook");
    EXPECT_FALSE(installed.portable);
    EXPECT_EQ(installed.settingsFile, root.Path() / "home/.config/lumenbrook/Lumenbrook.ini");
    if (geteuid() != 0) { // root may write anywhere
        fs::permissions(root.Path() / "build", fs::perms::owner_write, fs::perm_options::remove);
        EXPECT_FALSE(FindProgramHome(root.Path() / "build", user).portable);
        fs::permissions(root.Path() / "build", fs::perms::owner_write, fs::perm_options::add);
    }
}

TEST(ProgramHome, AUsersSkinShadowsABundledOne) {
    TempFolder bundled, user;
    for (const char* file :
         {"Skins/Default/Title.Bmp", "Skins/Night/Title.Bmp", "Back/Default.Bmp", "Back/sea.bmp"})
        bundled.Write(file, "bundled");
    for (const char* file :
         {"Skins/night/Title.Bmp", "Skins/Mine/Title.Bmp", "Back/SEA.BMP", "Back/own.bmp"})
        user.Write(file, "user's");
    const SkinRoots roots(user.Path(), bundled.Path());
    EXPECT_EQ(ListSkinNames(roots), (std::vector<std::string>{"Default", "Mine", "night"}));
    EXPECT_EQ(ListBackNames(roots),
              (std::vector<std::string>{"Default.Bmp", "own.bmp", "SEA.BMP"}));
    EXPECT_EQ(SkinPathsFor(roots, "Night", "sea.bmp").TitlePath,
              (user.Path() / "Skins/night/Title.Bmp").string());
    EXPECT_EQ(SkinPathsFor(roots, "Night", "sea.bmp").BackPath,
              (user.Path() / "Back/SEA.BMP").string());
    EXPECT_EQ(SkinPathsFor(roots, "Default", "Default.Bmp").TitlePath,
              (bundled.Path() / "Skins/Default/Title.Bmp").string());
    // Found nowhere: the bundled folder's path, which the message then names.
    EXPECT_EQ(SkinPathsFor(roots, "Gone", "gone.bmp").BackPath,
              (bundled.Path() / "Back/gone.bmp").string());
}

TEST(ProgramHome, FirstStartSpeaksTheLocalesLanguageInItsFont) {
    struct Case {
        const char* locale;
        int language, font;
    } cases[] = {{"en_US.UTF-8", 1, 4}, {"zh_TW.UTF-8", 0, 1}, {"zh_HK.Big5-HKSCS", 0, 1},
                 {"zh_MO", 0, 1},       {"zh_CN.GB18030", 0, 2}, {"zh_SG", 0, 2},
                 {"C", 1, 4},           {"", 1, 4},            {"de_DE", 1, 4},
                 {"ru_RU.UTF-8", 1, 4}, {"ja_JP.UTF-8", 1, 4}};
    TempFolder folder;
    for (const Case& c : cases) {
        ProgramHome home = HomeFor(folder.Path(), true, {folder.Path().string(), "", "", c.locale});
        EXPECT_EQ(ReadStoredSettings(home).LanguageFlag, c.language) << c.locale;
        EXPECT_EQ(ReadStoredSettings(home).FontIndex, c.font) << c.locale;
    }
    // A settings file, even in the other language, wins over the locale.
    folder.Write("Lumenbrook.ini",
                 "Language= 0\r\nSkins=Default\r\nBack=Default.Bmp\r\nBin= 0\r\nFlash=0\r\n\r\n");
    EXPECT_EQ(
        ReadStoredSettings(HomeFor(folder.Path(), true, {"", "", "", "en_US.UTF-8"})).LanguageFlag,
        0);
    EXPECT_EQ(ReadStoredSettings(HomeFor(folder.Path(), true, {"", "", "", "en_US.UTF-8"})).FontIndex, 0);
}
