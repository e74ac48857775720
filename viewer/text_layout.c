#include "text_layout.h"

#include "format/GlyphTable.h"

/* Full-width punctuation that never starts a line, and that never ends one, per set. */
static const uint16_t kBig5Closing[] = {0xA141, 0xA142, 0xA143, 0xA144, 0xA146, 0xA147, 0xA148, 0xA149, 0xA14B,
                                        0xA15E, 0xA166, 0xA16A, 0xA16E, 0xA172, 0xA176, 0xA17A, 0xA1A6, 0xA1A8};
static const uint16_t kBig5Opening[] = {0xA15D, 0xA165, 0xA169, 0xA16D, 0xA171, 0xA175, 0xA179, 0xA1A5, 0xA1A7};
static const uint16_t kGbClosing[] = {0xA1A2, 0xA1A3, 0xA1AD, 0xA1AF, 0xA1B1, 0xA1B3, 0xA1B5, 0xA1B7, 0xA1B9,
                                      0xA1BB, 0xA1BF, 0xA3A1, 0xA3A9, 0xA3AC, 0xA3AE, 0xA3BA, 0xA3BB, 0xA3BF};
static const uint16_t kGbOpening[] = {0xA1AE, 0xA1B0, 0xA1B2, 0xA1B4, 0xA1B6, 0xA1B8, 0xA1BA, 0xA1BE, 0xA3A8};

static inline __attribute__((always_inline)) int InList(unsigned code, const uint16_t* list, unsigned n) {
    for (unsigned i = 0; i < n; ++i)
        if (list[i] == code) return 1;
    return 0;
}

#define COUNT(a) (sizeof(a) / sizeof((a)[0]))

/* One character of the text: its code, bytes and cells. */
struct Char {
    unsigned code, bytes, cells;
};

static inline __attribute__((always_inline)) struct Char CharAt(const struct lb_text* t, uint32_t at) {
    struct Char c = {t->bytes[at], 1, 1};
    if (t->set != LB_GLYPHS_SINGLE && at + 1 < t->length && lb_pairs(c.code, t->bytes[at + 1])) {
        c.code = c.code << 8 | t->bytes[at + 1];
        c.bytes = c.cells = 2;
    }
    return c;
}

static inline __attribute__((always_inline)) int Closing(const struct lb_text* t, struct Char c, struct Char before) {
    if (c.cells == 1)
        return before.cells == 2 && (c.code == ',' || c.code == '.' || c.code == ';' || c.code == ':' ||
                                     c.code == '?' || c.code == '!' || c.code == ')' || c.code == ']');
    return t->set == LB_GLYPHS_BIG5 ? InList(c.code, kBig5Closing, COUNT(kBig5Closing))
                                    : InList(c.code, kGbClosing, COUNT(kGbClosing));
}

static inline __attribute__((always_inline)) int Opening(const struct lb_text* t, struct Char c) {
    if (c.cells == 1) return 0;
    return t->set == LB_GLYPHS_BIG5 ? InList(c.code, kBig5Opening, COUNT(kBig5Opening))
                                    : InList(c.code, kGbOpening, COUNT(kGbOpening));
}

static inline __attribute__((always_inline)) int Blank(uint8_t b) { return b == ' ' || b == '\t'; }

/* Where the line from `at` ends (`*end`: its last shown byte is before it) and where the
 * next begins (returned). */
static inline __attribute__((always_inline)) uint32_t FindBreak(const struct lb_text* t, uint32_t at, uint32_t* end) {
    unsigned column = 0;
    uint32_t goodEnd = at, goodNext = at; /* the last place the line may break; `at`: none */
    struct Char before = {0, 0, 0};
    uint32_t p = at;
    while (p < t->length) {
        uint8_t b = t->bytes[p];
        if (b == '\r' || b == '\n') {
            *end = p;
            return p + (b == '\r' && p + 1 < t->length && t->bytes[p + 1] == '\n' ? 2u : 1u);
        }
        if (Blank(b)) {
            uint32_t q = p;
            while (q < t->length && Blank(t->bytes[q])) {
                unsigned next = t->bytes[q] == '\t' ? (column / 4u + 1u) * 4u : column + 1u;
                if (next > t->columns) { /* the blanks that do not fit are not carried over */
                    *end = p;
                    while (q < t->length && t->bytes[q] == ' ') ++q;
                    return q < t->length && t->bytes[q] == '\t' ? q + 1 : q;
                }
                column = next;
                ++q;
            }
            goodEnd = p;
            goodNext = q;
            before.cells = 1;
            before.code = ' ';
            p = q;
            continue;
        }
        if (b < 0x20) {
            ++p;
            continue;
        }
        struct Char c = CharAt(t, p);
        /* Before or after a double-byte character, unless a mark would be left alone. */
        if (p > at && before.cells && (c.cells == 2 || before.cells == 2) && !Closing(t, c, before) &&
            !(before.cells == 2 && Opening(t, before))) {
            goodEnd = p;
            goodNext = p;
        }
        if (column + c.cells > t->columns) {
            if (goodNext > at) {
                *end = goodEnd;
                return goodNext;
            }
            /* A word (or a run of marks) as long as the line breaks at the edge; a character
             * wider than the whole line is passed over, so every line moves on. */
            *end = column == 0 ? p + c.bytes : p;
            return *end;
        }
        column += c.cells;
        before = c;
        p += c.bytes;
    }
    *end = p;
    return p;
}

LB_LAYOUT_CODE uint32_t lb_layout_line(const struct lb_text* text, uint32_t at, lb_put_char put, void* context) {
    uint32_t end;
    const uint32_t next = FindBreak(text, at, &end);
    if (!put) return next;
    unsigned column = 0;
    for (uint32_t p = at; p < end;) {
        uint8_t b = text->bytes[p];
        if (b == '\t') {
            column = (column / 4u + 1u) * 4u;
            ++p;
            continue;
        }
        if (b < 0x20) {
            ++p;
            continue;
        }
        struct Char c = CharAt(text, p);
        if (column + c.cells <= text->columns) put(context, column, c.code, c.cells);
        column += c.cells;
        p += c.bytes;
    }
    return next;
}
