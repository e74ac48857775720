#include "items/TextItem.h"

#include "common/Error.h"
#include "common/CodePage.h"
#include "items/Chapters.h"
#include "items/FontText.h"

#include <algorithm>

namespace lb {

ItemData EncodeText(std::vector<uint8_t> bytes, uint8_t type) {
    const uint64_t fill = bytes.size() % 4 ? 4 - bytes.size() % 4 : 0;
    if (bytes.size() + fill > 0xFFFFFFFFu)
        throw Error("the text is longer than a record can hold (4 GiB)");
    ItemData item;
    item.type = type;
    bytes.resize(bytes.size() + fill, ' ');
    item.length = static_cast<uint32_t>(bytes.size());
    item.data = std::move(bytes);
    return item;
}

ItemData EncodeTextFile(std::vector<uint8_t> bytes, uint8_t type, const FontText& font,
                        const TextOptions& options, TextReading* reading) {
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
        bytes.assign(utf8.begin(), utf8.end());
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
    std::vector<uint32_t> chapters = ChapterStarts(utf8, stored, &done.headings);
    if (reading) *reading = done;
    ItemData item = EncodeText(std::move(bytes), type);
    item.chapters = std::move(chapters);
    return item;
}

} // namespace lb
