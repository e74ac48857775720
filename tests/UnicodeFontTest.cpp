// The Unicode font: texts and names in any encoding stored as 16-bit units, little-endian,
// limited to the glyphs its base image holds.
#include "TestFiles.h"
#include "common/Error.h"
#include "format/RomLayout.h"
#include "items/FontText.h"
#include "items/TextItem.h"
#include "items/WebPageItem.h"
#include "rom/Fonts.h"
#include "rom/GlyphCoverage.h"
#include "rom/NameField.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

constexpr int kUnicodeFont = 4;

struct UnicodeFont {
    CodePageConverter codes{CodePage::Unicode};
    FontText text{codes, true}; // `--chinese auto`
    UnicodeFont() {
        codes.ShowOnly(GlyphCoverage(
            ReadBytes(fs::path(LUMENBROOK_BUILD_DIR) / "Bin" / Font(kUnicodeFont).base_image)));
    }
};

// 16-bit units as the bytes stored: low byte first.
std::string Stored(const std::u16string& units) {
    std::string bytes;
    for (char16_t u : units) bytes += {char(u & 0xFF), char(u >> 8)};
    return bytes;
}

// A few sentences of each script, enough for the detector to tell the encoding.
const char* kJapanese = "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                        "何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。";
const char16_t* kJapaneseUnits = u"\u543E\u8F29\u306F\u732B\u3067\u3042\u308B\u3002\u540D\u524D"
                                 u"\u306F\u307E\u3060\u7121\u3044\u3002"
                                 u"\u3069\u3053\u3067\u751F\u308C\u305F\u304B\u3068\u3093\u3068"
                                 u"\u898B\u5F53\u304C\u3064\u304B\u306C\u3002"
                                 u"\u4F55\u3067\u3082\u8584\u6697\u3044\u3058\u3081\u3058\u3081"
                                 u"\u3057\u305F\u6240\u3067\u30CB\u30E3"
                                 u"\u30FC\u30CB\u30E3\u30FC\u6CE3\u3044\u3066\u3044\u305F\u4E8B"
                                 u"\u3060\u3051\u306F\u8A18\u61B6\u3057"
                                 u"\u3066\u3044\u308B\u3002";
const char* kKorean =
    "모든 인간은 태어날 때부터 자유로우며 그 존엄과 권리에 있어 동등하다. "
    "인간은 천부적으로 이성과 양심을 부여받았으며 서로 형제애의 정신으로 행동하여야 한다.";
const char16_t* kKoreanUnits =
    u"\uBAA8\uB4E0 \uC778\uAC04\uC740 \uD0DC\uC5B4\uB0A0 \uB54C\uBD80\uD130 "
    u"\uC790\uC720\uB85C\uC6B0\uBA70 "
    u"\uADF8 \uC874\uC5C4\uACFC \uAD8C\uB9AC\uC5D0 \uC788\uC5B4 \uB3D9\uB4F1\uD558\uB2E4. "
    u"\uC778\uAC04\uC740 \uCC9C\uBD80\uC801\uC73C\uB85C \uC774\uC131\uACFC \uC591\uC2EC\uC744 "
    u"\uBD80\uC5EC\uBC1B\uC558\uC73C\uBA70 \uC11C\uB85C \uD615\uC81C\uC560\uC758 "
    u"\uC815\uC2E0\uC73C\uB85C "
    u"\uD589\uB3D9\uD558\uC5EC\uC57C \uD55C\uB2E4.";
const char* kRussian =
    "Все люди рождаются свободными и равными в своем достоинстве и правах. "
    "Они наделены разумом и совестью и должны поступать в отношении друг друга в духе братства.";
const char16_t* kRussianUnits =
    u"\u0412\u0441\u0435 \u043B\u044E\u0434\u0438 "
    u"\u0440\u043E\u0436\u0434\u0430\u044E\u0442\u0441\u044F "
    u"\u0441\u0432\u043E\u0431\u043E\u0434\u043D\u044B\u043C\u0438 \u0438 "
    u"\u0440\u0430\u0432\u043D\u044B"
    u"\u043C\u0438 \u0432 \u0441\u0432\u043E\u0435\u043C "
    u"\u0434\u043E\u0441\u0442\u043E\u0438\u043D\u0441"
    u"\u0442\u0432\u0435 \u0438 \u043F\u0440\u0430\u0432\u0430\u0445. \u041E\u043D\u0438 "
    u"\u043D\u0430\u0434"
    u"\u0435\u043B\u0435\u043D\u044B \u0440\u0430\u0437\u0443\u043C\u043E\u043C \u0438 "
    u"\u0441\u043E\u0432"
    u"\u0435\u0441\u0442\u044C\u044E \u0438 \u0434\u043E\u043B\u0436\u043D\u044B "
    u"\u043F\u043E\u0441\u0442"
    u"\u0443\u043F\u0430\u0442\u044C \u0432 \u043E\u0442\u043D\u043E\u0448\u0435\u043D\u0438\u0438 "
    u"\u0434"
    u"\u0440\u0443\u0433 \u0434\u0440\u0443\u0433\u0430 \u0432 \u0434\u0443\u0445\u0435 "
    u"\u0431\u0440\u0430"
    u"\u0442\u0441\u0442\u0432\u0430.";

} // namespace

// Each text's record in the Unicode font, whatever the encoding it came in: two bytes a
// character, CR LF as two units, filled to a multiple of 4 with blank units.
TEST(UnicodeFont, TextsInEveryEncodingBecomeTheseUnits) {
    const struct {
        const char* what;
        std::string file;
        std::u16string units;
        const char* readAs;
        int replaced = 0, spelled = 0;
        TextOptions options = {};
    } cases[] = {
        {"Japanese, UTF-8", kJapanese, kJapaneseUnits, "UTF-8"},
        {"Japanese, Shift_JIS", Encoded(kJapanese, "SHIFT_JIS"), kJapaneseUnits, "CP932"},
        {"Korean, UTF-8", kKorean, kKoreanUnits, "UTF-8"},
        {"Korean, EUC-KR", Encoded(kKorean, "EUC-KR"), kKoreanUnits,
         "UHC"}, // UHC: CP949's other name
        {"Russian, UTF-8", kRussian, kRussianUnits, "UTF-8"},
        {"Russian, KOI8-R", Encoded(kRussian, "KOI8-R"), kRussianUnits, "KOI8-R"},
        {"Russian, Windows-1251", Encoded(kRussian, "CP1251"), kRussianUnits, "WINDOWS-1251"},
        {"Greek", "Καλημέρα κόσμε",
         u"\u039A\u03B1\u03BB\u03B7\u03BC\u03AD\u03C1\u03B1 \u03BA\u03CC\u03C3\u03BC\u03B5",
         "UTF-8"},
        {"Polish", "Zażółć gęślą jaźń",
         u"Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144", "UTF-8"},
        // ế, ệ and ộ (U+1EBF, U+1EC7, U+1ED9) have no glyph and lose their marks.
        {"Vietnamese", "Tiếng Việt một", u"Tieng Viet mot", "UTF-8", 0, 3},
        // Both scripts are in the font, so neither is converted.
        {"Chinese of both scripts and Latin", "學習 and 学习, 中文",
         u"\u5B78\u7FD2 and \u5B66\u4E60, \u4E2D\u6587", "UTF-8"},
        {"an emoji",
         "a\xF0\x9F\x98\x80"
         "b",
         u"a?b", "UTF-8", 1},
        // 𠀀 U+20000 as the surrogate pair D840 DC00, in a UTF-16LE file with its mark.
        {"a surrogate pair", std::string("\xFF\xFE\x61\x00\x40\xD8\x00\xDC\x0D\x00\x0A\x00", 12),
         u"a?\r\n", "UTF-16LE", 1},
        {"ASCII, two bytes a character", "Hi!\r\n", u"Hi!\r\n", ""},
        {"a text the detector names Windows-1252", "\xE9", u"\u00E9", "WINDOWS-1252"},
        {"a text nobody can tell, read as Windows-1252", "\xC0\xC1\xF5\xFF",
         u"\u00C0\u00C1\u00F5\u00FF", "WINDOWS-1252"},
        {"a named encoding",
         Encoded("Жук", "CP1251"),
         u"\u0416\u0443\u043A",
         "CP1251",
         0,
         0,
         {"CP1251"}},
        {"keep: UTF-16LE with a mark loses it",
         std::string("\xFF\xFE\x16\x04\x0D\x00\x0A\x00", 8),
         u"\u0416\r\n",
         "",
         0,
         0,
         {"keep"}},
        {"keep: UTF-16LE told by its line ends",
         std::string("\x16\x04\x0A\x00", 4),
         u"\u0416\n",
         "",
         0,
         0,
         {"keep"}},
    };
    const UnicodeFont font;
    for (const auto& c : cases) {
        TextReading reading;
        const ItemData item = EncodeTextFile(std::vector<uint8_t>(c.file.begin(), c.file.end()),
                                             LB_PLAIN_TEXT, font.text, c.options, &reading);
        std::string want = Stored(c.units);
        while (want.size() % 4) want += std::string(" \0", 2);
        EXPECT_EQ(std::string(item.data.begin(), item.data.end()), want) << c.what;
        EXPECT_EQ(item.length, want.size()) << c.what;
        EXPECT_EQ(reading.source.readAs, c.readAs)
            << c.what << " (detector: " << reading.source.detected << ")";
        EXPECT_EQ(reading.replaced, c.replaced) << c.what;
        EXPECT_EQ(reading.spelled, c.spelled) << c.what;
        EXPECT_EQ(reading.script, nullptr) << c.what;
    }
}

// `--text-encoding keep` stores a text unchanged only when it already is UTF-16LE.
TEST(UnicodeFont, KeepRefusesWhatIsNotUtf16) {
    const struct {
        const char* what;
        std::string file;
        const char* cause;
    } cases[] = {
        {"UTF-8", "Жук\n", "the text is not UTF-16LE"},
        {"ASCII", "hello\r\n", "the text is not UTF-16LE"},
        {"an odd length", std::string("\xFF\xFE\x16\x04\x0A", 5), "the text is not UTF-16LE"},
        {"control units", std::string("\x01\x00\x0A\x00", 4), "the text is not UTF-16LE"},
        {"a surrogate pair", std::string("\xFF\xFE\x40\xD8\x00\xDC", 6), "characters past U+FFFF"},
    };
    const UnicodeFont font;
    for (const auto& c : cases) {
        try {
            EncodeTextFile(std::vector<uint8_t>(c.file.begin(), c.file.end()), LB_PLAIN_TEXT,
                           font.text, {"keep"}, nullptr);
            ADD_FAILURE() << c.what << ": stored";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.cause), std::string::npos)
                << c.what << ": " << e.what();
        }
    }
}

// A name field: the mark and 17 characters in 36 bytes, blank units after.
TEST(UnicodeFont, NamesHoldTheMarkAnd17Characters) {
    const struct {
        const char* what;
        std::string name;
        std::u16string units; // the 18 units
        const char* readBack;
        int replaced = 0;
    } cases[] = {
        {"Japanese", "猫の名前", u" \u732B\u306E\u540D\u524D             ", "猫の名前"},
        {"a Russian heading", "@Русский", u"\\\u0420\u0443\u0441\u0441\u043A\u0438\u0439          ",
         "Русский"},
        {"a Korean sub-heading", "#한국어", u"!\uD55C\uAD6D\uC5B4              ", "한국어"},
        {"Latin, cut at 17", "Zażółć gęślą jaźń and more",
         u" Za\u017C\u00F3\u0142\u0107 g\u0119\u015Bl\u0105 ja\u017A\u0144", "Zażółć gęślą jaźń"},
        {"an emoji", "\xF0\x9F\x98\x80!", u" ?!               ", "?!", 1},
    };
    const UnicodeFont font;
    for (const auto& c : cases) {
        ASSERT_EQ(c.units.size(), 18u) << c.what;
        int replaced = 0;
        const std::vector<uint8_t> field = NameField(c.name, 36, font.codes, &replaced);
        EXPECT_EQ(std::string(field.begin(), field.end()), Stored(c.units)) << c.what;
        EXPECT_EQ(replaced, c.replaced) << c.what;
        EXPECT_EQ(ReadNameField(field.data(), field.size(), font.codes).name, c.readBack) << c.what;
    }
}

// A web page's text, an 8-bit page declaring nothing read as Windows-1252, and chapters found
// at their unit offsets (上 U+4E0A holds a 0A byte that ends no line).
TEST(UnicodeFont, WebPagesAndChapterOffsets) {
    const UnicodeFont font;
    int replaced = 0;
    const std::string page = "<p>Caf\xE9 \xE2\x80\x94 x</p>";
    ItemData item = EncodeWebPage(std::vector<uint8_t>(page.begin(), page.end()), font.text,
                                  &replaced, nullptr);
    EXPECT_EQ(std::string(item.data.begin(), item.data.end()),
              Stored(u"Caf\u00E9 \u00E2\u20AC\u201D x"));

    const std::string text = "Chapter 1\n上\n\nChapter 2\n上\n\nChapter 3\n";
    const TextOptions lines{"auto", true, PageRule::Whole, ParagraphRule::Keep};
    item = EncodeTextFile(std::vector<uint8_t>(text.begin(), text.end()), LB_PLAIN_TEXT, font.text,
                          lines, nullptr);
    // "Chapter 1\n上\n\n" is 13 characters, 26 bytes, before chapter 2.
    EXPECT_EQ(item.chapters, (std::vector<uint32_t>{0, 26, 52}));
}
