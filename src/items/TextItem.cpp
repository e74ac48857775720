#include "items/TextItem.h"

#include "common/Error.h"
#include "common/CodePage.h"
#include "items/Chapters.h"
#include "items/FontText.h"

#include <algorithm>

namespace lb {

ItemData EncodeText(std::vector<uint8_t> bytes, uint8_t type, bool units16) {
    const uint64_t fill = bytes.size() % 4 ? 4 - bytes.size() % 4 : 0;
    if (bytes.size() + fill > 0xFFFFFFFFu)
        throw Error("the text is longer than a record can hold (4 GiB)");
    ItemData item;
    item.type = type;
    for (uint64_t k = 0; k < fill; ++k) bytes.push_back(units16 && k % 2 ? 0 : ' '); // blanks, in units
    item.length = static_cast<uint32_t>(bytes.size());
    item.data = std::move(bytes);
    return item;
}

namespace {

// `--text-encoding keep` with the Unicode font: a text is stored as it is only when it already
// is the font's 16-bit units, told by its byte-order mark or its line ends (0D 00, 0A 00),
// which no 8-bit text has. The mark itself is no character and is left out.
std::vector<uint8_t> KeptUnits(std::vector<uint8_t> bytes) {
    const bool marked = bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
    bool lineEnds = false, controls = false;
    for (size_t k = marked ? 2 : 0; k + 1 < bytes.size(); k += 2) {
        const unsigned unit = bytes[k] | bytes[k + 1] << 8;
        if (unit >= 0xD800 && unit < 0xE000)
            throw Error("the text holds characters past U+FFFF, which the Unicode font cannot store "
                        "unchanged: choose the text encoding auto to have them replaced");
        if (unit == '\n' || unit == '\r') lineEnds = true;
        else if (unit < 0x20 && unit != '\t' && unit != '\f') controls = true;
    }
    if (bytes.size() % 2 || controls || !(marked || lineEnds))
        throw Error("the text is not UTF-16LE, the only text the Unicode font can store unchanged: "
                    "choose the text encoding auto to have it converted");
    if (marked) bytes.erase(bytes.begin(), bytes.begin() + 2);
    return bytes;
}

} // namespace

int64_t UnicodeTextBytes(std::string_view bytes) {
    const TextSource source = DecideTextSource(bytes, CodePage::Unicode, {});
    if (source.readAs.empty()) return 2 * int64_t(bytes.size()); // ASCII
    const std::string utf8 = ReadTextSource(bytes, source);
    // A character outside the Basic Multilingual Plane (four bytes) is one "?" as well.
    return 2 * std::count_if(utf8.begin(), utf8.end(), [](char c) { return (uint8_t(c) & 0xC0) != 0x80; });
}

ItemData EncodeTextFile(std::vector<uint8_t> bytes, uint8_t type, const FontText& font,
                        const TextOptions& options, TextReading* reading) {
    if (font.Codes().Page() == CodePage::Unicode && options.encoding == "keep") {
        if (reading) *reading = {};
        return EncodeText(KeptUnits(std::move(bytes)), type, true);
    }
    std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    TextReading done;
    done.source = DecideTextSource(view, font.Codes().Page(), options);
    std::string utf8; // the stored text's lines, for finding its chapters
    const bool ascii = std::all_of(view.begin(), view.end(), [](char c) { return uint8_t(c) < 0x80; });
    if (!done.source.readAs.empty()) {
        utf8 = JoinParagraphs(ReadTextSource(view, done.source), options.paragraphs);
        std::string text = font.Encode(utf8, &done.replaced, &done.script, &done.spelled);
        // Each byte that did not decode became one "?", told of by its own warning.
        done.replaced = std::max(0, done.replaced - done.source.undecodable);
        bytes.assign(text.begin(), text.end());
    } else if (ascii) { // ASCII needs no decoding either way
        utf8 = options.encoding == "keep" ? std::string(view) : JoinParagraphs(view, options.paragraphs);
        if (font.Codes().Page() == CodePage::Unicode) { // each character a 16-bit unit
            const std::string units = font.Encode(utf8, &done.replaced, &done.script, &done.spelled);
            bytes.assign(units.begin(), units.end());
        } else {
            bytes.assign(utf8.begin(), utf8.end());
        }
    } else if (const auto decoded = DecodeStrict(view, IconvName(font.Codes().Page()))) {
        // Already in the font's code page: joined there, every other byte as it was.
        utf8 = *decoded;
        if (options.encoding != "keep" && options.paragraphs != ParagraphRule::Keep) {
            const std::string joined = JoinParagraphs(*decoded, options.paragraphs);
            int missing = 0;
            const std::string back = joined == *decoded ? std::string() : font.Codes().Encode(joined, &missing);
            if (!back.empty() && missing == 0) {
                bytes.assign(back.begin(), back.end());
                utf8 = joined;
            }
        }
    } else {
        utf8.assign(view); // headings in ASCII are found all the same
    }
    const std::string_view stored(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::vector<uint32_t> chapters =
        ChapterStarts(utf8, stored, &done.headings, font.Codes().Page() == CodePage::Unicode);
    if (reading) *reading = done;
    ItemData item = EncodeText(std::move(bytes), type, font.Codes().Page() == CodePage::Unicode);
    item.chapters = std::move(chapters);
    return item;
}

} // namespace lb
