/* Reading a built ROM's menu, names and records. Plain C without the hardware, so the
 * host tests run it too. Every read is checked against the image's length. */
#ifndef LB_ROM_VIEW_H
#define LB_ROM_VIEW_H

#include <stdint.h>

struct lb_rom_view {
    const uint8_t* rom;
    uint32_t size;
    uint32_t skin;    /* S: the title, menu and back blocks start here */
    uint8_t categories;
    uint16_t entries;
    uint8_t x, y, count, corner;
    uint32_t names;   /* offset of the entry name table */
    uint32_t records; /* offset of the first record */
    uint8_t units16;  /* names and texts are 16-bit code units (the Unicode font) */
};

struct lb_record {
    uint8_t type;
    uint32_t size_field;
    uint32_t data;       /* offset of the data */
    uint32_t data_bytes;
};

/* 0 when the image is too short for its skin blocks and menu tables. */
int lb_view_open(struct lb_rom_view* view, const uint8_t* rom, uint32_t size, uint32_t skin);

/* Skin block k (0 title, 1 menu, 2 back): 240x160 pixel bytes, then 256 colours. */
const uint8_t* lb_skin_pixels(const struct lb_rom_view* view, unsigned k);
const uint8_t* lb_skin_palette(const struct lb_rom_view* view, unsigned k);

/* The most codes an entry name gives: its field less the mark. */
#define LB_ENTRY_NAME_MAX_CODES (LB_ENTRY_NAME_BYTES - 1u)

/* Entry i's name as character codes (mark taken off, escapes undone, trailing blanks
 * dropped) into out (LB_ENTRY_NAME_MAX_CODES bytes at least); returns the length in bytes and
 * gives the mark. With `units16` the codes are 16-bit units, low byte first. */
unsigned lb_entry_name(const struct lb_rom_view* view, unsigned i, uint8_t* out, uint8_t* mark);
int lb_is_heading_mark(uint8_t mark);

/* Record i, found by walking the records from the first; 0 when the walk leaves the image
 * or meets a kind that does not exist. */
int lb_find_record(const struct lb_rom_view* view, unsigned i, struct lb_record* record);

/* The builder's table of the texts' chapter headings, right after the last record ("LBCH",
 * the count of texts, then each text's entry, its count of headings and where each starts in
 * its data; 32-bit little-endian words): its offset, 0 when there is none. */
uint32_t lb_chapter_table(const struct lb_rom_view* view);
/* Entry i's headings in that table: their count (0 for none), and in `at` where the first
 * one's start lies. */
unsigned lb_chapters(const struct lb_rom_view* view, uint32_t table, unsigned i, uint32_t* at);
/* The 32-bit little-endian word at `at`. */
uint32_t lb_word(const struct lb_rom_view* view, uint32_t at);

#endif
