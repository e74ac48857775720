// The viewer's decoding code, compiled for the host, against the ROMs the builder writes and
// against hand-made texts.
#include "TestFiles.h"
#include "assembly/Build.h"
#include "common/CodePage.h"
#include "format/FontTable.h"
#include "format/RomLayout.h"
#include "rom/NameField.h"
#include "rom/RomReader.h"

extern "C" {
#include "rom_view.h"
#include "text_layout.h"
}

#include <gtest/gtest.h>

using namespace lb;
using namespace lbtest;

namespace {

class Quiet : public BuildProgress {
    void LogLine(const std::string&, const std::string&) override {}
    void EntryStarted(int, int, const std::string&) override {}
    void Warning(const std::string&) override {}
    void Finished(const std::string&) override {}
};

} // namespace

TEST(ViewerDecode, AgreesWithTheReaderOnBuiltRoms) {
    TempFolder dir;
    dir.Write("Bin/Eng.bin", std::vector<uint8_t>(256, 0));
    std::vector<uint8_t> pal(1024, 0);
    std::string skin = dir.Write("skin.bmp", MakeBmp({240, 160, 8, 0, pal, std::vector<uint8_t>(240 * 160, 1)}));
    BuildRequest request;
    request.programFolder = dir.Path();
    request.font = 3;
    request.language = 1;
    request.titlePath = request.menuPath = request.backPath = skin;
    request.layout = {8, 16, 5};
    request.corner = 2;
    request.outputPath = (dir.Path() / "out.gba").string();
    request.entries = {
        {dir.Write("@Birds.txt", "Lumenbrook v2.0\r\n"), "@Birds"},
        {dir.Write("a.bmp", MakeBmp({3, 2, 24, 0, {}, std::vector<uint8_t>(24, 9)})), "Robin  "},
        {dir.Write("b.bmp", MakeBmp({2, 2, 8, 0, pal, std::vector<uint8_t>(8, 1)})), "#Owls"},
        {dir.Write("c.txt", "hello"), "caf\xC3\xA9"},
    };
    Quiet quiet;
    Conver(request, quiet);
    auto rom = ReadBytes(request.outputPath);
    RomInfo info = ReadRom(rom, 3);

    lb_rom_view view;
    ASSERT_TRUE(lb_view_open(&view, rom.data(), static_cast<uint32_t>(rom.size()), 0xC814));
    EXPECT_EQ(view.entries, 4);
    EXPECT_EQ(view.categories, info.categoryCount);
    EXPECT_EQ(view.x, 8);
    EXPECT_EQ(view.y, 16);
    EXPECT_EQ(view.count, 5);
    EXPECT_EQ(view.corner, 2);
    CodePageConverter codes(CodePage::Western);
    const char* marks = "\x5C\x20\x21\x20";
    for (unsigned i = 0; i < 4; ++i) {
        uint8_t name[40], mark;
        unsigned n = lb_entry_name(&view, i, name, &mark);
        std::string decoded;
        for (unsigned k = 0; k < n; ++k) decoded += codes.DecodeChar(std::string(1, char(name[k])));
        EXPECT_EQ(decoded, info.names[i].name) << i;
        EXPECT_EQ(mark, static_cast<uint8_t>(marks[i])) << i;
        lb_record record;
        ASSERT_TRUE(lb_find_record(&view, i, &record)) << i;
        EXPECT_EQ(record.type, info.records[i].type) << i;
        EXPECT_EQ(record.data, info.records[i].offset + 12) << i;
        EXPECT_EQ(record.data_bytes, info.records[i].dataSize) << i;
    }
    lb_record beyond;
    EXPECT_FALSE(lb_find_record(&view, 4, &beyond)); // the walk stops at the image's end
    EXPECT_FALSE(lb_view_open(&view, rom.data(), 0xC814 + 3 * 38912 + 15, 0xC814));
}

namespace {

std::vector<uint32_t> LineStarts(const std::string& text, unsigned columns, unsigned set,
                                 std::string* shown = nullptr) {
    lb_text t{reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), columns, set,
              nullptr};
    std::vector<uint32_t> starts{0};
    auto put = [](void* context, unsigned column, unsigned code, unsigned cells) {
        auto out = static_cast<std::string*>(context);
        *out += std::to_string(column) + ":" + std::to_string(code) + "x" + std::to_string(cells) + " ";
    };
    for (uint32_t at = 0; at < t.length;) {
        const uint32_t next = lb_layout_line(&t, at, shown ? static_cast<lb_put_char>(put) : nullptr, shown);
        EXPECT_TRUE(next > at && next <= t.length) << "from " << at << " to " << next;
        at = next;
        if (at < t.length) starts.push_back(at);
        if (shown) *shown += "| ";
    }
    return starts;
}

// The lines as they show: each character at its cells (a blank where none is drawn), trailing
// blanks gone, lines joined by "|".
std::string Lines(const std::string& text, unsigned columns, unsigned set) {
    lb_text t{reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), columns, set,
              nullptr};
    struct Row {
        std::string cells;
    } row;
    auto put = [](void* context, unsigned column, unsigned code, unsigned cells) {
        std::string& r = static_cast<Row*>(context)->cells;
        if (r.size() < column + cells) r.resize(column + cells, ' ');
        if (cells == 2) {
            r[column] = static_cast<char>(code >> 8);
            r[column + 1] = static_cast<char>(code & 0xFF);
        } else {
            r[column] = static_cast<char>(code);
        }
    };
    std::string out;
    for (uint32_t at = 0; at < t.length;) {
        row.cells.clear();
        at = lb_layout_line(&t, at, put, &row);
        while (!row.cells.empty() && row.cells.back() == ' ') row.cells.pop_back();
        out += (out.empty() ? "" : "|") + row.cells;
    }
    return out;
}

// The Unicode font's glyph map, from the base image the build made.
const std::vector<uint8_t>& UnicodeImage() {
    static const std::vector<uint8_t> image = ReadBytes(fs::path(LUMENBROOK_BUILD_DIR) / "Bin/Unicode.bin");
    return image;
}
const uint8_t* UnicodeMap() {
    const std::vector<uint8_t>& image = UnicodeImage();
    const uint32_t at = image[0xDC] | image[0xDD] << 8 | image[0xDE] << 16 | uint32_t(image[0xDF]) << 24;
    return image.data() + at;
}

// A UTF-8 text stored for the Unicode font and laid out: each line's characters at their
// cells (a blank where none is drawn, nothing for a wide character's second cell), trailing
// blanks gone, lines joined by "|".
std::string UnicodeLines(const std::string& utf8, unsigned columns) {
    const CodePageConverter units(CodePage::Unicode);
    const std::string text = units.Encode(utf8);
    lb_text t{reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()), columns,
              LB_GLYPHS_UNICODE, UnicodeMap()};
    struct Row {
        const CodePageConverter& units;
        std::string line;
        unsigned column;
    } row{units, "", 0};
    auto put = [](void* context, unsigned column, unsigned code, unsigned cells) {
        Row& r = *static_cast<Row*>(context);
        for (; r.column < column; ++r.column) r.line += ' ';
        r.line += r.units.DecodeChar(std::string{char(code & 0xFF), char(code >> 8)});
        r.column += cells;
    };
    std::string out;
    for (uint32_t at = 0; at < t.length;) {
        row.line.clear();
        row.column = 0;
        at = lb_layout_line(&t, at, put, &row);
        while (!row.line.empty() && row.line.back() == ' ') row.line.pop_back();
        out += (out.empty() ? "" : "|") + row.line;
    }
    return out;
}

} // namespace

// With the Unicode font a name field is the mark's unit and 17 characters' units, which the
// viewer gives whole, less the blank units after them.
TEST(ViewerDecode, UnicodeNamesGiveAll17Units) {
    const CodePageConverter units(CodePage::Unicode);
    for (const char* name : {"Zażółć gęślą jaźń", "猫", "@Русский", ""}) {
        std::vector<uint8_t> field = NameField(name, LB_ENTRY_NAME_BYTES, units);
        lb_rom_view view{};
        view.rom = field.data();
        view.size = uint32_t(field.size());
        view.entries = 1;
        view.units16 = 1;
        uint8_t out[LB_ENTRY_NAME_MAX_CODES], mark = 0;
        const unsigned n = lb_entry_name(&view, 0, out, &mark);
        EXPECT_EQ(mark, name[0] == '@' ? '\\' : ' ') << name;
        std::string stored = units.Encode(name[0] == '@' ? name + 1 : name);
        EXPECT_EQ(std::string(out, out + n), stored) << name;
    }
}

// With the Unicode font a line breaks between any two kana or ideographs, never before a
// Japanese closing mark or after an opening one, and at blanks in Hangul, Latin, Greek and
// Cyrillic, where a word longer than a line breaks at the edge.
TEST(ViewerDecode, UnicodeLinesBreakByScript) {
    const struct {
        const char* what;
        const char* text;
        unsigned columns;
        const char* lines;
    } cases[] = {
        {"between kana", "あいうえおかき", 10, "あいうえお|かき"},
        {"、 nor 」", "あいうえ」、", 8, "あいう|え」、"},
        {"the long vowel mark", "メラーメン", 4, "メ|ラー|メン"},
        {"full-width ？ and ！", "あいうえ？！", 8, "あいう|え？！"},
        {"ideographs after Latin", "abc漢字", 5, "abc漢|字"},
        {"a full stop after an ideograph", "漢字漢字.", 8, "漢字漢|字."},
        {"Hangul at blanks", "한국어 문장입니다", 12, "한국어|문장입니다"},
        {"Greek at blanks", "Καλημέρα κόσμε", 10, "Καλημέρα|κόσμε"},
        {"Cyrillic at blanks", "Привет мир", 8, "Привет|мир"},
        {"a Russian word longer than a line", "да сверхдлинноеслово", 10, "да|сверхдлинн|оеслово"},
        {"Latin letters are half width", "Zażółć gęślą", 12, "Zażółć gęślą"},
        {"line ends", "ab\r\nв\nг", 10, "ab|в|г"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnicodeLines(c.text, c.columns), c.lines) << c.what;

    // Every mark that may not start a line goes down with the character before it; every one
    // that may not end a line goes down with the one after.
    for (const char* mark : {"、", "。", "」", "』", "）", "〕", "】", "〉", "》", "・", "ー", "ぁ", "ぃ", "ぅ",
                             "ぇ", "ぉ", "っ", "ゃ", "ゅ", "ょ", "ゎ", "ァ", "ィ", "ゥ", "ェ", "ォ", "ッ", "ャ",
                             "ュ", "ョ", "ヮ", "ヵ", "ヶ", "？", "！", "，", "．", "：", "；"})
        EXPECT_EQ(UnicodeLines(std::string("あいうえお") + mark, 10), std::string("あいうえ|お") + mark) << mark;
    for (const char* mark : {"「", "『", "（", "〔", "【", "〈", "《"})
        EXPECT_EQ(UnicodeLines(std::string("あいうえ") + mark + "お", 10), std::string("あいうえ|") + mark + "お")
            << mark;
    // Their neighbours in the code chart are no marks: a line may start with them.
    for (const char* other : {"あ", "つ", "ツ", "〃", "〇", "０", "＠"})
        EXPECT_EQ(UnicodeLines(std::string("あいうえお") + other, 10), std::string("あいうえお|") + other) << other;
}

TEST(ViewerDecode, LinesBreakAtWordsAndKeepPunctuationInPlace) {
    const std::string zh = "\xA4\xA4", wen = "\xA4\xE5", four = zh + wen + zh + wen; // 中文中文
    const std::string gbZh = "\xD6\xD0", gbWen = "\xCE\xC4", gbFour = gbZh + gbWen + gbZh + gbWen;
    struct Case {
        const char* what;
        std::string text;
        unsigned columns, set;
        std::string lines;
    };
    const Case cases[] = {
        {"after the last blank that fits", "The quick brown fox", 10, 0, "The quick|brown fox"},
        {"a word longer than a line", "a verylongwordhere", 10, 0, "a|verylongwo|rdhere"},
        {"blanks at the break", "abcd efgh   ijkl", 9, 0, "abcd efgh|ijkl"},
        {"a tab that does not fit", "a\tb\tc", 6, 0, "a   b|c"},
        {"a tab is a place to break", "ab\tcdefgh", 6, 0, "ab|cdefgh"},
        {"line ends still end lines", "ab cd\r\nef", 10, 0, "ab cd|ef"},
        {"double-byte characters", zh + wen + four, 10, 1, zh + wen + zh + wen + zh + "|" + wen},
        {"Latin after Chinese", "ab" + zh + wen + "cd", 6, 1, "ab" + zh + wen + "|cd"},
        {"Chinese after Latin", "abcd" + zh, 5, 1, "abcd|" + zh},
        {"a closing mark goes down with the character before it", four + zh + "\xA1\x43", 10, 1,
         four + "|" + zh + "\xA1\x43"},
        {"a run of closing marks", four + zh + "\xA1\x43\xA1\x76", 10, 1, four + "|" + zh + "\xA1\x43\xA1\x76"},
        {"a comma after Chinese", four + zh + ",", 10, 1, four + "|" + zh + ","},
        {"an opening mark goes down", four + "\xA1\x75" + zh, 10, 1, four + "|\xA1\x75" + zh},
        {"a line of only marks", std::string(12, '\xA1').replace(1, 1, "\x43").replace(3, 1, "\x43")
                                     .replace(5, 1, "\x43").replace(7, 1, "\x43").replace(9, 1, "\x43")
                                     .replace(11, 1, "\x43"),
         10, 1, "\xA1\x43\xA1\x43\xA1\x43\xA1\x43\xA1\x43|\xA1\x43"},
        {"GB2312 closing mark", gbFour + gbZh + "\xA1\xA3", 10, 2, gbFour + "|" + gbZh + "\xA1\xA3"},
    };
    for (const Case& c : cases) EXPECT_EQ(Lines(c.text, c.columns, c.set), c.lines) << c.what;

    // Every closing and opening mark of both sets.
    struct Marks {
        unsigned set;
        std::string four, one;
        std::vector<unsigned> closing, opening;
    };
    const Marks sets[] = {
        {1, four, zh,
         {0xA141, 0xA142, 0xA143, 0xA144, 0xA146, 0xA147, 0xA148, 0xA149, 0xA14B, 0xA15E, 0xA166, 0xA16A, 0xA16E,
          0xA172, 0xA176, 0xA17A, 0xA1A6, 0xA1A8},
         {0xA15D, 0xA165, 0xA169, 0xA16D, 0xA171, 0xA175, 0xA179, 0xA1A5, 0xA1A7}},
        {2, gbFour, gbZh,
         {0xA1A2, 0xA1A3, 0xA1AD, 0xA1AF, 0xA1B1, 0xA1B3, 0xA1B5, 0xA1B7, 0xA1B9, 0xA1BB, 0xA1BF, 0xA3A1, 0xA3A9,
          0xA3AC, 0xA3AE, 0xA3BA, 0xA3BB, 0xA3BF},
         {0xA1AE, 0xA1B0, 0xA1B2, 0xA1B4, 0xA1B6, 0xA1B8, 0xA1BA, 0xA1BE, 0xA3A8}},
    };
    for (const Marks& m : sets) {
        for (unsigned code : m.closing) {
            const std::string mark{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
            EXPECT_EQ(Lines(m.four + m.one + mark, 10, m.set), m.four + "|" + m.one + mark) << std::hex << code;
        }
        for (unsigned code : m.opening) {
            const std::string mark{static_cast<char>(code >> 8), static_cast<char>(code & 0xFF)};
            EXPECT_EQ(Lines(m.four + mark + m.one, 10, m.set), m.four + "|" + mark + m.one) << std::hex << code;
        }
    }
}

TEST(ViewerDecode, TextLinesAndCells) {
    struct Case {
        const char* what;
        std::string text;
        unsigned columns;
        int doubleByte;
        std::vector<uint32_t> starts;
    };
    const Case cases[] = {
        {"CR LF, LF and CR end lines", "ab\r\ncd\nef\rgh", 10, 0, {0, 4, 7, 10}},
        {"a line as long as the row", "abcdef", 3, 0, {0, 3}},
        {"an empty line", "a\r\n\r\nb", 10, 0, {0, 3, 5}},
        {"a tab past the row ends the line", "ab\tcd", 3, 0, {0, 3}},
        {"control bytes take no cell", "a\x01\x02" "bcd", 3, 0, {0, 5}},
        {"a double-byte code does not split", "ab\xA4\xA4", 3, 1, {0, 2}},
        {"single bytes where there are no double ones", "ab\xA4\xA4", 3, 0, {0, 3}},
        {"a double-byte code wider than the row", "\xA4\xA4" "a", 1, 1, {0, 2}},
        {"a lead byte before a line end stays alone", "a\xA4\r\nb", 10, 1, {0, 4}},
        {"23 double-byte codes after one cell fill 46 cells", "a" + std::string(46, '\xA4'), 46, 1, {0, 45}},
        {"16-bit units", std::string("a\0b\0\r\0\n\0c\0", 10), 10, LB_GLYPHS_UNICODE, {0, 8}},
        {"half a unit at the end", std::string("a\0b", 3), 10, LB_GLYPHS_UNICODE, {0}},
    };
    for (const auto& c : cases) EXPECT_EQ(LineStarts(c.text, c.columns, c.doubleByte), c.starts) << c.what;

    std::string shown;
    LineStarts("a\tb\x07\xA4\xE5", 10, 1, &shown);
    EXPECT_EQ(shown, "0:97x1 4:98x1 5:42213x2 | ");
    shown.clear(); // a lead byte before a blank or a digit, a 0x7F trail, a GB2312 pair
    LineStarts("\xA4 \xA4" "1\xA4\x7F\xD6\xD0", 10, 1, &shown);
    EXPECT_EQ(shown, "0:164x1 1:32x1 2:164x1 3:49x1 4:42111x2 6:54992x2 | ");
}

TEST(ViewerDecode, BaseImagesHaveAValidHeader) {
    // Cells: single-byte width, height, glyph set, line height; a glyph takes width x height
    // bits rounded up to bytes, 256 single-byte ones, then Big5's 89 x 157 or GB2312's 94 x 94.
    struct Image {
        const char* name;
        uint32_t skin;
        uint8_t cells[4];
        uint32_t singleBytes, doubleBytes, coverageBytes;
    } images[] = {
        // Coverage: one bit for each of the 256 single-byte and the double-byte codes.
        {"Big5s.bin", 327700, {5, 10, 1, 12}, 256 * 7, 13973 * 13, 1779},
        {"Big5b.bin", 389140, {6, 12, 1, 14}, 256 * 9, 13973 * 18, 1779},
        {"GB2312.bin", 225300, {6, 12, 2, 14}, 256 * 9, 8836 * 18, 1137},
        {"Eng.bin", 51220, {8, 16, 0, 16}, 256 * 16, 0, 32},
        // 4,598 half-width glyphs from Misc Fixed and 20,639 full-width ones from efont; the map
        // is 256 block numbers and 184 blocks of 256 entries, two bytes each.
        {"Unicode.bin", 557076, {6, 12, 3, 14}, 4598 * 9, 20639 * 18, 2 * 256 + 184 * 512},
    };
    for (auto [name, skin, cells, singleBytes, doubleBytes, coverageBytes] : images) {
        auto image = ReadBytes(fs::path(LUMENBROOK_BUILD_DIR) / "Bin" / name);
        ASSERT_GT(image.size(), 0x100u) << name;
        EXPECT_LT(image.size(), skin) << name;
        uint16_t crc = 0xFFFF; // the boot logo's reflected CRC-16
        for (size_t i = 0x04; i < 0xA0; ++i) {
            crc ^= image[i];
            for (int b = 0; b < 8; ++b) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
        }
        EXPECT_EQ(crc, 0xCF56) << name;
        EXPECT_EQ(std::string(image.begin() + 0xA0, image.begin() + 0xAC), std::string("Lumenbrook\0\0", 12))
            << name;
        EXPECT_EQ(image[0xB2], 0x96) << name;
        unsigned sum = 0;
        for (size_t i = 0xA0; i <= 0xBC; ++i) sum += image[i];
        EXPECT_EQ(image[0xBD], (0u - sum - 0x19u) & 0xFF) << name;
        auto word = [&](size_t at) {
            return image[at] | image[at + 1] << 8 | image[at + 2] << 16 | uint32_t(image[at + 3]) << 24;
        };
        EXPECT_EQ(std::string(image.begin() + 0xC0, image.begin() + 0xC4), "LBBI") << name;
        EXPECT_EQ(word(0xC4), skin) << name;
        EXPECT_EQ(word(0xCC), singleBytes) << name;
        EXPECT_EQ(std::vector<uint8_t>(image.begin() + 0xD8, image.begin() + 0xDC),
                  std::vector<uint8_t>(cells, cells + 4))
            << name;
        // The tables end the image: single-byte glyphs, double-byte ones where there are any,
        // then the coverage table.
        const uint32_t singles = word(0xC8), doubles = word(0xD4), coverage = word(0xDC);
        if (doubleBytes) {
            EXPECT_EQ(doubles, singles + singleBytes) << name;
            EXPECT_EQ(coverage, doubles + doubleBytes) << name;
        } else {
            EXPECT_EQ(doubles, 0u) << name;
            EXPECT_EQ(coverage, singles + singleBytes) << name;
        }
        EXPECT_EQ(image.size(), coverage + coverageBytes) << name;
    }
}
