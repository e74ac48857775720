#include "BuildFolder.h"
#include "TestZip.h"
#include "common/CodePage.h"
#include "menu/AddFile.h"
#include "menu/Estimate.h"
#include "rom/RomReader.h"
#include "items/PageCharset.h"
#include "items/WebPageItem.h"

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

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

// The estimate of a web page or a book's chapter is its text's record, not its markup's:
// for 20 pages of every shape and a book, within 3 % of what the build writes.
TEST(WebPage, EstimatesAreWithinThreePercentOfTheRecords) {
    const std::string english =
        "The river ran cold that morning, and the children waded in anyway, laughing at the "
        "fish that darted between their feet. ";
    const std::string chinese = "春天来了，山上的花都开了。我们走小路到河边，看见孩子们在水里玩耍。";
    auto page = [](const std::string& head, const std::string& body) {
        return "<!DOCTYPE html><html><head><meta charset=\"utf-8\">" + head + "</head><body>" + body +
               "</body></html>";
    };
    const std::string style = "<style>body{font-family:serif;margin:2em}p{line-height:1.5}</style>"
                              "<script>var tracker = {id: 'abc', pages: [1, 2, 3]};</script>";
    struct Shape {
        int font;
        std::string html;
    };
    std::vector<Shape> shapes;
    for (int k = 0; k < 10; ++k) {
        std::string paragraphs, cells, chinesePart;
        for (int p = 0; p <= k; ++p) {
            paragraphs += "<p class=\"body-text\" id=\"p" + std::to_string(p) + "\">" + english + english +
                          "<a href=\"#n" + std::to_string(p) + "\">note</a></p>\n";
            cells += "<tr><td>" + std::to_string(p) + "</td><td>" + english + "</td></tr>";
            chinesePart += "<p>" + chinese + chinese + "</p>";
        }
        shapes.push_back({3, page("<title>Page</title>" + style,
                                  "<nav><ul><li><a href=\"/\">Home</a></li><li><a href=\"/a\">About</a></li></ul></nav>"
                                  "<h1>Chapter " + std::to_string(k) + "</h1>" + paragraphs +
                                  "<table>" + cells + "</table><pre>  code  line\n  more</pre>")});
        shapes.push_back({0, page(style, "<h2>第" + std::to_string(k) + "章</h2>" + chinesePart +
                                             "<div class=\"footer\"><span>版權所有</span></div>")});
    }
    std::vector<lbtest::Member> book = {
        {"mimetype", "application/epub+zip"},
        {"META-INF/container.xml", "<container xmlns=\"urn:oasis:names:tc:opendocument:xmlns:container\">"
                                   "<rootfiles><rootfile full-path=\"p.opf\"/></rootfiles></container>"}};
    std::string manifest, spine;
    for (int k = 0; k < 3; ++k) {
        const std::string id = "c" + std::to_string(k);
        manifest += "<item id=\"" + id + "\" href=\"" + id + ".xhtml\" media-type=\"application/xhtml+xml\"/>";
        spine += "<itemref idref=\"" + id + "\"/>";
        book.push_back({id + ".xhtml", "<?xml version=\"1.0\"?><html xmlns=\"http://www.w3.org/1999/xhtml\">"
                                       "<head><title>t</title>" + style + "</head><body><header>Site</header><h1>Part " +
                                           std::to_string(k) + "</h1><p>" + english + english + english + "</p></body></html>"});
    }
    book.push_back({"p.opf", "<package xmlns=\"http://www.idpf.org/2007/opf\"><manifest>" + manifest +
                                 "</manifest><spine>" + spine + "</spine></package>"});
    for (int font : {3, 0}) {
        Folder g(300, font);
        fs::copy_file(fs::path(LUMENBROOK_BUILD_DIR) / "Bin" / Font(font).base_image,
                      g.dir.Path() / "Bin" / Font(font).base_image, fs::copy_options::overwrite_existing);
        ItemList menu(font);
        for (size_t k = 0; k < shapes.size(); ++k) {
            if (shapes[k].font != font) continue;
            ASSERT_TRUE(AddFile(menu, g.dir.Write("page" + std::to_string(k) + ".html", shapes[k].html)).empty());
        }
        if (font == 3) {
            lbtest::WriteZip(g.dir.Path() / "book.epub", book);
            ASSERT_TRUE(AddFile(menu, (g.dir.Path() / "book.epub").string()).empty());
        }
        g.request.entries = menu.ForBuild();
        Recorder progress;
        Conver(g.request, progress);
        const RomInfo info = ReadRom(ReadBytes(g.request.outputPath), font);
        ASSERT_EQ(info.records.size(), menu.entries.size());
        for (size_t k = 0; k < menu.entries.size(); ++k) {
            if (menu.entries[k].name[0] == '@') continue; // the book's heading: an empty text
            const double record = double(info.records[k].dataSize + 12);
            const double estimate = double(menu.entries[k].estimate - NameSlot(menu.entries[k].name));
            EXPECT_NEAR(estimate / record, 1.0, 0.03) << menu.entries[k].path << ": " << estimate << " for " << record;
        }
    }
}
