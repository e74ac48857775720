#include "items/ItemRecord.h"

#include "format/RomLayout.h"

namespace lb {

namespace {

void PutU32(uint8_t* at, uint32_t v) {
    at[0] = static_cast<uint8_t>(v >> 24);
    at[1] = static_cast<uint8_t>(v >> 16);
    at[2] = static_cast<uint8_t>(v >> 8);
    at[3] = static_cast<uint8_t>(v);
}

void PutSize(uint8_t* at, bool text, uint16_t width, uint16_t height, uint32_t length) {
    PutU32(at, text ? length : static_cast<uint32_t>(width) << 16 | height);
}

} // namespace

std::array<uint8_t, 12> ItemRecordHeaders::Next(const ItemData& item) {
    std::array<uint8_t, 12> h{};
    const bool text = lb_is_text_type(item.type);
    h[LB_RECORD_TYPE] = item.type;
    h[LB_RECORD_PREVIOUS_TYPE] = previousType_;
    PutSize(&h[LB_RECORD_SIZE], text, item.width, item.height, item.length);
    PutSize(&h[LB_RECORD_PREVIOUS_SIZE], lb_is_text_type(previousType_), lastWidth_, lastHeight_,
            lastLength_);
    previousType_ = item.type;
    if (text) {
        lastLength_ = item.length;
    } else {
        lastWidth_ = item.width;
        lastHeight_ = item.height;
    }
    return h;
}

} // namespace lb
