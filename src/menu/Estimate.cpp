#include "menu/Estimate.h"

namespace lb {

int64_t TextEstimate(int64_t length) {
    int64_t n = length + 12;
    if (length % 2 != 0) n += 1;
    if (length % 4 != 0) n += 4 - length % 4;
    return n;
}

int64_t PictureEstimate(int32_t width, int32_t height, uint16_t bitCount) {
    int64_t w = width, h = height;
    if (bitCount == 4) {
        if (w % 8 != 0) w += 8 - ((w % 8) + 8) % 8;
        return w * h / 2 + 60;
    }
    if (bitCount == 8) {
        if (w % 4 != 0) w += 4 - ((w % 4) + 4) % 4;
        return w * h + 540;
    }
    if (w % 2 != 0) w += 1;
    return w * h * 2 + 28;
}

int64_t NameSlot(const std::string& displayName) {
    return !displayName.empty() && displayName[0] == '@' ? 64 : 32;
}

} // namespace lb
