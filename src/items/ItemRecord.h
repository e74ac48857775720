#pragma once

#include "items/ItemData.h"

#include <array>
#include <cstdint>

namespace lb {

// Writes the 12-byte header of each record, carrying the kind and size of the record before.
class ItemRecordHeaders {
public:
    std::array<uint8_t, 12> Next(const ItemData& item);

private:
    uint8_t previousType_ = 0;
    uint16_t lastWidth_ = 0;
    uint16_t lastHeight_ = 0;
    uint32_t lastLength_ = 0;
};

} // namespace lb
