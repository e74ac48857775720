/* Where the reader left off, kept in the cartridge's battery-backed SRAM (32 KiB, 8-bit
 * accesses): the line of each text lately read and the menu's open category and cursor.
 * Plain C over any byte array, so that the host tests run it too. */
#ifndef LB_SAVED_PLACES_H
#define LB_SAVED_PLACES_H

#include <stdint.h>

#define LB_SAVE_BYTES 0x8000u
#define LB_SAVE_SLOTS 512u

struct lb_save {
    volatile uint8_t* sram;
    uint32_t rom_identity; /* the menu tables' identity: a rebuilt menu starts afresh */
    /* Each slot's text identity and sequence (0: empty or damaged), read once at opening,
     * since a search through SRAM would hold up the opening of a text by a frame. */
    uint32_t slot_entry[LB_SAVE_SLOTS];
    uint32_t slot_age[LB_SAVE_SLOTS];
};

/* 32-bit FNV-1a, continued from `hash` (start with 2166136261). */
uint32_t lb_identity(uint32_t hash, const uint8_t* bytes, uint32_t n);

/* Opens the kept places; blank, foreign or damaged SRAM is started afresh. */
void lb_save_open(struct lb_save* save, volatile uint8_t* sram, uint32_t rom_identity);

/* The line a text was left at (0 when it is not kept); `entry` is the text's identity. */
uint32_t lb_save_line(const struct lb_save* save, uint32_t entry);
/* Keeps it; when every slot is taken the one read longest ago goes. */
void lb_save_set_line(struct lb_save* save, uint32_t entry, uint32_t line);

/* The menu's open category (-1: the top level) and cursor, kept for this ROM only. */
int lb_save_menu(const struct lb_save* save, int* category, unsigned* cursor);
void lb_save_set_menu(struct lb_save* save, int category, unsigned cursor);

/* Each text's bookmarks: the first lines of the pages marked, in order, up to this many;
 * kept for the texts read latest, the marks of the one read longest ago going first. */
#define LB_MARKS_PER_TEXT 16u
#define LB_MARKED_TEXTS 128u
unsigned lb_save_marks(const struct lb_save* save, uint32_t entry, uint32_t* lines);
void lb_save_set_marks(struct lb_save* save, uint32_t entry, const uint32_t* lines, unsigned n);

/* The entry read last (a picture or a text), kept for this ROM only: what A at the title
 * opens again. */
int lb_save_last(const struct lb_save* save, unsigned* entry);
void lb_save_set_last(struct lb_save* save, unsigned entry);

#endif
