// Texts as people have them: which encoding a text is read in, and the bytes its record holds
// for each font, with the real base images' glyphs.
#include "BuildFolder.h"
#include "TestFiles.h"
#include "assembly/Build.h"
#include "format/RomLayout.h"
#include "items/FontText.h"
#include "items/TextItem.h"
#include "items/WebPageItem.h"
#include "rom/Fonts.h"
#include "rom/GlyphCoverage.h"
#include "rom/RomReader.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

// A font's code page limited to its base image's glyphs, as a build has it.
struct FontOf {
    CodePageConverter codes;
    FontText text;
    FontOf(int font, bool convertScript)
        : codes(CodePageForFont(font)), text(codes, convertScript) {
        codes.ShowOnly(GlyphCoverage(
            ReadBytes(fs::path(LUMENBROOK_BUILD_DIR) / "Bin" / Font(font).base_image)));
    }
};

std::string Bytes(const ItemData& item) { return std::string(item.data.begin(), item.data.end()); }

std::string Padded(std::string s) {
    while (s.size() % 4) s += ' ';
    return s;
}

// A few paragraphs, as people's files are: the detector needs that much to decide.
const std::string kTraditional =
    "春天來了，山上的花都開了。我們走小路到河邊，看見孩子們在水裡玩耍，老人坐在樹下喝茶聊天。"
    "遠處的村莊升起了炊煙，鳥兒在天空中飛翔。這是一個寧靜的下午，陽光溫暖，微風輕輕吹過田野。\r\n";
const std::string kSimplified =
    "春天来了，山上的花都开了。我们走小路到河边，看见孩子们在水里玩耍，老人坐在树下喝茶聊天。"
    "远处的村庄升起了炊烟，鸟儿在天空中飞翔。这是一个宁静的下午，阳光温暖，微风轻轻吹过田野。\r\n";

std::string InPage(CodePage page, const std::string& utf8) {
    CodePageConverter codes(page);
    int missing = 0;
    std::string out = codes.Encode(utf8, &missing);
    EXPECT_EQ(missing, 0) << "the paragraph is not all in " << IconvName(page);
    return out;
}

} // namespace

TEST(TextEncoding, SourcesAndFontsGiveTheseRecords) {
    const std::string big5 = InPage(CodePage::Big5, kTraditional + kTraditional + kTraditional);
    const std::string gb = InPage(CodePage::Gbk, kSimplified + kSimplified + kSimplified);
    std::string allBytes;
    for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
    struct Case {
        const char* what;
        int font;
        std::string file;
        std::string want; // the record's bytes before the blanks that fill it to 4
        const char* readAs;
        const char* script;
        int replaced;
        TextOptions options = {};
    };
    const Case cases[] = {
        // 學 U+5B78 and 習 U+7FD2: Big5 BE C7 B2 DF; GB2312 has only 学 D1 A7 and 习 CF B0.
        {"UTF-8 Traditional, font 0", 0, "\xE5\xAD\xB8\xE7\xBF\x92", "\xBE\xC7\xB2\xDF", "UTF-8", nullptr, 0},
        {"UTF-8 Traditional, font 1", 1, "\xE5\xAD\xB8\xE7\xBF\x92", "\xBE\xC7\xB2\xDF", "UTF-8", nullptr, 0},
        {"UTF-8 Traditional, font 2", 2, "\xE5\xAD\xB8\xE7\xBF\x92", "\xD1\xA7\xCF\xB0", "UTF-8", "t2s", 0},
        // 学 U+5B66, 习 U+4E60.
        {"UTF-8 Simplified, font 0", 0, "\xE5\xAD\xA6\xE4\xB9\xA0", "\xBE\xC7\xB2\xDF", "UTF-8", "s2tw", 0},
        {"UTF-8 Simplified, font 2", 2, "\xE5\xAD\xA6\xE4\xB9\xA0", "\xD1\xA7\xCF\xB0", "UTF-8", nullptr, 0},
        // “a” é — in CP1252: 93 61 94 20 E9 20 97; Big5 has the quotes (A1 A7, A1 A8) and the
        // dash (A1 58), not é.
        {"UTF-8 English, font 3", 3, "\xE2\x80\x9C" "a\xE2\x80\x9D \xC3\xA9 \xE2\x80\x94",
         "\x93" "a\x94 \xE9 \x97", "UTF-8", nullptr, 0},
        {"UTF-8 English, font 0", 0, "\xE2\x80\x9C" "a\xE2\x80\x9D \xC3\xA9 \xE2\x80\x94",
         "\xA1\xA7" "a\xA1\xA8 ? \xA1\x58", "UTF-8", nullptr, 1},
        {"UTF-8 with a mark", 3, "\xEF\xBB\xBF" "abc", "abc", "UTF-8", nullptr, 0},
        // 中 U+4E2D is Big5 A4 A4.
        {"UTF-16LE with a mark", 0, std::string("\xFF\xFE\x2D\x4E\x0D\x00\x0A\x00", 8), "\xA4\xA4\r\n",
         "UTF-16LE", nullptr, 0},
        {"UTF-16BE with a mark", 0, std::string("\xFE\xFF\x4E\x2D", 4), "\xA4\xA4", "UTF-16BE", nullptr, 0},
        {"Big5 paragraphs, font 0", 0, big5, big5, "", nullptr, 0},
        {"GB2312 paragraphs, font 2", 2, gb, gb, "", nullptr, 0},
        {"one Big5 word, font 0", 0, "\xAD\xB7\xB4\xBA", "\xAD\xB7\xB4\xBA", "", nullptr, 0},
        {"GB2312 paragraphs, font 0", 0, gb, big5, "GB18030", "s2tw", 0},
        {"Big5 paragraphs, font 2", 2, big5, gb, "BIG5", "t2s", 0},
        // 丂 U+4E02 is GBK 81 40, outside GB2312's rows: the font has no glyph for it.
        {"a GBK-only character, font 2", 2, "a\xE4\xB8\x82" "b", "a?b", "UTF-8", nullptr, 1},
        {"all 256 byte values, font 0", 0, allBytes, allBytes, "", nullptr, 0},
        {"all 256 byte values, font 2", 2, allBytes, allBytes, "", nullptr, 0},
        {"all 256 byte values, font 3", 3, allBytes, allBytes, "", nullptr, 0},
        {"keep", 0, "\xE5\xAD\xB8", "\xE5\xAD\xB8", "", nullptr, 0, {"keep", true}},
        {"keep with a mark", 0, "\xEF\xBB\xBF" "a", "\xEF\xBB\xBF" "a", "", nullptr, 0, {"keep", true}},
        {"a named encoding", 0, "\xD1\xA7", "\xBE\xC7", "GB18030", "s2tw", 0, {"GB18030", true}},
        {"no script conversion", 0, "\xE5\xAD\xA6", "?", "UTF-8", nullptr, 1, {"auto", false}},
    };
    for (const Case& c : cases) {
        FontOf font(c.font, c.options.convertScript);
        TextReading reading;
        ItemData item = EncodeTextFile(std::vector<uint8_t>(c.file.begin(), c.file.end()), LB_PLAIN_TEXT,
                                       font.text, c.options, &reading);
        EXPECT_EQ(Bytes(item), Padded(c.want)) << c.what;
        EXPECT_EQ(item.length, Padded(c.want).size()) << c.what;
        EXPECT_EQ(reading.source.readAs, c.readAs) << c.what << " (detector: " << reading.source.detected << ")";
        EXPECT_STREQ(reading.script ? reading.script : "", c.script ? c.script : "") << c.what;
        EXPECT_EQ(reading.replaced, c.replaced) << c.what;
    }
}

TEST(TextEncoding, NamesTakeTheFontsScriptAndTheLogSaysWhatWasDone) {
    Folder f(200, 0);
    // Real base image for its glyphs.
    fs::copy_file(fs::path(LUMENBROOK_BUILD_DIR) / "Bin/Big5s.bin", f.dir.Path() / "Bin/Big5s.bin",
                  fs::copy_options::overwrite_existing);
    f.request.entries = {{f.dir.Write("学习.txt", "\xE5\xAD\xA6"), "学习"}, {f.dir.Write("b.txt", "abc"), "b"}};
    Recorder progress;
    Conver(f.request, progress);
    RomInfo info = ReadRom(ReadBytes(f.request.outputPath), 0);
    ASSERT_EQ(info.names.size(), 2u);
    EXPECT_EQ(info.names[0].name, "學習");
    std::string log; // the last whole log shown
    for (const std::string& shown : progress.shown) {
        EXPECT_NE(shown.rfind("warning ", 0), 0u) << shown;
        if (shown.find("\r\n") != std::string::npos) log = shown;
    }
    const std::string line = "entry 1 (" + f.request.entries[0].path +
                             "): read as UTF-8, converted to Traditional Chinese (s2tw)\r\n";
    EXPECT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find("entry 2"), std::string::npos) << "an ASCII text is stored as it is";
}

TEST(TextEncoding, WebPagesTakeTheFontsScriptToo) {
    struct Case {
        int font;
        const char* page;
        const char* want;
        const char* script;
    };
    const Case cases[] = {
        {0, "<meta charset=utf-8><p>\xE5\xAD\xA6</p>", "\xBE\xC7", "s2tw"},         // 学 as 學
        {2, "<meta charset=big5><p>\xBE\xC7</p>", "\xD1\xA7", "t2s"},                // 學 as 学
        {3, "<p>\xE5\xAD\xA6</p>", "?", nullptr},                                    // English: none
    };
    for (const Case& c : cases) {
        FontOf font(c.font, true);
        int replaced = -1;
        const char* script = nullptr;
        const std::string page = c.page;
        ItemData item = EncodeWebPage(std::vector<uint8_t>(page.begin(), page.end()), font.text, &replaced, &script);
        EXPECT_EQ(Bytes(item), Padded(c.want)) << c.page;
        EXPECT_STREQ(script ? script : "", c.script ? c.script : "") << c.page;
        EXPECT_EQ(replaced, c.script ? 0 : 1) << c.page;
    }
}
