/* Where every byte of a Lumenbrook ROM image lies. Plain C so that the
 * builder, the reader behind `inspect` and the handheld viewer share it. */
#ifndef LUMENBROOK_ROM_LAYOUT_H
#define LUMENBROOK_ROM_LAYOUT_H

#include "FontTable.h"

#include <stdint.h>

#ifdef __cplusplus
#define LB_STATIC_ASSERT(cond, msg) static_assert(cond, msg)
#else
#define LB_STATIC_ASSERT(cond, msg) _Static_assert(cond, msg)
#endif

/* Cartridge header. */
#define LB_TITLE_OFFSET 0xA0u
#define LB_TITLE_TEXT "Lumenbrook"
#define LB_TITLE_LENGTH 10u
#define LB_CART_HEADER_BYTES 0xC0u

/* The cartridge address space: the viewer reads nothing past it. */
#define LB_CART_ADDRESS_BYTES 0x2000000u

/* Skin blocks: title, menu, back; pixel bytes then a 256-entry 15-bit palette. */
#define LB_SCREEN_WIDTH 240u
#define LB_SCREEN_HEIGHT 160u
#define LB_SKIN_BLOCK_COUNT 3u
#define LB_PALETTE_ENTRIES 256u
#define LB_PALETTE_BYTES (LB_PALETTE_ENTRIES * 2u)
#define LB_SKIN_PIXEL_BYTES (LB_SCREEN_WIDTH * LB_SCREEN_HEIGHT)
#define LB_SKIN_BLOCK_BYTES (LB_SKIN_PIXEL_BYTES + LB_PALETTE_BYTES)

/* Menu header, then one category record per heading, then one name per entry. */
#define LB_MENU_HEADER_BYTES 16u
#define LB_MAX_CATEGORIES 255u /* the category count's 8 bits */
#define LB_MAX_ENTRIES 65535u  /* the entry count's 16 bits */
#define LB_MENU_CATEGORY_COUNT 0u /* 1 byte, low 8 bits */
#define LB_MENU_ENTRY_COUNT 1u    /* 2 bytes, big-endian */
#define LB_MENU_LAYOUT_X 3u
#define LB_MENU_LAYOUT_Y 4u
#define LB_MENU_LAYOUT_COUNT 5u
#define LB_MENU_CORNER 6u

#define LB_CATEGORY_RECORD_BYTES 36u
#define LB_CATEGORY_FIRST 0u /* 2 bytes, big-endian, 1-based entry position */
#define LB_CATEGORY_SPAN 2u  /* 2 bytes, big-endian */
#define LB_CATEGORY_NAME 4u
#define LB_CATEGORY_NAME_BYTES 32u
#define LB_ENTRY_NAME_BYTES 36u

/* First byte of a name field. */
#define LB_MARK_AT_HEADING 0x5Cu   /* display name began with "@" */
#define LB_MARK_HASH_HEADING 0x21u /* display name began with "#" */
#define LB_MARK_ITEM 0x20u
#define LB_NAME_SINGLE_BYTE_ESCAPE 0x00u /* followed by a one-byte code outside 32..126 */

/* Item records, back to back after the entry name table. */
#define LB_RECORD_HEADER_BYTES 12u
#define LB_RECORD_TYPE 0u
#define LB_RECORD_PREVIOUS_TYPE 1u
#define LB_RECORD_SIZE 4u          /* width, height (16-bit each) or length (32-bit); big-endian */
#define LB_RECORD_PREVIOUS_SIZE 8u /* the same form, for the record before */

enum lb_item_type {
    LB_INDEXED16 = 0,
    LB_INDEXED256 = 1,
    LB_DIRECT_COLOUR = 2,
    LB_PLAIN_TEXT = 9,
    LB_LKB_TEXT = 10
};

#define LB_INDEXED16_PALETTE_BYTES 32u
#define LB_MAX_PICTURE_SIDE 32767u

static inline int lb_is_text_type(unsigned type) {
    return type == LB_PLAIN_TEXT || type == LB_LKB_TEXT;
}

static inline int lb_is_picture_type(unsigned type) {
    return type == LB_INDEXED16 || type == LB_INDEXED256 || type == LB_DIRECT_COLOUR;
}

/* Bytes of data after a record header, from the header's own fields.
 * Returns 0 for a kind that does not exist or a size that does not fit 32 bits. */
static inline int lb_record_data_size(unsigned type, uint32_t size_field, uint32_t* out) {
    uint64_t w = size_field >> 16, h = size_field & 0xFFFFu, n;
    switch (type) {
    case LB_INDEXED16: n = h * w / 2u + LB_INDEXED16_PALETTE_BYTES; break;
    case LB_INDEXED256: n = h * w + LB_PALETTE_BYTES; break;
    case LB_DIRECT_COLOUR: n = h * w * 2u; break;
    case LB_PLAIN_TEXT:
    case LB_LKB_TEXT: n = size_field; break;
    default: return 0;
    }
    if (n > 0xFFFFFFFFu) return 0;
    *out = (uint32_t)n;
    return 1;
}

LB_STATIC_ASSERT(sizeof(LB_TITLE_TEXT) - 1u == LB_TITLE_LENGTH, "title is ten bytes");
LB_STATIC_ASSERT(LB_TITLE_OFFSET + LB_TITLE_LENGTH <= LB_CART_HEADER_BYTES, "title in header");
LB_STATIC_ASSERT(LB_SKIN_BLOCK_BYTES == 38912u, "a 240x160 skin block is 38912 bytes");
LB_STATIC_ASSERT(LB_SKIN_BLOCK_BYTES % 4u == 0, "skin blocks keep word alignment");
LB_STATIC_ASSERT(LB_MENU_HEADER_BYTES % 4u == 0, "menu header keeps word alignment");
LB_STATIC_ASSERT(LB_MENU_CORNER < LB_MENU_HEADER_BYTES, "corner inside the header");
LB_STATIC_ASSERT(LB_CATEGORY_NAME + LB_CATEGORY_NAME_BYTES == LB_CATEGORY_RECORD_BYTES,
                 "category name fills its record");
LB_STATIC_ASSERT(LB_CATEGORY_RECORD_BYTES % 4u == 0 && LB_ENTRY_NAME_BYTES % 4u == 0,
                 "menu records keep word alignment");
LB_STATIC_ASSERT(LB_RECORD_PREVIOUS_SIZE + 4u == LB_RECORD_HEADER_BYTES, "record header layout");
LB_STATIC_ASSERT(LB_RECORD_HEADER_BYTES % 4u == 0, "record header keeps word alignment");

#endif
