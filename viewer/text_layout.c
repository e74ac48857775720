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

/* Unicode marks that never start a line (、。」』）〕】〉》・ー ぁぃぅぇぉっゃゅょゎ ァィゥェォッャュョヮヵヶ
 * ？！，．：；) and that never end one (「『（〔【〈《), as bits: eight words for 0x3000-0x30FF,
 * one for 0xFF00-0xFF1F, where they all lie. A glance for each character of a page. */
static const uint32_t kUnicodeClosing[9] = {0x0022AA06u, 0x00000000u, 0x000002AAu, 0x00000008u, 0x000040A8u,
                                            0x000002AAu, 0x00000008u, 0x186040A8u, 0x8C005202u};
static const uint32_t kUnicodeOpening[9] = {0x00115500u, 0, 0, 0, 0, 0, 0, 0, 0x00000100u};

static inline __attribute__((always_inline)) int UnicodeMark(const uint32_t* bits, unsigned code) {
    if (code >= 0x3000u && code < 0x3100u) return (int)((bits[(code - 0x3000u) >> 5] >> (code & 31u)) & 1u);
    if (code >= 0xFF00u && code < 0xFF20u) return (int)((bits[8] >> (code & 31u)) & 1u);
    return 0;
}

/* Kana, CJK ideographs and punctuation, and full-width forms: a line may break between any two.
 * Hangul, though as wide, breaks at blanks as Latin does. */
static inline __attribute__((always_inline)) int BreaksAnywhere(unsigned code) {
    return (code >= 0x2E80 && code < 0xA000) || (code >= 0xF900 && code < 0xFB00) ||
           (code >= 0xFF00 && code < 0xFF61);
}

/* The code unit at `at`: a byte, or with the Unicode font two bytes, low first. */
static inline __attribute__((always_inline)) unsigned UnitAt(const struct lb_text* t, uint32_t at) {
    if (t->set != LB_GLYPHS_UNICODE) return t->bytes[at];
    return at + 1 < t->length ? lb_unicode_word(t->bytes + at) : 0u;
}

static inline __attribute__((always_inline)) unsigned UnitBytes(const struct lb_text* t) {
    return t->set == LB_GLYPHS_UNICODE ? 2u : 1u;
}

static inline __attribute__((always_inline)) struct Char CharAt(const struct lb_text* t, uint32_t at) {
    if (t->set == LB_GLYPHS_UNICODE) {
        const unsigned code = UnitAt(t, at);
        /* Kana, ideographs and full-width forms are wide by definition: no lookup. */
        struct Char u = {code, 2, BreaksAnywhere(code) ? 2u : lb_unicode_cells(t->unicode_map, code)};
        return u;
    }
    struct Char c = {t->bytes[at], 1, 1};
    if (t->set != LB_GLYPHS_SINGLE && at + 1 < t->length && lb_pairs(c.code, t->bytes[at + 1])) {
        c.code = c.code << 8 | t->bytes[at + 1];
        c.bytes = c.cells = 2;
    }
    return c;
}

/* ASCII punctuation that stays with a wide character before it. */
static inline __attribute__((always_inline)) int AsciiClosing(unsigned code) {
    return code == ',' || code == '.' || code == ';' || code == ':' || code == '?' || code == '!' ||
           code == ')' || code == ']';
}

static inline __attribute__((always_inline)) int Closing(const struct lb_text* t, struct Char c, struct Char before) {
    if (t->set == LB_GLYPHS_UNICODE)
        return UnicodeMark(kUnicodeClosing, c.code) || (BreaksAnywhere(before.code) && AsciiClosing(c.code));
    if (c.cells == 1) return before.cells == 2 && AsciiClosing(c.code);
    return t->set == LB_GLYPHS_BIG5 ? InList(c.code, kBig5Closing, COUNT(kBig5Closing))
                                    : InList(c.code, kGbClosing, COUNT(kGbClosing));
}

static inline __attribute__((always_inline)) int Opening(const struct lb_text* t, struct Char c) {
    if (t->set == LB_GLYPHS_UNICODE)
        return UnicodeMark(kUnicodeOpening, c.code);
    if (c.cells == 1) return 0;
    return t->set == LB_GLYPHS_BIG5 ? InList(c.code, kBig5Opening, COUNT(kBig5Opening))
                                    : InList(c.code, kGbOpening, COUNT(kGbOpening));
}

static inline __attribute__((always_inline)) int Blank(unsigned b) { return b == ' ' || b == '\t'; }

/* Where the line from `at` ends (`*end`: its last shown byte is before it) and where the
 * next begins (returned). */
static inline __attribute__((always_inline)) uint32_t FindBreak(const struct lb_text* t, uint32_t at, uint32_t* end) {
    unsigned column = 0;
    uint32_t goodEnd = at, goodNext = at; /* the last place the line may break; `at`: none */
    struct Char before = {0, 0, 0};
    uint32_t p = at;
    while (p < t->length) {
        const unsigned b = UnitAt(t, p), w = UnitBytes(t);
        if (p + w > t->length) { /* half a unit at the end: nothing to show, the text ends */
            p = t->length;
            break;
        }
        if (b == '\r' || b == '\n') {
            *end = p;
            return p + (b == '\r' && p + w < t->length && UnitAt(t, p + w) == '\n' ? 2u * w : w);
        }
        if (Blank(b)) {
            uint32_t q = p;
            while (q < t->length && Blank(UnitAt(t, q))) {
                unsigned next = UnitAt(t, q) == '\t' ? (column / 4u + 1u) * 4u : column + 1u;
                if (next > t->columns) { /* the blanks that do not fit are not carried over */
                    *end = p;
                    while (q < t->length && UnitAt(t, q) == ' ') q += w;
                    return q < t->length && UnitAt(t, q) == '\t' ? q + w : q;
                }
                column = next;
                q += w;
            }
            goodEnd = p;
            goodNext = q;
            before.cells = 1;
            before.code = ' ';
            p = q;
            continue;
        }
        if (b < 0x20) {
            p += w;
            continue;
        }
        struct Char c = CharAt(t, p);
        /* Before or after a double-byte character (with the Unicode font, a kana, ideograph or
         * full-width form), unless a mark would be left alone. */
        const int breaks = t->set == LB_GLYPHS_UNICODE ? BreaksAnywhere(c.code) || BreaksAnywhere(before.code)
                                                       : c.cells == 2 || before.cells == 2;
        if (p > at && before.cells && breaks && !Closing(t, c, before) && !Opening(t, before)) {
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
        const unsigned b = UnitAt(text, p);
        if (b == '\t') {
            column = (column / 4u + 1u) * 4u;
            p += UnitBytes(text);
            continue;
        }
        if (b < 0x20) {
            p += UnitBytes(text);
            continue;
        }
        struct Char c = CharAt(text, p);
        if (column + c.cells <= text->columns) put(context, column, c.code, c.cells);
        column += c.cells;
        p += c.bytes;
    }
    return next;
}
