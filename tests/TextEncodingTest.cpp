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
        // dash (A1 58), not é, which is spelled without its mark.
        {"UTF-8 English, font 3", 3, "\xE2\x80\x9C" "a\xE2\x80\x9D \xC3\xA9 \xE2\x80\x94",
         "\x93" "a\x94 \xE9 \x97", "UTF-8", nullptr, 0},
        {"UTF-8 English, font 0", 0, "\xE2\x80\x9C" "a\xE2\x80\x9D \xC3\xA9 \xE2\x80\x94",
         "\xA1\xA7" "a\xA1\xA8 e \xA1\x58", "UTF-8", nullptr, 0},
        {"UTF-8 with a mark", 3, "\xEF\xBB\xBF" "abc", "abc", "UTF-8", nullptr, 0},
        // 中 U+4E2D is Big5 A4 A4.
        {"UTF-16LE with a mark", 0, std::string("\xFF\xFE\x2D\x4E\x0D\x00\x0A\x00", 8), "\xA4\xA4\r\n",
         "UTF-16LE", nullptr, 0},
        {"UTF-16BE with a mark", 0, std::string("\xFE\xFF\x4E\x2D", 4), "\xA4\xA4", "UTF-16BE", nullptr, 0},
        {"Big5 paragraphs, font 0", 0, big5, big5, "", nullptr, 0},
        {"GB2312 paragraphs, font 2", 2, gb, gb, "", nullptr, 0},
        {"one Big5 word, font 0", 0, "\xAD\xB7\xB4\xBA", "\xAD\xB7\xB4\xBA", "", nullptr, 0},
        {"GB2312 paragraphs, font 0", 0, gb, big5, "GB18030", "s2tw", 0},
        {"Big5 paragraphs, font 2", 2, big5, gb, "CP950", "t2s", 0},
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

// A text in a legacy encoding with a few characters outside it, as real files have: read in
// the encoding's superset, the bytes that still do not decode stored as "?" and counted, and
// kept unchanged only when more than 1 % do not decode.
TEST(TextEncoding, AFewBadBytesBecomeQuestionMarksAndAreCounted) {
    const std::string big5 = InPage(CodePage::Big5, kTraditional + kTraditional + kTraditional);
    const std::string gb = InPage(CodePage::Gbk, kSimplified + kSimplified + kSimplified);
    const std::string japanese =
        "春が来て、山の花が咲きました。私たちは小道を歩いて川辺に行き、子供たちが水の中で遊んでいる"
        "のを見ました。お年寄りは木の下でお茶を飲みながら話をしていました。\r\n";
    std::string sjis, japaneseIn1252;
    for (int k = 0; k < 3; ++k) {
        sjis += Encoded(japanese, "SHIFT_JIS");
        for (const char c : japanese) // one "?" for each character past ASCII, at its first byte
            if (uint8_t(c) < 0x80 || uint8_t(c) >= 0xC0) japaneseIn1252 += uint8_t(c) < 0x80 ? c : '?';
    }
    const int japaneseChars = int(std::count(japaneseIn1252.begin(), japaneseIn1252.end(), '?'));
    std::string english;
    for (int k = 0; k < 6; ++k)
        english += "She said \x93yes\x94 to the walk \x97 and the river was cold that morning.\r\n";
    // 嘅 U+5605 is only in Big5-HKSCS: 9D EF.
    const std::string hkscs = "\x9D\xEF";
    struct Case {
        const char* what;
        int font;
        std::string file;
        std::string want; // the record's bytes before the blanks that fill it to 4
        const char* readAs;
        int undecodable;
        int replaced;
    };
    const Case cases[] = {
        {"Big5 with a Big5-HKSCS character, font 2", 2, big5 + hkscs, gb + "?", "BIG5-HKSCS", 0, 1},
        {"Big5 with a stray byte, font 2", 2, big5 + "\xFF", gb + "?", "CP950", 1, 0},
        // 丂 U+4E02 is GBK 81 40: in GB18030, not in Big5.
        {"GB2312 with a GBK-only character and a stray byte, font 0", 0, gb + "\x81\x40\xFF", big5 + "??",
         "GB18030", 1, 1},
        // ① is CP932's 87 40, an NEC extension outside Shift_JIS, spelled "1" in the English
        // font; 0xFF is nothing in either.
        {"Shift_JIS with a CP932 extension and a stray byte, font 3", 3, sjis + "\x87\x40\xFF",
         japaneseIn1252 + "1?", "CP932", 1, japaneseChars},
        // 0x81 is undefined in Windows-1252; the quotes and the dash are Big5 A1 A7, A1 A8, A1 58.
        // The detector names ISO-8859-7 for so little: its Windows superset has the same quotes.
        {"Windows-1252 with 0x80-0x9F and an undefined byte, font 0", 0, english + "\x81",
         [&] {
             std::string b;
             for (int k = 0; k < 6; ++k)
                 b += "She said \xA1\xA7yes\xA1\xA8 to the walk \xA1\x58 and the river was cold that morning.\r\n";
             return b + "?";
         }(),
         "WINDOWS-1253", 1, 0},
        {"more than 1 % that does not decode, font 2", 2, big5 + std::string(10, '\xFF'),
         big5 + std::string(10, '\xFF'), "", 0, 0},
    };
    for (const Case& c : cases) {
        FontOf font(c.font, true);
        TextReading reading;
        ItemData item = EncodeTextFile(std::vector<uint8_t>(c.file.begin(), c.file.end()), LB_PLAIN_TEXT,
                                       font.text, {}, &reading);
        EXPECT_EQ(Bytes(item), Padded(c.want)) << c.what;
        EXPECT_EQ(reading.source.readAs, c.readAs) << c.what << " (detector: " << reading.source.detected << ")";
        EXPECT_EQ(reading.source.undecodable, c.undecodable) << c.what;
        EXPECT_EQ(reading.replaced, c.replaced) << c.what;
    }

    // The build tells which entry, the encoding and the count.
    Folder f(200, 2);
    fs::copy_file(fs::path(LUMENBROOK_BUILD_DIR) / "Bin" / Font(2).base_image,
                  f.dir.Path() / "Bin" / Font(2).base_image, fs::copy_options::overwrite_existing);
    const std::string path = f.dir.Write("tutor.txt", big5 + "\xFF");
    f.request.entries = {{path, "tutor"}};
    Recorder progress;
    Conver(f.request, progress);
    EXPECT_EQ(std::count(progress.shown.begin(), progress.shown.end(),
                         "warning entry 1 (" + path + "): bytes of the text that are no characters in CP950, "
                         "stored as \"?\": 1"),
              1);
}

// Characters a font lacks are put in a spelling it has before any becomes "?": the
// compatibility form, the Latin letter without its marks, plain punctuation, Latin for Greek
// and Cyrillic in the English font.
TEST(TextEncoding, LettersTheFontLacksAreSpelledOut) {
    struct Case {
        int font;
        const char* text;
        std::string stored;
        int spelled, replaced;
    };
    const Case cases[] = {
        // The English font: ę ł Ａ ① spelled; ß “ — … are its own (DF 93 97 85); Щ Ω in Latin;
        // an emoji has no spelling.
        {3, "\xC4\x99", "e", 1, 0},
        {3, "\xC5\x82", "l", 1, 0},
        {3, "\xC3\x9F", "\xDF", 0, 0},
        {3, "\xE2\x80\x9C\xE2\x80\x94\xE2\x80\xA6", "\x93\x97\x85", 0, 0},
        {3, "\xEF\xBC\xA1", "A", 1, 0},
        {3, "\xE2\x91\xA0", "1", 1, 0},
        {3, "\xD0\xA9", "S", 1, 0}, // ICU spells Щ by ISO 9, Ŝ, and then drops the mark
        {3, "\xCE\xA9", "O", 1, 0},
        {3, "\xF0\x9F\x98\x80", "?", 0, 1},
        // GB2312: ę and ł spelled; “ — … its own (A1 B0, A1 AA, A1 AD); Ａ its own (A3 C1).
        {2, "\xC4\x99\xC5\x82", "el", 2, 0},
        {2, "\xE2\x80\x9C\xE2\x80\xA6", "\xA1\xB0\xA1\xAD", 0, 0},
        {2, "\xEF\xBC\xA1", "\xA3\xC1", 0, 0},
        // Big5: ß spelled "ss".
        {0, "\xC3\x9F", "ss", 1, 0},
    };
    for (const Case& c : cases) {
        FontOf font(c.font, true);
        int replaced = -1, spelled = -1;
        const std::string stored = font.text.Encode(c.text, &replaced, nullptr, &spelled);
        EXPECT_EQ(stored, c.stored) << c.text << " font " << c.font;
        EXPECT_EQ(spelled, c.spelled) << c.text << " font " << c.font;
        EXPECT_EQ(replaced, c.replaced) << c.text << " font " << c.font;
    }
}
