/* What the image tool writes into each base image at 0xC0, right after the header. */
#ifndef LB_BASE_INFO_H
#define LB_BASE_INFO_H

#include <stdint.h>

#define LB_BASE_INFO_OFFSET 0xC0u
#define LB_BASE_INFO_MAGIC "LBBI"

struct lb_base_info {
    char magic[4];
    uint32_t skin_offset;  /* where the builder's data starts */
    uint32_t glyph_offset; /* the glyph table in the image */
    uint32_t glyph_bytes;
    uint32_t font;         /* 0..3 */
    uint32_t reserved[3];
};

/* The glyph table: 256 single-byte glyphs of 16 rows, one byte a row, the leftmost pixel in
 * the high bit. */
#define LB_GLYPH_WIDTH 8u
#define LB_GLYPH_HEIGHT 16u
#define LB_SINGLE_GLYPHS 256u
#define LB_SINGLE_GLYPH_BYTES (LB_SINGLE_GLYPHS * LB_GLYPH_HEIGHT)

#ifdef __cplusplus
static_assert(sizeof(struct lb_base_info) == 32, "base info is 32 bytes");
#else
_Static_assert(sizeof(struct lb_base_info) == 32, "base info is 32 bytes");
#endif

#endif
