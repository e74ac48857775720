#pragma once

#include "items/ItemData.h"

#include <vector>

namespace lb {

// A text's bytes unchanged, filled with blanks to a multiple of 4. An empty text gives a
// record of length 0. Throws lb::Error when the length does not fit the 32-bit field.
ItemData EncodeText(std::vector<uint8_t> bytes, uint8_t type);

} // namespace lb
