#include "rom/ColourTable.h"

#include "rom/Colour.h"

#include <algorithm>

namespace lb {

ColourTable ReadColourTable(std::span<const uint8_t> file) {
    ColourTable table{};
    if (file.size() > 54)
        std::copy_n(file.begin() + 54, std::min<size_t>(table.size(), file.size() - 54),
                    table.begin());
    return table;
}

void AppendPalette(const ColourTable& table, int entries, uint8_t* out) {
    for (int k = 0; k < entries; ++k) {
        uint16_t c = Colour15FromQuad(&table[4 * k]);
        out[2 * k] = static_cast<uint8_t>(c & 255);
        out[2 * k + 1] = static_cast<uint8_t>(c / 256);
    }
}

} // namespace lb
