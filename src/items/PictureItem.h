#pragma once

#include "items/ItemData.h"

#include <span>

namespace lb {

// A bitmap file as a picture record: 16 colours for 4 bits per pixel, 256 for 8, 15-bit
// direct colour otherwise. Throws lb::Error with the cause.
ItemData EncodePicture(std::span<const uint8_t> file);

} // namespace lb
