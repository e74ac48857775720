#include "BuildFolder.h"
#include "TestFiles.h"
#include "assembly/Build.h"
#include "common/Error.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

TEST(Build, WholeImageByteForByte) {
    Folder f(300);
    std::string cat = f.dir.Write("@Animals.txt", "Lumenbrook v2.0\r\n");
    std::string pic = f.dir.Write("dot.bmp", MakeBmp({1, 1, 24, 0, {}, {0, 0, 255, 0}}));
    f.request.entries = {{cat, "@Animals"}, {pic, "dot"}};
    // An earlier, longer file leaves nothing behind.
    f.dir.Write("out.gba", std::vector<uint8_t>(2000000, 0xEE));
    Recorder progress;
    BuildResult r = Conver(f.request, progress);

    auto rom = ReadBytes(f.request.outputPath);
    const size_t S = 0xC814, tables = S + 3 * 38912;
    ASSERT_EQ(rom.size(), tables + 16 + 36 + 2 * 36 + (12 + 20) + (12 + 4));
    EXPECT_EQ(r.size, rom.size());
    EXPECT_EQ(rom[0x9F], 0x9F);
    EXPECT_EQ(std::string(rom.begin() + 0xA0, rom.begin() + 0xAA), "Lumenbrook");
    EXPECT_EQ(rom[0xAA], 0xAA);
    EXPECT_EQ(rom[0xBD], 0xBD);
    EXPECT_EQ(rom[299], 299 & 255);
    EXPECT_EQ(rom[300], 0); // zero up to the skin region
    EXPECT_EQ(rom[S - 1], 0);
    // Skin blocks: pixels, then palette entry 0 blue = 00 7C.
    EXPECT_EQ(rom[S], 1);
    EXPECT_EQ(rom[S + 38400], 0x00);
    EXPECT_EQ(rom[S + 38401], 0x7C);
    EXPECT_EQ(rom[S + 38912], 2);
    EXPECT_EQ(rom[S + 2 * 38912], 3);
    const std::vector<uint8_t> header = {1, 0, 2, 8, 16, 5, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(rom.begin() + tables, rom.begin() + tables + 16), header);
    size_t rec = tables + 16 + 36 + 72;
    // Text: 17 bytes filled to 20.
    EXPECT_EQ(std::vector<uint8_t>(rom.begin() + rec, rom.begin() + rec + 12),
              (std::vector<uint8_t>{9, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 0}));
    EXPECT_EQ(rom[rec + 12 + 17], ' ');
    rec += 32;
    // 1x1 red picture stored 2 wide: 1F 00 then the black column.
    EXPECT_EQ(std::vector<uint8_t>(rom.begin() + rec, rom.end()),
              (std::vector<uint8_t>{2, 9, 0, 0, 0, 2, 0, 1, 0, 0, 0, 20, 0x1F, 0, 0, 0}));

    const std::vector<std::string> shown = {
        "Write Program...\r\n", "Write Program...\r\nWrite Skin...\r\n",
        "Convering file.... 1/ 2", "Convering file.... 2/ 2", "Conversion done!"};
    EXPECT_EQ(progress.shown, shown);

    RomInfo info = ReadRom(rom, 3);
    EXPECT_TRUE(info.endsAfterLastRecord);
    EXPECT_TRUE(info.problems.empty());
    ASSERT_EQ(info.names.size(), 2u);
    EXPECT_EQ(info.names[0].name, "Animals");
    EXPECT_EQ(info.categories[0].span, 2);
}

TEST(Build, BaseImageLongerThanItsRegionAndEmptyMenu) {
    Folder f(0x5F014 + 38912 * 3 + 100, 1);
    f.request.language = 0;
    Recorder progress;
    Conver(f.request, progress);
    auto rom = ReadBytes(f.request.outputPath);
    // The empty menu's 16-byte header, then the base image's own tail.
    size_t end = 0x5F014 + 3 * 38912 + 16;
    ASSERT_EQ(rom.size(), end + 84);
    EXPECT_EQ(rom[end - 16], 0);
    EXPECT_EQ(rom[end], static_cast<uint8_t>(end));
    EXPECT_EQ(progress.shown.back(), "轉換完成!");
    EXPECT_EQ(progress.shown[0], "寫入Lumenbrook程式....\r\n");
}

TEST(Build, FailuresNameTheEntryAndKeepTheEarlierFile) {
    struct Case { const char* what; std::function<void(Folder&)> spoil; const char* message; };
    const Case cases[] = {
        {"missing entry", [](Folder& f) { f.request.entries.push_back({(f.dir.Path() / "gone.bmp").string(), "gone"}); },
         "entry 2 ("},
        {"missing web page", [](Folder& f) { f.request.entries.push_back({(f.dir.Path() / "gone.htm").string(), "gone"}); },
         "gone.htm): "},
        {"not a bitmap", [](Folder& f) { f.request.entries.push_back({f.dir.Write("bad.bmp", "hello, this is not a picture at all"), "bad"}); },
         "does not begin with \"BM\""},
        {"missing skin", [](Folder& f) { f.request.menuPath += ".none"; }, "menu picture"},
        {"missing base", [](Folder& f) { f.request.font = 0; }, "base image"},
        {"unwritable folder", [](Folder& f) { f.request.outputPath = "/proc/nope/out.gba"; }, "/proc/nope/out.gba"},
    };
    for (auto& c : cases) {
        Folder f(200);
        f.request.entries = {{f.dir.Write("a.txt", "abc"), "a"}};
        f.dir.Write("out.gba", "earlier");
        c.spoil(f);
        Recorder progress;
        try {
            Conver(f.request, progress);
            ADD_FAILURE() << c.what << " built";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
        auto left = ReadBytes(f.dir.Path() / "out.gba");
        EXPECT_EQ(std::string(left.begin(), left.end()), "earlier") << c.what;
        EXPECT_TRUE(ReplacingTemporaries(f.dir.Path()).empty()) << c.what << ": a temporary file was left";
    }
}

TEST(Build, OddSizedSkinPictureWarnsAndStillWritesItsBlock) {
    Folder f(200);
    // A 4 x 2 8-bit back picture: 8 pixel bytes and the 512-byte palette.
    f.request.backPath = f.dir.Write("small.bmp", MakeBmp({4, 2, 8, 0, std::vector<uint8_t>(1024), {5, 5, 5, 5, 6, 6, 6, 6}}));
    Recorder progress;
    BuildResult r = Conver(f.request, progress);
    EXPECT_EQ(r.size, 0xC814u + 2 * 38912 + 8 + 512 + 16);
    auto rom = ReadBytes(f.request.outputPath);
    EXPECT_EQ(rom[0xC814 + 2 * 38912], 6); // top row first
    int warnings = 0;
    for (auto& s : progress.shown) warnings += s.rfind("warning back picture", 0) == 0;
    EXPECT_EQ(warnings, 1);
}

TEST(Build, WebPagesOfEveryEndingBecomeTextRecords) {
    Folder f(200);
    f.request.entries = {
        {f.dir.Write("a.HTM", "<p>abc</p>"), "a"},
        {f.dir.Write("Sea.HTML", "<h1>Sea</h1>wave"), "Sea"},
        {f.dir.Write("pagehtml", "<body>\xE4\xB8\xAD x</body>"), "page"},
    };
    Recorder progress;
    Conver(f.request, progress);
    auto rom = ReadBytes(f.request.outputPath);
    RomInfo info = ReadRom(rom, 3);
    ASSERT_EQ(info.records.size(), 3u);
    const std::string data[] = {"abc ", "Sea\r\n\r\nwave ", "? x "};
    for (size_t i = 0; i < 3; ++i) {
        const RecordInfo& r = info.records[i];
        EXPECT_EQ(r.type, 9) << i;
        EXPECT_EQ(r.sizeField, data[i].size()) << i;
        EXPECT_EQ(std::string(rom.begin() + r.offset + 12, rom.begin() + r.offset + 12 + r.dataSize), data[i]) << i;
    }
    EXPECT_EQ(info.records[1].previousSize, 4u);
    EXPECT_EQ(info.records[2].previousSize, 12u);
    // The character the English font lacks is reported against its entry.
    int warnings = 0;
    for (auto& s : progress.shown) warnings += s.find("warning entry 3 (") == 0 && s.find("1 character of the page is") != std::string::npos;
    EXPECT_EQ(warnings, 1);
}
