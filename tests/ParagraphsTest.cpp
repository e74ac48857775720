// Hard-wrapped texts joined into paragraphs: each text made by wrapping known paragraphs at a
// width, so that what the joining must give back is the paragraphs themselves.
#include "items/Paragraphs.h"
#include "BuildFolder.h"
#include "TestFiles.h"
#include "items/Chapters.h"
#include "items/FontText.h"
#include "items/TextItem.h"

#include <gtest/gtest.h>

using namespace lb;

namespace {

// Greedy wrapping at `width` characters, as editors do; each line ends with `end`.
std::string Wrap(const std::string& paragraph, size_t width, const std::string& end,
                 const std::string& indent = "") {
    std::string out, line = indent;
    size_t at = 0;
    while (at < paragraph.size()) {
        size_t next = paragraph.find(' ', at);
        if (next == std::string::npos) next = paragraph.size();
        const std::string word = paragraph.substr(at, next - at);
        if (line.size() > indent.size() && line.size() + 1 + word.size() > width) {
            out += line + end;
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + word;
        at = next + 1;
    }
    return out + line + end;
}

const std::string kFirst =
    "The GNU General Public License is a free, copyleft license for software and other kinds of "
    "works. The licenses for most software and other practical works are designed to take away "
    "your freedom to share and change the works. By contrast, the GNU General Public License is "
    "intended to guarantee your freedom to share and change all versions of a program, to make "
    "sure it remains free software for all its users.";
const std::string kSecond =
    "When we speak of free software, we are referring to freedom, not price. Our General Public "
    "Licenses are designed to make sure that you have the freedom to distribute copies of free "
    "software (and charge for them if you wish), that you receive source code or can get it if "
    "you want it, that you can change the software or use pieces of it in new free programs, and "
    "that you know you can do these things.";

// One paragraph long enough (24 lines at 64) for the rule to tell.
const std::string kLong = kFirst + " " + kSecond + " " + kFirst + " " + kSecond;

// The four paragraphs wrapped, blank lines between.
std::string Wrapped(const std::string& end) {
    std::string out;
    for (const std::string* p : {&kFirst, &kSecond, &kFirst, &kSecond})
        out += (out.empty() ? "" : end) + Wrap(*p, 64, end);
    return out;
}

std::string Joined(const std::string& end) {
    return kFirst + end + end + kSecond + end + end + kFirst + end + end + kSecond + end;
}

} // namespace

TEST(Paragraphs, HardWrappedTextsAreJoinedAndOthersKept) {
    const std::string two = Wrapped("\r\n"), joined = Joined("\r\n"), twoLf = Wrapped("\n");
    // 8 wide characters a line, each line indented 8 blanks as Vim's Chinese tutor is.
    std::string chinese, chineseJoined = "        ";
    const std::string row = "在本教程當中不就詳細介紹了本教程的設計目標是講述一些必要的命令";
    for (int k = 0; k < 24; ++k) {
        chinese += "        " + row + "\n";
        chineseJoined += row;
    }
    chineseJoined += "\n";
    std::string listText =
        Wrap(kLong, 64, "\n") + "\n- one item of a list\n- another item\n1. a numbered one\n";
    std::string table = Wrap(kLong, 64, "\n") + "Name      Size    Kind\nfoo.txt   12      text\n";
    const std::string hyphen = "It is a well-\nknown word, not a dash -\nnor a minus 3-\n4 = -1.\n";
    std::string poem;
    for (int k = 0; k < 24; ++k)
        poem += std::string(k % 2 ? "The quiet river runs" : "Under a sky of grey") + "\n";
    const std::string shortText =
        "one line\ntwo line\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten\n";
    std::string sentences; // paragraphs of a line each, alike in width as a web novel's are
    for (int k = 0; k < 24; ++k) sentences += "春天來了，山上的花都開了。我們走小路到河邊。\r\n";
    struct Case {
        const char* what;
        std::string text;
        ParagraphRule rule;
        std::string stored;
    };
    const Case cases[] = {
        {"the GPL's first paragraphs, CR LF", two, ParagraphRule::Auto, joined},
        {"the same with LF", twoLf, ParagraphRule::Auto, Joined("\n")},
        {"the same kept", two, ParagraphRule::Keep, two},
        {"every line end inside a paragraph", two, ParagraphRule::Lines, joined},
        {"an indented Chinese paragraph", chinese, ParagraphRule::Auto, chineseJoined},
        {"a list after a paragraph", listText, ParagraphRule::Auto,
         kLong + "\n\n- one item of a list\n- another item\n1. a numbered one\n"},
        {"a table after a paragraph", table, ParagraphRule::Auto,
         kLong + "\nName      Size    Kind\nfoo.txt   12      text\n"},
        {"a hyphen between letters at a line end", hyphen, ParagraphRule::Lines,
         "It is a well-known word, not a dash - nor a minus 3- 4 = -1.\n"},
        {"a poem: short lines stay", poem, ParagraphRule::Auto, poem},
        {"ten lines: too few to tell", shortText, ParagraphRule::Auto, shortText},
        {"ten lines joined when asked", shortText, ParagraphRule::Lines,
         "one line two line three four five six seven eight nine ten\n"},
        {"a paragraph a line already", joined, ParagraphRule::Auto, joined},
        {"lines that end sentences, however alike", sentences, ParagraphRule::Auto, sentences},
    };
    for (const Case& c : cases) EXPECT_EQ(JoinParagraphs(c.text, c.rule), c.stored) << c.what;
}

// A text already in the font's code page is joined there, its other bytes as they were.
TEST(Paragraphs, ATextInTheFontsOwnCodePageIsJoinedInIt) {
    const std::string english = Wrap(kLong, 64, "\r\n");
    CodePageConverter codes(CodePage::Western);
    const FontText font(codes, false);
    TextReading reading;
    std::string latin = english;
    latin.replace(latin.find("contrast"), 8, "contr\xE4st"); // a Windows-1252 byte: not UTF-8
    const ItemData item =
        EncodeTextFile(std::vector<uint8_t>(latin.begin(), latin.end()), 9, font, {}, &reading);
    std::string want = kLong + "\r\n";
    want.replace(want.find("contrast"), 8, "contr\xE4st");
    while (want.size() % 4) want += ' ';
    EXPECT_EQ(std::string(item.data.begin(), item.data.end()), want);
}

// Chapter headings that stand alone are found where their lines start in the stored bytes;
// fewer than three are none.
TEST(Chapters, HeadingsAreFoundWhereTheirLinesStart) {
    std::string english, chinese, two = "Chapter 1\n\nOnce.\n\nChapter 2\n\nTwice.\n";
    std::vector<uint32_t> englishStarts, chineseStarts;
    for (int k = 1; k <= 40; ++k) {
        englishStarts.push_back(uint32_t(english.size()));
        english += "Chapter " + std::to_string(k) +
                   "\r\n\r\nIt was a night like any other, in chapter " + std::to_string(k) +
                   ".\r\nNot Chapter one of it began a line after text.\r\n\r\n";
    }
    const char* numbers[] = {"一", "二", "三", "十", "二十", "一百", "三百"};
    for (const char* n : numbers) {
        chineseStarts.push_back(uint32_t(chinese.size()));
        chinese += std::string("第") + n + "章 風起\n\n正文。\n\n";
    }
    struct Case {
        const char* what;
        std::string text;
        std::vector<uint32_t> starts;
    };
    const Case cases[] = {
        {"Chapter 1 to Chapter 40", english, englishStarts},
        {"第一章 to 第三百章", chinese, chineseStarts},
        {"two headings: none", two, {}},
        {"a heading after a line of text is none",
         "Text\nChapter 1\n\nChapter 2\n\nChapter 3\n",
         {}},
        {"Prologue, Part Two, a Markdown heading",
         "Prologue\n\na\n\nPart Two\n\nb\n\n# The end\n",
         {0, 13, 26}},
        {"序章, 楔子, 卷三, 第12回", "序章\n\n楔子\n\n卷三\n\n第12回 雨\n", {0, 8, 16, 24}},
    };
    for (const Case& c : cases) EXPECT_EQ(ChapterStarts(c.text, c.text), c.starts) << c.what;
    // In a code page the same lines start elsewhere: 第 is two bytes in GBK, three in UTF-8.
    const std::string gbk = lbtest::Encoded(chinese, "GBK");
    std::vector<uint32_t> gbkStarts;
    for (size_t at = 0, k = 0; k < chineseStarts.size(); ++k) {
        gbkStarts.push_back(uint32_t(gbk.find("\xB5\xDA", at)));
        at = gbkStarts.back() + 2;
    }
    EXPECT_EQ(ChapterStarts(chinese, gbk), gbkStarts);
}

// Past 10,000 headings the first 10,000 are kept and the build's log says how many there were.
TEST(Chapters, PastTenThousandHeadingsTheLogSays) {
    std::string text;
    for (int k = 1; k <= 10001; ++k) text += "Chapter " + std::to_string(k) + "\n\nA line.\n\n";
    size_t found = 0;
    EXPECT_EQ(ChapterStarts(text, text, &found).size(), kMaxChapters);
    EXPECT_EQ(found, 10001u);
    lbtest::Folder f(300);
    f.request.entries = {{f.dir.Write("long.txt", text), "long"}};
    lbtest::Recorder progress;
    Conver(f.request, progress);
    const std::string note = "10001 chapter headings, the first 10000 kept";
    EXPECT_EQ(
        std::count_if(progress.shown.begin(), progress.shown.end(),
                      [&](const std::string& s) { return s.find(note) != std::string::npos; }),
        1);
}
