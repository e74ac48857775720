/* What the image tool writes into each base image at 0xC0, right after the header. */
#ifndef LB_BASE_INFO_H
#define LB_BASE_INFO_H

#include <stddef.h>
#include <stdint.h>

#define LB_BASE_INFO_OFFSET 0xC0u
#define LB_BASE_INFO_MAGIC "LBBI"

struct lb_base_info {
    char magic[4];
    uint32_t skin_offset;   /* where the builder's data starts */
    uint32_t glyph_offset;  /* the 256 single-byte glyphs */
    uint32_t glyph_bytes;
    uint32_t font;          /* a row of the font table */
    uint32_t double_offset; /* the double-byte glyphs, 0 when there are none */
    uint8_t half_width;     /* a single-byte cell; double-byte cells are twice as wide */
    uint8_t height;         /* a cell's height */
    uint8_t set;            /* enum lb_glyph_set */
    uint8_t line_height;    /* from one line's top to the next; at least `height` */
    uint32_t coverage_offset; /* the coverage table (GlyphTable.h), 0 when there is none */
};

#ifdef __cplusplus
#define LB_BASE_INFO_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define LB_BASE_INFO_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif
/* The start-up code lays these words out by hand; the image tool and the tests read them here. */
LB_BASE_INFO_ASSERT(sizeof(struct lb_base_info) == 32, "base info is 32 bytes");
LB_BASE_INFO_ASSERT(offsetof(struct lb_base_info, font) == 16, "font number at 0xD0");
LB_BASE_INFO_ASSERT(offsetof(struct lb_base_info, half_width) == 24, "cells at 0xD8");
LB_BASE_INFO_ASSERT(offsetof(struct lb_base_info, coverage_offset) == 28, "coverage at 0xDC");

/* Right after it, a word only the viewer reads, which the builder sets for each ROM: how the
 * reader moves through pages, pictures and entries. */
#define LB_VIEWER_CHOICES_OFFSET 0xE0u
#define LB_RIGHT_TO_LEFT 0x01u /* Left is "next": manga and other right-to-left books */
LB_BASE_INFO_ASSERT(LB_BASE_INFO_OFFSET + sizeof(struct lb_base_info) == LB_VIEWER_CHOICES_OFFSET,
                    "the viewer's choices follow the base info");

#endif
