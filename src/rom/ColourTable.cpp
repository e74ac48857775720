#include "rom/ColourTable.h"

#include "rom/Colour.h"

#include <cstddef>

namespace lb {

void AppendPalette(const std::vector<uint32_t>& palette, int entries, uint8_t* out) {
    for (int k = 0; k < entries; ++k) {
        const size_t at = static_cast<size_t>(k);
        uint16_t c = at < palette.size() ? Colour15FromValue(static_cast<int32_t>(palette[at])) : 0;
        out[2 * k] = static_cast<uint8_t>(c & 255);
        out[2 * k + 1] = static_cast<uint8_t>(c / 256);
    }
}

} // namespace lb
