#include "items/Chapters.h"

#include <initializer_list>
#include <string>

namespace lb {

namespace {

bool StartsWith(std::string_view s, std::string_view p) {
    return s.substr(0, p.size()) == p;
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    for (;;) {
        if (StartsWith(line, " ") || StartsWith(line, "\t"))
            line.remove_prefix(1);
        else if (StartsWith(line, "\xE3\x80\x80"))
            line.remove_prefix(3); // the full-width blank
        else
            return line;
    }
}

// A run of numerals at the start: digits, full-width digits or Chinese numerals; their bytes.
size_t Numerals(std::string_view s) {
    static const char* const kChinese[] = {"一", "二", "三", "四", "五", "六", "七", "八", "九",
                                           "十", "百", "千", "零", "〇", "两", "兩", "廿", "卅"};
    size_t at = 0;
    for (bool more = true; more && at < s.size();) {
        more = false;
        if (s[at] >= '0' && s[at] <= '9') {
            ++at;
            more = true;
            continue;
        }
        if (StartsWith(s.substr(at), "\xEF\xBC") && at + 2 < s.size() &&
            uint8_t(s[at + 2]) >= 0x90 && uint8_t(s[at + 2]) <= 0x99) { // ０..９
            at += 3;
            more = true;
            continue;
        }
        for (const char* n : kChinese)
            if (StartsWith(s.substr(at), n)) {
                at += std::string_view(n).size();
                more = true;
                break;
            }
    }
    return at;
}

bool Heading(std::string_view line) {
    if (line.empty() || line.size() > 120) return false;
    for (std::string_view word : {"Chapter ", "CHAPTER ", "Part ", "PART ", "Book ", "BOOK "})
        if (StartsWith(line, word) && line.size() > word.size() && line[word.size()] != ' ')
            return true;
    for (std::string_view word : {"Prologue", "PROLOGUE", "Epilogue", "EPILOGUE"})
        if (StartsWith(line, word) &&
            (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == ':'))
            return true;
    size_t hashes = 0;
    while (hashes < line.size() && hashes < 6 && line[hashes] == '#') ++hashes;
    if (hashes && hashes + 1 < line.size() && line[hashes] == ' ') return true;
    if (StartsWith(line, "第")) {
        const std::string_view rest = line.substr(std::string_view("第").size());
        const size_t n = Numerals(rest);
        if (n)
            for (const char* unit : {"章", "回", "節", "节", "卷", "部", "集", "篇"})
                if (StartsWith(rest.substr(n), unit)) return true;
    }
    if (StartsWith(line, "卷") && Numerals(line.substr(std::string_view("卷").size()))) return true;
    for (const char* word : {"序章", "楔子", "番外", "序言", "尾聲", "尾声", "後記", "后记"})
        if (StartsWith(line, word)) return true;
    return false;
}

} // namespace

std::vector<uint32_t> ChapterStarts(std::string_view utf8, std::string_view stored, size_t* found,
                                    bool units16) {
    std::vector<size_t> lines; // the heading lines' numbers
    bool afterBlank = true;
    size_t number = 0;
    for (size_t at = 0; at <= utf8.size(); ++number) {
        size_t end = utf8.find('\n', at);
        if (end == std::string_view::npos) end = utf8.size();
        const std::string_view line = Trimmed(utf8.substr(at, end - at));
        if (afterBlank && Heading(line)) lines.push_back(number);
        afterBlank = line.empty();
        if (end == utf8.size()) break;
        at = end + 1;
    }
    std::vector<uint32_t> starts;
    if (found) *found = lines.size() < 3 ? 0 : lines.size();
    if (lines.size() < 3) return starts;
    if (lines.size() > kMaxChapters) lines.resize(kMaxChapters);
    // The same line numbers in the stored bytes.
    size_t line = 0, next = 0;
    for (size_t at = 0; at <= stored.size() && next < lines.size(); ++line) {
        if (line == lines[next]) starts.push_back(uint32_t(at)), ++next;
        size_t end = stored.find('\n', at);
        // In 16-bit units a line end is the unit 0A 00, not a 0A byte within another unit.
        while (units16 && end != std::string_view::npos &&
               (end % 2 || stored.substr(end, 2) != std::string_view("\n\0", 2)))
            end = stored.find('\n', end + 1);
        if (end == std::string_view::npos) break;
        at = end + (units16 ? 2 : 1);
    }
    if (starts.size() < 3) starts.clear();
    return starts;
}

} // namespace lb
