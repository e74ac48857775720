#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lb {

struct CategoryInfo {
    uint16_t first = 0; // 1-based entry position
    uint16_t span = 0;
    uint8_t mark = 0;
    std::string name; // UTF-8
};

struct EntryNameInfo {
    uint8_t mark = 0;
    std::string name; // UTF-8
};

struct RecordInfo {
    uint64_t offset = 0;
    uint8_t type = 0;
    uint8_t previousType = 0;
    uint32_t sizeField = 0;     // width << 16 | height, or the text length
    uint32_t previousSize = 0;
    uint32_t dataSize = 0;
};

// What `inspect` reads back from an image: the reference reading of the format.
struct RomInfo {
    std::string title; // the ten bytes at 0xA0
    int font = 0;
    uint32_t skinOffset = 0;
    uint8_t categoryCount = 0;
    uint16_t entryCount = 0;
    uint8_t layoutX = 0, layoutY = 0, layoutCount = 0, corner = 0;
    std::vector<CategoryInfo> categories;
    std::vector<EntryNameInfo> names;
    std::vector<RecordInfo> records;
    uint64_t fileSize = 0;
    uint64_t recordsEnd = 0;     // offset after the last record read
    bool endsAfterLastRecord = false;
    std::vector<std::string> problems; // where the image does not follow the layout
};

// "Indexed16", "PlainText", ...; "unknown" for any other value.
const char* ItemTypeName(unsigned type);

// Assumes 240 x 160 8-bit skin pictures. Never reads outside `image`.
RomInfo ReadRom(std::span<const uint8_t> image, int font);

// The font whose base image `image` begins with, or -1. `baseImages[k]` is font k's.
int DetectFont(std::span<const uint8_t> image, const std::vector<std::vector<uint8_t>>& baseImages);

} // namespace lb
