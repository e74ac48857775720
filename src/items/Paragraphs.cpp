#include "items/Paragraphs.h"

#include "common/DisplayWidth.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <vector>

namespace lb {

namespace {

bool Blank(uint32_t c) {
    return c == ' ' || c == '\t' || c == 0x3000;
}

struct Line {
    std::string_view text; // without its line end
    size_t indent = 0;     // bytes of leading blanks
    size_t cells = 0;      // display width, trailing blanks left out
    bool blank = true;
};

Line Measure(std::string_view text) {
    Line line{text};
    size_t at = 0, length = 0, cells = 0, lastCells = 0;
    bool leading = true;
    while (at < text.size()) {
        const uint32_t c = Utf8CodeAt(text, at, &length);
        if (leading && Blank(c)) {
            line.indent = at + length;
        } else {
            leading = false;
        }
        cells += c == '\t' ? 8 : IsWideCharacter(c) ? 2 : 1;
        if (!Blank(c)) lastCells = cells, line.blank = false;
        at += length;
    }
    line.cells = lastCells;
    return line;
}

// The first and the last character after the indent, and the first word's width.
uint32_t FirstCode(const Line& l) {
    size_t n;
    return l.indent < l.text.size() ? Utf8CodeAt(l.text, l.indent, &n) : 0;
}

uint32_t LastCode(std::string_view s) {
    size_t end = s.size();
    while (end > 0 && (s[end - 1] == ' ' || s[end - 1] == '\t')) --end;
    size_t at = end;
    while (at > 0 && (static_cast<unsigned char>(s[at - 1]) & 0xC0) == 0x80) --at;
    if (at == 0) return 0;
    size_t n;
    return Utf8CodeAt(s, at - 1, &n);
}

size_t FirstWordCells(const Line& l) {
    size_t at = l.indent, length, cells = 0;
    while (at < l.text.size()) {
        const uint32_t c = Utf8CodeAt(l.text, at, &length);
        if (Blank(c)) break;
        cells += IsWideCharacter(c) ? 2 : 1;
        if (IsWideCharacter(c)) break; // a wide character is a word of its own
        at += length;
    }
    return cells;
}

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

// A line that stands alone whatever its width: a list item, a table or drawing, a chapter
// heading, or a rule of punctuation.
bool StandsAlone(const Line& l) {
    const std::string_view body = l.text.substr(l.indent);
    for (std::string_view mark : {"- ", "* ", "\xE2\x80\xA2", "+ "})
        if (StartsWith(body, mark)) return true;
    // "1." "12)" "a)" "(1)"
    size_t k = 0;
    if (k < body.size() && body[k] == '(') ++k;
    const size_t digits = k;
    while (k < body.size() && body[k] >= '0' && body[k] <= '9') ++k;
    if (k == digits && k < body.size() && body[k] >= 'a' && body[k] <= 'z') ++k;
    if (k > digits && k - digits <= 3 && k < body.size() && (body[k] == '.' || body[k] == ')') &&
        (k + 1 == body.size() || body[k + 1] == ' '))
        return true;
    if (body.find("   ") != std::string_view::npos) return true; // columns of a table
    size_t at = 0, length;
    bool letters = false;
    while (at < body.size()) {
        const uint32_t c = Utf8CodeAt(body, at, &length);
        if (c >= 0x2500 && c <= 0x257F) return true; // box drawing
        if (c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))
            letters = true;
        at += length;
    }
    if (!letters) return true; // "=====", "* * *"
    // Chapter headings.
    for (std::string_view word :
         {"Chapter ", "CHAPTER ", "Part ", "PART ", "Prologue", "Epilogue", "# ", "## ",
          "\xE7\xAC\xAC" /* 第 */, "\xE5\x8D\xB7" /* 卷 */, "\xE5\xBA\x8F\xE7\xAB\xA0" /* 序章 */,
          "\xE6\xA5\x94\xE5\xAD\x90" /* 楔子 */, "\xE7\x95\xAA\xE5\xA4\x96" /* 番外 */})
        if (StartsWith(body, word) && l.cells <= 40) return true;
    return false;
}

// Whether the line ends a sentence: a wrapped line seldom does, a paragraph always.
bool EndsSentence(std::string_view line) {
    const uint32_t last = LastCode(line);
    for (uint32_t end : {uint32_t('.'), uint32_t('!'), uint32_t('?'), uint32_t('"'), 0x3002u /* 。 */,
                         0xFF01u /* ！ */, 0xFF1Fu /* ？ */, 0x300Du /* 」 */, 0x300Fu /* 』 */, 0x201Du /* ” */,
                         0x2026u /* … */})
        if (last == end) return true;
    return false;
}

// The most common width of the lines followed by another non-blank line, and whether at
// least half of those lie within 15 % of it: a text wrapped by hand or by its tool. Lines that
// mostly end sentences are paragraphs of a line each, however alike their widths.
size_t WrapWidth(const std::vector<Line>& lines) {
    std::map<size_t, size_t> widths;
    size_t nonBlank = 0, followed = 0, sentences = 0;
    for (size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].blank) continue;
        ++nonBlank;
        if (k + 1 < lines.size() && !lines[k + 1].blank)
            ++widths[lines[k].cells], ++followed, sentences += EndsSentence(lines[k].text);
    }
    if (nonBlank < 20 || followed == 0 || sentences * 2 >= followed) return 0;
    const size_t common = std::max_element(widths.begin(), widths.end(), [](auto& a, auto& b) {
                              return a.second < b.second;
                          })->first;
    size_t near = 0;
    for (const auto& [width, count] : widths)
        if (width * 100 >= common * 85 && width * 100 <= common * 115) near += count;
    return near * 2 >= followed && common >= 20 ? common : 0;
}

} // namespace

const char* ParagraphRuleName(ParagraphRule rule) {
    return rule == ParagraphRule::Keep ? "keep" : rule == ParagraphRule::Lines ? "lines" : "auto";
}

std::string JoinParagraphs(std::string_view text, ParagraphRule rule) {
    if (rule == ParagraphRule::Keep) return std::string(text);
    const bool crlf = text.find("\r\n") != std::string_view::npos;
    std::vector<Line> lines;
    for (size_t at = 0; at <= text.size();) {
        size_t end = text.find('\n', at);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(Measure(line));
        if (end == text.size()) break;
        at = end + 1;
    }
    const bool endsWithNewline = !text.empty() && text.back() == '\n';
    if (endsWithNewline) lines.pop_back();
    const size_t width = rule == ParagraphRule::Auto ? WrapWidth(lines) : SIZE_MAX;
    if (width == 0) return std::string(text);
    // Where the text's paragraphs start with an indent, an indented line starts one; where
    // nearly every line is indented, the indent says nothing.
    size_t indented = 0, nonBlank = 0;
    for (const Line& l : lines) nonBlank += !l.blank, indented += !l.blank && l.indent > 0;
    const bool indentStarts =
        rule == ParagraphRule::Auto && indented * 2 < nonBlank && indented * 20 >= nonBlank;

    const std::string_view end = crlf ? "\r\n" : "\n";
    std::string out;
    out.reserve(text.size());
    for (size_t k = 0; k < lines.size(); ++k) {
        const Line& l = lines[k];
        out += l.text;
        const bool last = k + 1 == lines.size();
        bool join = !last && !l.blank && !lines[k + 1].blank && !StandsAlone(l) &&
                    !StandsAlone(lines[k + 1]);
        if (join && rule == ParagraphRule::Auto) {
            // A line that would have held the next one's first word ended its paragraph.
            const size_t wanted = l.cells + 1 + FirstWordCells(lines[k + 1]);
            if (wanted <= width) join = false;
            if (indentStarts && lines[k + 1].indent > 0) join = false;
        }
        if (!join) {
            if (!last || endsWithNewline) out += end;
            continue;
        }
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
        const uint32_t before = LastCode(out), after = FirstCode(lines[k + 1]);
        const bool letterBefore =
            out.size() >= 2 && std::isalpha(static_cast<unsigned char>(out[out.size() - 2]));
        const bool hyphen = !out.empty() && out.back() == '-' && letterBefore && after < 0x80 &&
                            std::isalpha(static_cast<unsigned char>(after));
        if (!hyphen && !(IsWideCharacter(before) && IsWideCharacter(after))) out += ' ';
        lines[k + 1].text.remove_prefix(lines[k + 1].indent); // the joined line's indent goes
        lines[k + 1].indent = 0;
    }
    return out;
}

} // namespace lb
