/* The four fonts, each with its base image: plain C so that the builder, the tools that make
 * the base images and the handheld viewer read this one table. */
#ifndef LUMENBROOK_FONT_TABLE_H
#define LUMENBROOK_FONT_TABLE_H

#include <stdint.h>

#define LB_FONT_COUNT 5u

/* Which double-byte codes a base image has glyphs for. */
enum lb_glyph_set { LB_GLYPHS_SINGLE = 0, LB_GLYPHS_BIG5 = 1, LB_GLYPHS_GB2312 = 2, LB_GLYPHS_UNICODE = 3 };

struct lb_font {
    const char* list_text;  /* as the font list shows it */
    const char* base_image; /* file name in the program folder's "Bin" */
    const char* game_code;  /* the cartridge header's four letters */
    const char* code_page;  /* iconv's name for the texts' and names' character set */
    uint32_t skin_offset;   /* where the builder's own data begins, word-aligned */
    uint8_t glyph_set;      /* enum lb_glyph_set */
    uint8_t half_width;     /* a single-byte cell; double-byte cells are twice as wide */
    uint8_t height;         /* a cell's height */
    uint8_t line_height;    /* from one line's top to the next */
};

/* The builder checks this table at compile time; the viewer only reads it. */
#ifdef __cplusplus
#define LB_FONT_TABLE_STORAGE static constexpr
#else
#define LB_FONT_TABLE_STORAGE static const
#endif

LB_FONT_TABLE_STORAGE struct lb_font lb_fonts[LB_FONT_COUNT] = {
    {"Big5 10x10", "Big5s.bin", "LBSA", "CP950", 0x50014u, LB_GLYPHS_BIG5, 5, 10, 12},
    {"Big5 12x12", "Big5b.bin", "LBBA", "CP950", 0x5F014u, LB_GLYPHS_BIG5, 6, 12, 14},
    {"GB2312", "GB2312.bin", "LBGA", "CP936", 0x37014u, LB_GLYPHS_GB2312, 6, 12, 14},
    {"English", "Eng.bin", "LBEA", "CP1252", 0xC814u, LB_GLYPHS_SINGLE, 8, 16, 16},
    {"Unicode 12x12", "Unicode.bin", "LBUA", "UTF-16LE", 0x88014u, LB_GLYPHS_UNICODE, 6, 12, 14},
};

/* The English font: what a font number past the table reads as. */
#define LB_ENGLISH_FONT 3u

/* A font number past the table reads as English. */
static inline const struct lb_font* lb_font_at(unsigned font) {
    return &lb_fonts[font < LB_FONT_COUNT ? font : LB_ENGLISH_FONT];
}

static inline uint32_t lb_skin_region_offset(unsigned font) { return lb_font_at(font)->skin_offset; }

#ifdef __cplusplus
static_assert([] {
    for (const lb_font& f : lb_fonts)
        if (f.skin_offset % 4u != 0 || f.line_height < f.height) return false;
    return true;
}(), "skin regions start word-aligned and lines are at least a cell apart");
#endif

#endif
