#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lb {

// Which codes a base image's font draws, read from its coverage table: entry c for a
// one-byte code c, or for a double-byte code lead << 8 | trail, or for the Unicode font a
// code point of the Basic Multilingual Plane (65,536 entries). Empty when
// the image has no coverage table this program recognises (someone's own viewer, a test's
// placeholder); the code page's own characters then count as drawn.
std::vector<bool> GlyphCoverage(std::span<const uint8_t> baseImage);

} // namespace lb
