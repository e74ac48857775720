#include "text_layout.h"

#include "../src/rom/GlyphTable.h"

uint32_t lb_layout_line(const struct lb_text* text, uint32_t at, lb_put_char put, void* context) {
    unsigned column = 0;
    while (at < text->length) {
        uint8_t c = text->bytes[at];
        if (c == '\r') {
            ++at;
            if (at < text->length && text->bytes[at] == '\n') ++at;
            return at;
        }
        if (c == '\n') return at + 1;
        if (c == '\t') {
            unsigned next = (column / 4u + 1u) * 4u;
            if (next > text->columns) return at + 1;
            column = next;
            ++at;
            continue;
        }
        if (c < 0x20) {
            ++at;
            continue;
        }
        unsigned cells = 1, code = c, bytes = 1;
        if (text->double_byte && at + 1 < text->length && lb_pairs(c, text->bytes[at + 1])) {
            cells = 2;
            bytes = 2;
            code = (unsigned)c << 8 | text->bytes[at + 1];
        }
        // A character wider than a whole line is passed over, so every line moves on.
        if (column + cells > text->columns) return column == 0 ? at + bytes : at;
        if (put) put(context, column, code, cells);
        column += cells;
        at += bytes;
    }
    return at;
}
