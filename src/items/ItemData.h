#pragma once

#include <cstdint>
#include <vector>

namespace lb {

// What an encoder hands the record stream: the record's kind, its size field and its data.
struct ItemData {
    uint8_t type = 0;
    // Pictures: stored width and height. Texts: the data length.
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t length = 0;
    std::vector<uint8_t> data;
    // A text's: where its chapter headings start in `data`, for the viewer's contents.
    std::vector<uint32_t> chapters;
};

} // namespace lb
