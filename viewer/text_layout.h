/* Breaking a text into lines of cells. Plain C, also run on the host. */
#ifndef LB_TEXT_LAYOUT_H
#define LB_TEXT_LAYOUT_H

#include <stdint.h>

/* On the handheld the line breaker is a hot loop: ARM code in fast memory. */
#if defined(__arm__) && !defined(__linux__)
#define LB_LAYOUT_CODE __attribute__((section(".iwram"), long_call, target("arm")))
#else
#define LB_LAYOUT_CODE
#endif

struct lb_text {
    const uint8_t* bytes;
    uint32_t length;
    unsigned columns;
    unsigned set; /* enum lb_glyph_set: with Big5 or GB2312 a lead byte takes the next along,
                     as lb_pairs says, and that set's punctuation keeps its place; with the
                     Unicode font the text is 16-bit code units, little-endian */
    const uint8_t* unicode_map; /* the Unicode font's glyph map: which characters are wide */
};

/* Called for each character that shows: its first cell, its code (one byte, or lead byte
 * << 8 | trail byte) and how many cells it covers. */
typedef void (*lb_put_char)(void* context, unsigned column, unsigned code, unsigned cells);

/* Lays out the line that starts at `at`; returns where the next line starts. CR LF, LF and
 * CR end a line. A line breaks after the last blank or tab that fits (the blanks at the
 * break do not start the next line), before or after a double-byte character, and at the
 * edge only where a word fills the whole line. A line never begins with a closing mark
 * (，。」 and the like, and , . ; : ? ! ) ] after a double-byte character) nor ends with an
 * opening one (（「 ...). A tab moves to the next multiple of four cells; other bytes below
 * 0x20 show nothing. */
LB_LAYOUT_CODE uint32_t lb_layout_line(const struct lb_text* text, uint32_t at, lb_put_char put, void* context);

#endif
