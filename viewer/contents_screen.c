/* A text's contents: its chapter headings as a list on the back picture, the one being read
 * marked, from which A goes to a heading's page. */
#include "draw.h"
#include "format/GlyphTable.h"
#include "format/RomLayout.h"
#include "hardware.h"
#include "screens.h"

#define NAME_BYTES 64u

/* Heading k's start in the text's data. */
static uint32_t Start(uint32_t headings, unsigned k) {
    return lb_word(&view, headings + 4u * k);
}

/* The heading's line as codes: from its start to its line's end, whole 16-bit units with
 * the Unicode font (a unit's low byte may be 0x0A without ending the line). */
static unsigned HeadingName(const uint8_t* text, uint32_t length, uint32_t start, uint8_t* out) {
    const unsigned step = view.units16 ? 2u : 1u;
    unsigned n = 0;
    while (start + n + step <= length && n + step <= NAME_BYTES) {
        const unsigned code = step == 2u ? lb_unicode_word(text + start + n) : text[start + n];
        if (code == '\r' || code == '\n') break;
        for (unsigned b = 0; b < step; ++b) out[n + b] = text[start + n + b];
        n += step;
    }
    return n;
}

uint32_t ChooseChapter(const uint8_t* text, uint32_t length, uint32_t headings, unsigned count,
                       uint32_t reading, const uint8_t* back, const uint8_t* backColours,
                       uint8_t ink, uint8_t paper) {
    const unsigned rows = (LB_SCREEN_HEIGHT - 2u * TEXT_MARGIN) / LineHeight();
    unsigned cursor = 0, first = 0;
    for (unsigned k = 0; k < count; ++k) /* the heading being read */
        if (Start(headings, k) <= reading) cursor = k;
    int redraw = 1;
    for (;;) {
        if (redraw) {
            if (cursor < first) first = cursor;
            if (cursor >= first + rows) first = cursor - rows + 1u;
            ShowSkin(back, backColours);
            for (unsigned r = 0; r < rows && first + r < count; ++r) {
                uint8_t name[NAME_BYTES];
                const unsigned n = HeadingName(text, length, Start(headings, first + r), name);
                const int y = TEXT_MARGIN + (int)(r * LineHeight());
                const int marked = first + r == cursor;
                if (marked)
                    FillRect(TEXT_MARGIN, y, (int)LB_SCREEN_WIDTH - 2 * TEXT_MARGIN,
                             (int)LineHeight(), ink);
                DrawCodes(TEXT_MARGIN + 2, y + (int)(LineHeight() - CellHeight()) / 2, name, n,
                          marked ? paper : ink);
            }
            Present();
            redraw = 0;
        }
        uint16_t held;
        uint16_t fresh = NewKeys(&held);
        if (fresh & (KEY_B | KEY_START)) return NO_CHAPTER;
        if (fresh & KEY_A) return Start(headings, cursor);
        fresh = RepeatKeys(fresh, held, KEY_UP | KEY_DOWN, KEY_LEFT | KEY_RIGHT | KEY_L | KEY_R);
        const unsigned before = cursor;
        if ((fresh & KEY_DOWN) && cursor + 1u < count) ++cursor;
        if ((fresh & KEY_UP) && cursor > 0) --cursor;
        if (fresh & (KEY_RIGHT | KEY_R))
            cursor = cursor + rows < count ? cursor + rows : count - 1u;
        if (fresh & (KEY_LEFT | KEY_L)) cursor = cursor > rows ? cursor - rows : 0;
        redraw = cursor != before;
        if (!redraw) {
            PrepareSkin(back); /* for the text's page, the next screen */
            WaitForVBlank();
        }
    }
}
