#include "items/TextItem.h"

#include "common/Error.h"
#include "common/CodePage.h"
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
    if (!done.source.readAs.empty()) {
        std::string text = font.Encode(JoinParagraphs(ReadTextSource(view, done.source), options.paragraphs),
                                       &done.replaced, &done.script, &done.spelled);
        // Each byte that did not decode became one "?", told of by its own warning.
        done.replaced = std::max(0, done.replaced - done.source.undecodable);
        bytes.assign(text.begin(), text.end());
    } else if (options.encoding != "keep" && options.paragraphs != ParagraphRule::Keep) {
        // Already in the font's code page: joined there, every other byte as it was. ASCII
        // needs no decoding either way.
        const bool ascii = std::all_of(view.begin(), view.end(), [](char c) { return uint8_t(c) < 0x80; });
        if (ascii) {
            const std::string joined = JoinParagraphs(view, options.paragraphs);
            bytes.assign(joined.begin(), joined.end());
        } else if (const auto utf8 = DecodeStrict(view, IconvName(font.Codes().Page()))) {
            const std::string joined = JoinParagraphs(*utf8, options.paragraphs);
            int missing = 0;
            const std::string back = joined == *utf8 ? std::string() : font.Codes().Encode(joined, &missing);
            if (!back.empty() && missing == 0) bytes.assign(back.begin(), back.end());
        }
    }
    if (reading) *reading = done;
    return EncodeText(std::move(bytes), type);
}

} // namespace lb
