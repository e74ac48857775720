/* What the image tool writes into each base image at 0xC0, right after the header. */
#ifndef LB_BASE_INFO_H
#define LB_BASE_INFO_H

#include <stdint.h>

#define LB_BASE_INFO_OFFSET 0xC0u
#define LB_BASE_INFO_MAGIC "LBBI"

struct lb_base_info {
    char magic[4];
    uint32_t skin_offset;   /* where the builder's data starts */
    uint32_t glyph_offset;  /* the 256 single-byte glyphs */
    uint32_t glyph_bytes;
    uint32_t font;          /* 0..3 */
    uint32_t double_offset; /* the double-byte glyphs, 0 when there are none */
    uint8_t half_width;     /* a single-byte cell; double-byte cells are twice as wide */
    uint8_t height;         /* a cell's height */
    uint8_t set;            /* enum lb_glyph_set */
    uint8_t line_height;    /* from one line's top to the next; at least `height` */
    uint32_t coverage_offset; /* the coverage table (GlyphTable.h), 0 when there is none */
};

#ifdef __cplusplus
static_assert(sizeof(struct lb_base_info) == 32, "base info is 32 bytes");
#else
_Static_assert(sizeof(struct lb_base_info) == 32, "base info is 32 bytes");
#endif

#endif
