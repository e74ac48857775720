#pragma once

#include <cstdint>
#include <string>

namespace lb {

// The estimate of a text of `length` bytes, without the name slot.
int64_t TextEstimate(int64_t length);

// The estimate of a picture from the width, height and bit count of its info header.
int64_t PictureEstimate(int32_t width, int32_t height, uint16_t bitCount);

// 64 for a display name beginning with "@", else 32.
int64_t NameSlot(const std::string& displayName);

} // namespace lb
