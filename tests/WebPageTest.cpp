#include "common/CodePage.h"
#include "items/PageCharset.h"
#include "items/WebPageItem.h"

#include <gtest/gtest.h>

using namespace lb;

namespace {

struct CharsetCase {
    const char* what;
    std::string page;
    CodePage fallback;
    const char* name;
    size_t bom;
};

TEST(PageCharset, MarkThenMetaThenUtf8ThenFont) {
    const std::string far(1100, ' ');
    const CharsetCase cases[] = {
        {"UTF-8 mark beats meta", "\xEF\xBB\xBF<meta charset=big5>", CodePage::Big5, "UTF-8", 3},
        {"UTF-16LE mark", std::string("\xFF\xFE<\0", 4), CodePage::Big5, "UTF-16LE", 2},
        {"UTF-16BE mark", std::string("\xFE\xFF\0<", 4), CodePage::Big5, "UTF-16BE", 2},
        {"meta charset", "<meta charset=\"big5\">\xA4\xA4", CodePage::Gbk, "CP950", 0},
        {"http-equiv, upper case",
         "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=gb2312\">",
         CodePage::Big5, "CP936", 0},
        {"content without http-equiv counts for nothing",
         "<meta content='text/html; charset=big5'>", CodePage::Gbk, "UTF-8", 0},
        {"meta inside a comment", "<!-- <meta charset=big5> --><p>x", CodePage::Gbk, "UTF-8", 0},
        {"meta text inside another tag's attribute", "<p title='<meta charset=big5>'>x",
         CodePage::Gbk, "UTF-8", 0},
        {"a page cannot declare UTF-16", "<meta charset=utf-16>\xC3\xA9", CodePage::Big5, "UTF-8",
         0},
        {"an unknown label is passed over", "<meta charset=x-nonsense><meta charset=gbk>",
         CodePage::Big5, "CP936", 0},
        {"Latin-1 label is Windows-1252", "<meta charset='ISO-8859-1'>", CodePage::Big5, "CP1252",
         0},
        {"other labels iconv knows", "<meta charset=shift_jis>", CodePage::Big5, "shift_jis", 0},
        {"meta past the first 1024 bytes", far + "<meta charset=big5>\xD6\xD0", CodePage::Gbk,
         "CP936", 0},
        {"valid UTF-8", "caf\xC3\xA9", CodePage::Western, "UTF-8", 0},
        {"invalid UTF-8 falls back to the font's page", "caf\xE9", CodePage::Western, "CP1252", 0},
        {"Big5 without meta", "\xA4\xA4\xA4\xE5", CodePage::Big5, "CP950", 0},
    };
    for (const auto& c : cases) {
        PageCharset charset = DetectPageCharset(c.page, c.fallback);
        EXPECT_EQ(charset.name, c.name) << c.what;
        EXPECT_EQ(charset.bomLength, c.bom) << c.what;
    }
}

struct RecordCase {
    const char* what;
    std::string page;
    int font;
    std::string data; // record data, fill included
    int replaced;
};

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

// 中文 is A4A4 A4E5 in Big5, D6D0 CEC4 in GB2312 and E4B8AD E69687 in UTF-8.
TEST(WebPageItem, RecordBytes) {
    const RecordCase cases[] = {
        {"abc: one blank of fill", "<html><body>abc</body></html>", 3, "abc ", 0},
        {"paragraphs with CR LF", "<p>a</p><p>b</p>", 3, "a\r\n\r\nb  ", 0},
        {"empty body", "<html><head><title>x</title></head><body></body></html>", 3, "", 0},
        {"Big5 page with meta, font 0",
         "<meta http-equiv=Content-Type content=\"text/html; charset=big5\"><p>\xA4\xA4\xA4\xE5",
         0, "\xA4\xA4\xA4\xE5", 0},
        {"Big5 page without meta, font 1", "<p>\xA4\xA4\xA4\xE5</p>", 1, "\xA4\xA4\xA4\xE5", 0},
        {"GB2312 page, font 2", "<meta charset=gb2312>\xD6\xD0\xCE\xC4", 2, "\xD6\xD0\xCE\xC4", 0},
        {"GB2312 page, font 0 gets Big5", "<meta charset=gb2312>\xD6\xD0\xCE\xC4", 0,
         "\xA4\xA4\xA4\xE5", 0},
        {"UTF-8 page, font 0", "<p>\xE4\xB8\xAD\xE6\x96\x87!", 0, "\xA4\xA4\xA4\xE5!   ", 0},
        {"UTF-8 page, font 2", "<p>\xE4\xB8\xAD\xE6\x96\x87", 2, "\xD6\xD0\xCE\xC4", 0},
        {"UTF-8 page, English font", "<p>\xE4\xB8\xAD\xE6\x96\x87", 3, "??  ", 2},
        {"entity to Windows-1252", "caf&eacute;", 3, "caf\xE9", 0},
        {"UTF-16LE page", std::string("\xFF\xFEO\0K\0", 6), 3, "OK  ", 0},
        {"Big5 mark-up with a broken double byte at the end", "<p>\xA4\xA4\xA4", 0,
         "\xA4\xA4? ", 1},
    };
    for (const auto& c : cases) {
        CodePageConverter codes(CodePageForFont(c.font));
        int replaced = -1;
        ItemData item = EncodeWebPage(Bytes(c.page), codes, &replaced);
        EXPECT_EQ(item.type, 9) << c.what;
        EXPECT_EQ(item.length, c.data.size()) << c.what;
        EXPECT_EQ(std::string(item.data.begin(), item.data.end()), c.data) << c.what;
        EXPECT_EQ(replaced, c.replaced) << c.what;
    }
}

// The one-pass conversion must give what the character-by-character one gives.
TEST(CodePageConverter, WholeTextMatchesCharacterByCharacter) {
    const std::string texts[] = {
        "plain ASCII", "\xE4\xB8\xAD\xE6\x96\x87 mixed", "bad \xFF byte", "cut \xE4\xB8",
        "surrogate \xED\xA0\x80", "emoji \xF0\x9F\x98\x80", "\xC3\xA9t\xC3\xA9",
    };
    for (CodePage page : {CodePage::Big5, CodePage::Gbk, CodePage::Western}) {
        CodePageConverter codes(page);
        for (const auto& text : texts) {
            int whole = 0, each = 0;
            std::string joined;
            for (auto& code : codes.EncodeChars(text, &each)) joined += code;
            EXPECT_EQ(codes.Encode(text, &whole), joined) << IconvName(page) << ": " << text;
            EXPECT_EQ(whole, each) << IconvName(page) << ": " << text;
        }
    }
}

TEST(CodePageConverter, DecodesWholeTextsToUtf8) {
    EXPECT_EQ(DecodeToUtf8("\xA4\xA4\xA4\xE5", "CP950"), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(DecodeToUtf8("\xD6\xD0\xCE\xC4", "CP936"), "\xE4\xB8\xAD\xE6\x96\x87");
    EXPECT_EQ(DecodeToUtf8("caf\xE9", "CP1252"), "caf\xC3\xA9");
    // A byte that starts no character, then a lead byte cut off by the end.
    EXPECT_EQ(DecodeToUtf8("a\xFF" "b\xA4", "CP950"), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
    // UTF-8 past U+10FFFF (which iconv lets through), a five-byte form and a lone trail byte,
    // behind a byte-order mark; each of their bytes becomes U+FFFD.
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(ReplaceInvalidUtf8("a\xF4\x90\x80\x80" "b\xF8\x88\x80\x80\x80\x80" "c\xC3\xA9"),
              "a" + r + r + r + r + "b" + r + r + r + r + r + r + "c\xC3\xA9");
    EXPECT_EQ(PageToUtf8("\xEF\xBB\xBF" "a\xF4\x90\x80\x80", CodePage::Western), "a" + r + r + r + r);
}

} // namespace
