/* Breaking a text into lines of cells. Plain C, also run on the host. */
#ifndef LB_TEXT_LAYOUT_H
#define LB_TEXT_LAYOUT_H

#include <stdint.h>

struct lb_text {
    const uint8_t* bytes;
    uint32_t length;
    unsigned columns;
    int double_byte; /* lead bytes take the next byte along (Big5, GB2312), as lb_pairs says */
};

/* Called for each character that shows: its first cell, its code (one byte, or lead byte
 * << 8 | trail byte) and how many cells it covers. */
typedef void (*lb_put_char)(void* context, unsigned column, unsigned code, unsigned cells);

/* Lays out the line that starts at `at`; returns where the next line starts. CR LF, LF and
 * CR end a line; a tab moves to the next multiple of four cells; other bytes below 0x20
 * show nothing; a character that would pass the last column starts the next line. */
uint32_t lb_layout_line(const struct lb_text* text, uint32_t at, lb_put_char put, void* context);

#endif
