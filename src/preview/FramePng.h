#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lb {

// The handheld's 240 x 160 frame (red in each pixel's low byte) as a PNG file, each pixel
// a `scale` x `scale` square (1..4). Written whole or not at all; throws lb::Error naming the
// file and the cause.
void WriteFramePng(const std::string& path, const std::vector<uint32_t>& frame, int scale);

} // namespace lb
