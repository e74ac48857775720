#pragma once

// Fuzzed bytes placed where a built image's menu tables and records start: zeros for the
// base image and skin blocks in front, so the fuzzer spends its effort on the menu and records.
#include "format/RomLayout.h"

#include <cstdint>
#include <vector>

inline std::vector<uint8_t> SyntheticRom(unsigned font, const uint8_t* data, size_t size) {
    const size_t front = lb_skin_region_offset(font) + LB_SKIN_BLOCK_COUNT * LB_SKIN_BLOCK_BYTES;
    std::vector<uint8_t> image(front + size, 0);
    for (size_t i = 0; i < size; ++i) image[front + i] = data[i];
    return image;
}
