#include "rom_view.h"

#include "format/RomLayout.h"

static uint32_t Be16(const uint8_t* p) { return (uint32_t)p[0] << 8 | p[1]; }
static uint32_t Be32(const uint8_t* p) {
    return (uint32_t)p[0] << 24 | (uint32_t)p[1] << 16 | (uint32_t)p[2] << 8 | p[3];
}

int lb_view_open(struct lb_rom_view* view, const uint8_t* rom, uint32_t size, uint32_t skin) {
    uint64_t header = (uint64_t)skin + LB_SKIN_BLOCK_COUNT * LB_SKIN_BLOCK_BYTES;
    view->rom = rom;
    view->size = size;
    view->skin = skin;
    if (header + LB_MENU_HEADER_BYTES > size) return 0;
    const uint8_t* h = rom + header;
    view->categories = h[LB_MENU_CATEGORY_COUNT];
    view->entries = (uint16_t)Be16(h + LB_MENU_ENTRY_COUNT);
    view->x = h[LB_MENU_LAYOUT_X];
    view->y = h[LB_MENU_LAYOUT_Y];
    view->count = h[LB_MENU_LAYOUT_COUNT];
    view->corner = h[LB_MENU_CORNER] & 3u;
    uint64_t names = header + LB_MENU_HEADER_BYTES +
                     (uint64_t)view->categories * LB_CATEGORY_RECORD_BYTES;
    uint64_t records = names + (uint64_t)view->entries * LB_ENTRY_NAME_BYTES;
    if (records > size) return 0;
    view->names = (uint32_t)names;
    view->records = (uint32_t)records;
    view->units16 = 0;
    return 1;
}

const uint8_t* lb_skin_pixels(const struct lb_rom_view* view, unsigned k) {
    return view->rom + view->skin + k * LB_SKIN_BLOCK_BYTES;
}

const uint8_t* lb_skin_palette(const struct lb_rom_view* view, unsigned k) {
    return lb_skin_pixels(view, k) + LB_SKIN_PIXEL_BYTES;
}

int lb_is_heading_mark(uint8_t mark) {
    return mark == LB_MARK_AT_HEADING || mark == LB_MARK_HASH_HEADING;
}

unsigned lb_entry_name(const struct lb_rom_view* view, unsigned i, uint8_t* out, uint8_t* mark) {
    *mark = LB_MARK_ITEM;
    if (i >= view->entries) return 0;
    const uint8_t* field = view->rom + view->names + i * LB_ENTRY_NAME_BYTES;
    *mark = field[0];
    unsigned n = 0;
    if (view->units16) {
        for (unsigned at = 2; at < LB_ENTRY_NAME_BYTES; ++at) out[n++] = field[at]; /* 17 units */
        while (n > 1 && (out[n - 2] == ' ' || out[n - 2] == 0) && out[n - 1] == 0) n -= 2;
        return n;
    }
    for (unsigned at = 1; at < LB_ENTRY_NAME_BYTES; ++at) {
        uint8_t c = field[at];
        if (c == LB_NAME_SINGLE_BYTE_ESCAPE) {
            if (++at >= LB_ENTRY_NAME_BYTES) break;
            c = field[at];
        }
        out[n++] = c;
    }
    while (n > 0 && out[n - 1] == ' ') --n;
    return n;
}

int lb_find_record(const struct lb_rom_view* view, unsigned i, struct lb_record* record) {
    uint64_t at = view->records;
    for (unsigned k = 0;; ++k) {
        if (at + LB_RECORD_HEADER_BYTES > view->size) return 0;
        const uint8_t* h = view->rom + at;
        uint32_t bytes;
        if (!lb_record_data_size(h[LB_RECORD_TYPE], Be32(h + LB_RECORD_SIZE), &bytes)) return 0;
        uint64_t data = at + LB_RECORD_HEADER_BYTES;
        if (data + bytes > view->size) return 0;
        if (k == i) {
            record->type = h[LB_RECORD_TYPE];
            record->size_field = Be32(h + LB_RECORD_SIZE);
            record->data = (uint32_t)data;
            record->data_bytes = bytes;
            return 1;
        }
        at = data + bytes;
    }
}

uint32_t lb_word(const struct lb_rom_view* view, uint32_t at) {
    if ((uint64_t)at + 4u > view->size) return 0;
    const uint8_t* p = view->rom + at;
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}

uint32_t lb_chapter_table(const struct lb_rom_view* view) {
    struct lb_record last;
    if (view->entries == 0 || !lb_find_record(view, view->entries - 1u, &last)) return 0;
    const uint32_t at = last.data + last.data_bytes;
    if ((uint64_t)at + 8u > view->size) return 0;
    const uint8_t* p = view->rom + at;
    return p[0] == 'L' && p[1] == 'B' && p[2] == 'C' && p[3] == 'H' ? at : 0;
}

unsigned lb_chapters(const struct lb_rom_view* view, uint32_t table, unsigned i, uint32_t* at) {
    if (!table) return 0;
    const uint32_t texts = lb_word(view, table + 4u);
    uint64_t p = (uint64_t)table + 8u;
    for (uint32_t k = 0; k < texts && p + 8u <= view->size; ++k) {
        const uint32_t entry = lb_word(view, (uint32_t)p), count = lb_word(view, (uint32_t)p + 4u);
        if ((uint64_t)count * 4u > view->size) return 0;
        if (entry == i) {
            if (p + 8u + (uint64_t)count * 4u > view->size) return 0;
            *at = (uint32_t)p + 8u;
            return count;
        }
        p += 8u + (uint64_t)count * 4u;
    }
    return 0;
}
