// The handheld's limits: menu counts its header can hold, the cartridge's 32 MiB, and names
// with characters the font lacks.
#include "BuildFolder.h"
#include "common/Error.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

TEST(Limits, MenuCountsTheHeaderCanHold) {
    Folder f(300);
    const std::string item = f.dir.Write("a.txt", "a");
    struct Case {
        size_t headings, items;
        const char* refused; // empty: builds
    } cases[] = {
        {255, 0, ""},
        {256, 0, "the menu has 256 headings; the handheld's menu holds at most 255"},
        {1, 65534, ""},
        {1, 65535, "the menu has 65536 entries; the handheld's menu holds at most 65535"},
    };
    for (const Case& c : cases) {
        f.request.entries.clear();
        for (size_t i = 0; i < c.headings; ++i) f.request.entries.push_back({item, "@h" + std::to_string(i)});
        for (size_t i = 0; i < c.items; ++i) f.request.entries.push_back({item, "x"});
        f.dir.Write("out.gba", "earlier");
        Recorder quiet;
        EXPECT_EQ(ErrorOf([&] { Conver(f.request, quiet); }), c.refused) << c.headings << " + " << c.items;
        auto rom = ReadBytes(f.request.outputPath);
        if (*c.refused) {
            EXPECT_EQ(std::string(rom.begin(), rom.end()), "earlier");
            continue;
        }
        RomInfo info = ReadRom(rom, 3);
        EXPECT_EQ(info.categoryCount, c.headings);
        EXPECT_EQ(info.entryCount, c.headings + c.items);
        EXPECT_TRUE(info.endsAfterLastRecord);
    }
}

TEST(Limits, AnImagePast32MiBWarnsOrFailsWhenStrict) {
    // Base, skin region and blocks, menu header and one name, one record header: 168,020
    // bytes; a text of 33,386,412 bytes fills the cartridge exactly.
    Folder f(300);
    const size_t exact = 33554432 - (0xC814 + 3 * 38912 + 16 + 36 + 12);
    ASSERT_EQ(exact, 33386412u);
    struct Case {
        size_t text;
        bool strict;
        uint64_t size; // 0: refused
        bool warned;
    } cases[] = {
        {exact, true, 33554432, false},
        {exact + 1, false, 33554436, true},
        {exact + 1, true, 0, false},
    };
    const std::string tooLarge = "the image is 33554436 bytes, more than the 33554432 bytes (32 MiB) of a "
                                 "cartridge; the handheld cannot read what lies past that";
    for (const Case& c : cases) {
        f.request.entries = {{f.dir.Write("long.txt", std::string(c.text, 'z')), "Long"}};
        f.request.strictSize = c.strict;
        f.dir.Write("out.gba", "earlier");
        Recorder progress;
        const std::string message = ErrorOf([&] { Conver(f.request, progress); });
        const bool warned = std::count(progress.shown.begin(), progress.shown.end(), "warning " + tooLarge) == 1;
        EXPECT_EQ(warned, c.warned) << c.text;
        if (c.size) {
            EXPECT_EQ(message, "") << c.text;
            EXPECT_EQ(fs::file_size(f.request.outputPath), c.size) << c.text;
        } else {
            EXPECT_EQ(message, tooLarge);
            EXPECT_EQ(fs::file_size(f.request.outputPath), 7u); // "earlier"
        }
    }
}

TEST(Limits, NamesWithCharactersTheFontLacksWarnPerEntry) {
    for (const uint8_t language : {1, 0}) {
        Folder f(300);
        f.request.language = language;
        const std::string item = f.dir.Write("a.txt", "a");
        f.request.entries = {{item, "caf\xC3\xA9"}, {item, "\xE2\x98\x83 and \xE4\xB8\xAD"}, {item, "plain"}};
        Recorder progress;
        BuildResult r = Conver(f.request, progress);
        EXPECT_EQ(r.replacedChars, (std::vector<int>{0, 2, 0}));
        std::vector<std::string> warnings;
        for (auto& s : progress.shown)
            if (s.rfind("warning ", 0) == 0) warnings.push_back(s);
        const std::string want =
            language ? "warning entry 2 (" + item + "): 2 characters of the name are not in CP1252 and became \"?\""
                     : "warning 第 2 項 (" + item + ")：2 個名稱字元不在 CP1252 中，已改為「?」";
        EXPECT_EQ(warnings, std::vector<std::string>{want});
    }
}

// Past 32 MiB the warning names the entries whose records start where the handheld cannot
// read; a picture larger than the screen kept as it is gets a note in the log.
TEST(Limits, TheWarningNamesEntriesPastTheCartridgeAndLargePicturesAreNoted) {
    Folder f(300);
    const std::string text = f.dir.Write("long.txt", std::string(33400000, 'z'));
    const std::string small = f.dir.Write("a.txt", "a");
    std::vector<uint8_t> pixels(320 * 200, 1);
    const std::string wide = f.dir.Write("wide.bmp", MakeBmp({320, 200, 8, 0, std::vector<uint8_t>(1024), pixels}));
    f.request.entries = {{wide, "wide"}, {text, "long"}, {small, "a"}, {small, "b"}};
    Recorder progress;
    Conver(f.request, progress);
    std::vector<std::string> warnings;
    for (auto& s : progress.shown)
        if (s.rfind("warning ", 0) == 0) warnings.push_back(s);
    ASSERT_EQ(warnings.size(), 1u);
    const std::string end = "; the handheld cannot open entry 3 (" + small + "), entry 4 (" + small + ")";
    EXPECT_EQ(warnings[0].substr(warnings[0].size() - end.size()), end) << warnings[0];
    const std::string note =
        "entry 1 (" + wide + "): 320 x 200, larger than the screen, kept as it is (--fit screen would fit it)\r\n";
    EXPECT_EQ(std::count_if(progress.shown.begin(), progress.shown.end(),
                            [&](const std::string& s) { return s.size() >= note.size() && s.substr(s.size() - note.size()) == note; }),
              1);
}
