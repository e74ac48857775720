#include "rom/GlyphCoverage.h"

#include "format/BaseInfo.h"
#include "format/GlyphTable.h"

#include <cstring>

namespace lb {

namespace {

// The code points the Unicode font's map gives a glyph; empty when a block lies past the image.
std::vector<bool> UnicodeCoverage(std::span<const uint8_t> map) {
    if (map.size() < 2 * LB_UNICODE_MAP_WORDS) return {};
    std::vector<bool> shown(65536, false);
    for (unsigned high = 0; high < 256; ++high) {
        const unsigned block = lb_unicode_word(map.data() + 2 * high);
        if (block == LB_UNICODE_NONE) continue;
        if ((block + 2u) * 2u * LB_UNICODE_MAP_WORDS > map.size()) return {};
        for (unsigned code = high << 8; code < (high + 1) << 8; ++code)
            shown[code] = lb_unicode_entry(map.data(), code) != LB_UNICODE_NONE;
    }
    return shown;
}

} // namespace

std::vector<bool> GlyphCoverage(std::span<const uint8_t> baseImage) {
    lb_base_info info;
    if (baseImage.size() < LB_BASE_INFO_OFFSET + sizeof info) return {};
    std::memcpy(&info, baseImage.data() + LB_BASE_INFO_OFFSET, sizeof info);
    if (std::memcmp(info.magic, LB_BASE_INFO_MAGIC, 4) == 0 && info.set == LB_GLYPHS_UNICODE &&
        info.coverage_offset != 0 && info.coverage_offset < baseImage.size())
        return UnicodeCoverage(baseImage.subspan(info.coverage_offset));
    if (std::memcmp(info.magic, LB_BASE_INFO_MAGIC, 4) != 0 || info.set > LB_GLYPHS_GB2312 ||
        info.coverage_offset == 0 || info.coverage_offset > baseImage.size() ||
        lb_coverage_bytes(info.set) > baseImage.size() - info.coverage_offset)
        return {};
    const uint8_t* bits = baseImage.data() + info.coverage_offset;
    auto bit = [&](unsigned k) { return (bits[k >> 3] >> (k & 7)) & 1; };
    std::vector<bool> shown(65536, false);
    for (unsigned b = 0; b < 256; ++b) shown[b] = bit(b);
    for (unsigned i = 0; i < lb_double_glyph_count(info.set); ++i)
        shown[lb_double_code(info.set, i)] = bit(256 + i);
    return shown;
}

} // namespace lb
