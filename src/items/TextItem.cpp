#include "items/TextItem.h"

#include "common/Error.h"
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
        std::string text = font.Encode(ReadTextSource(view, done.source), &done.replaced, &done.script);
        // Each byte that did not decode became one "?", told of by its own warning.
        done.replaced = std::max(0, done.replaced - done.source.undecodable);
        bytes.assign(text.begin(), text.end());
    }
    if (reading) *reading = done;
    return EncodeText(std::move(bytes), type);
}

} // namespace lb
