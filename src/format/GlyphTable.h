/* The glyph tables in a base image, shared by the tool that makes them and the viewer.
 * Glyphs are cells of `half_width` (single-byte codes) or twice that (double-byte codes) by
 * `height` pixels, one bit a pixel, row after row, the leftmost pixel in the high bit. */
#ifndef LB_GLYPH_TABLE_H
#define LB_GLYPH_TABLE_H

#include "FontTable.h"

#include <stdint.h>

/* What make_glyphs writes in front of the two tables and the coverage table. */
struct lb_glyph_file_header {
    uint8_t half_width, height, set, line_height;
    uint32_t single_bytes; /* 256 single-byte glyphs */
    uint32_t double_bytes;
    uint32_t coverage_bytes;
};

static inline unsigned lb_glyph_bytes(unsigned width, unsigned height) {
    return (width * height + 7u) / 8u;
}

/* Big5: lead 0xA1..0xF9, trail 0x40..0x7E and 0xA1..0xFE; GB2312: both 0xA1..0xFE. */
static inline unsigned lb_double_glyph_count(unsigned set) {
    return set == LB_GLYPHS_BIG5 ? 89u * 157u : set == LB_GLYPHS_GB2312 ? 94u * 94u : 0u;
}

/* The coverage table says which codes the font file had a glyph for (the others are drawn as
 * a box): one bit a code, the 256 single-byte codes first, then the double-byte codes in
 * table order; code k is bit (k & 7), low bit first, of byte k >> 3. */
static inline unsigned lb_coverage_bytes(unsigned set) {
    return (256u + lb_double_glyph_count(set) + 7u) / 8u;
}

/* Whether a byte and the one after it make one double-byte code: any lead byte of the code
 * page (0x81..0xFE) with a byte that can trail (0x40 up). A lead byte before a line end, a
 * blank or a digit stays one cell, which shows as a box. */
static inline int lb_pairs(unsigned lead, unsigned next) {
    return lead >= 0x81u && lead <= 0xFEu && next >= 0x40u;
}

/* The glyph's place in the table, or -1 when the pair is no code of the set. */
static inline int lb_double_index(unsigned set, unsigned lead, unsigned trail) {
    if (set == LB_GLYPHS_BIG5) {
        if (lead < 0xA1 || lead > 0xF9) return -1;
        if (trail >= 0x40 && trail <= 0x7E) return (int)((lead - 0xA1) * 157u + trail - 0x40);
        if (trail >= 0xA1 && trail <= 0xFE) return (int)((lead - 0xA1) * 157u + 63u + trail - 0xA1);
        return -1;
    }
    if (set == LB_GLYPHS_GB2312 && lead >= 0xA1 && lead <= 0xFE && trail >= 0xA1 && trail <= 0xFE)
        return (int)((lead - 0xA1) * 94u + trail - 0xA1);
    return -1;
}

/* The Unicode font (LB_GLYPHS_UNICODE) stores 16-bit code units. Its half-width glyphs are the
 * single-byte table, as many as it has; its full-width glyphs the double-byte table; and in
 * place of the coverage table a map of the Basic Multilingual Plane: 256 little-endian 16-bit
 * words, one a block of 256 code points, each that block's number among the blocks after them
 * or LB_UNICODE_NONE; then the blocks, 256 words each, one a code point: a half-width glyph's
 * number, LB_UNICODE_FULL plus a full-width glyph's number, or LB_UNICODE_NONE. */
#define LB_UNICODE_NONE 0xFFFFu
#define LB_UNICODE_FULL 0x8000u
#define LB_UNICODE_MAP_WORDS 256u

static inline unsigned lb_unicode_word(const uint8_t* at) { return (unsigned)at[0] | (unsigned)at[1] << 8; }

/* Word `index` of the map. The map lies at an even offset (the image tool sees to it), so on
 * the handheld, where a glyph is looked up for every character drawn, it is one halfword read. */
#if defined(__arm__)
typedef uint16_t __attribute__((may_alias)) lb_map_halfword;
static inline unsigned lb_unicode_map_word(const uint8_t* map, unsigned index) {
    return ((const lb_map_halfword*)(const void*)map)[index];
}
#else
static inline unsigned lb_unicode_map_word(const uint8_t* map, unsigned index) {
    return lb_unicode_word(map + 2u * index);
}
#endif

/* The map's entry for a code point below 0x10000. */
static inline unsigned lb_unicode_entry(const uint8_t* map, unsigned code) {
    const unsigned block = lb_unicode_map_word(map, (code >> 8) & 0xFFu);
    if (block == LB_UNICODE_NONE) return LB_UNICODE_NONE;
    return lb_unicode_map_word(map, LB_UNICODE_MAP_WORDS * (1u + block) + (code & 0xFFu));
}

/* The cells a code point takes in the Unicode font: ASCII one, with no lookup; else as its
 * glyph is drawn; without a glyph (a box), two from U+1100 on, where the wide scripts start. */
static inline unsigned lb_unicode_cells(const uint8_t* map, unsigned code) {
    if (code < 0x80u) return 1u;
    const unsigned entry = map ? lb_unicode_entry(map, code) : LB_UNICODE_NONE;
    if (entry == LB_UNICODE_NONE) return code >= 0x1100u ? 2u : 1u;
    return (entry & LB_UNICODE_FULL) ? 2u : 1u;
}

/* The code at a place in the table (lead << 8 | trail). */
static inline unsigned lb_double_code(unsigned set, unsigned index) {
    if (set == LB_GLYPHS_BIG5) {
        unsigned lead = 0xA1u + index / 157u, k = index % 157u;
        return lead << 8 | (k < 63u ? 0x40u + k : 0xA1u + k - 63u);
    }
    return (0xA1u + index / 94u) << 8 | (0xA1u + index % 94u);
}

#endif
