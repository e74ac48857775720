/* Drawing on the handheld's screen: skin pictures and glyphs in mode 4, pictures in mode 3. */
#ifndef LB_DRAW_H
#define LB_DRAW_H

#include <stdint.h>

/* Screens in mode 4 are drawn unseen, then shown whole by Present at a vertical blank. */

/* Draws a 240x160 8-bit skin block, whose colours Present then sets. */
void ShowSkin(const uint8_t* pixels, const uint8_t* palette);
/* Copies a skin block into the hidden page while the reader idles, so that the next ShowSkin
 * of it costs nothing: a page turn then has the frame for its glyphs. */
void PrepareSkin(const uint8_t* pixels);
/* A direct-colour picture is written over both pages: what PrepareSkin put there is gone. */
void PagesOverwritten(void);
/* The colours Present sets: `entries` 15-bit colours, low byte first. */
void SetColours(const uint8_t* palette, unsigned entries);
/* Shows what was drawn, with its colours, at the next vertical blank. */
void Present(void);
/* The page drawn into, for whole pictures in mode 4. */
volatile uint16_t* HiddenPage(void);
/* The next Present shows only this rectangle, black around it (a picture's frame). */
void FramePicture(unsigned left, unsigned top, unsigned right, unsigned bottom);

/* Two colours of the shown skin that read on it: `ink` against the picture, `paper` against
 * the ink (for the marked row). */
void PickInks(const uint8_t* pixels, const uint8_t* palette, uint8_t* ink, uint8_t* paper);

/* The base image's cells: a single-byte cell's width (double-byte cells are twice as wide),
 * every cell's height, and how far apart lines of cells are set. */
unsigned CellWidth(void);
unsigned CellHeight(void);
unsigned LineHeight(void);
/* Whether codes from 0x81 up lead a double-byte code. */
int DoubleByteFont(void);
/* The base image's glyph set (enum lb_glyph_set). */
unsigned GlyphSet(void);
/* The Unicode font's glyph map (GlyphTable.h), else 0. */
const uint8_t* UnicodeMap(void);

/* Reads the base image's glyph table; before any DrawChar. */
void LoadGlyphs(void);
/* A character at pixel (x, y) in mode 4: a single-byte code, or lead << 8 | trail covering
 * two cells. A pair the font has no glyph for shows a box. */
__attribute__((long_call)) void DrawChar(int x, int y, unsigned code, unsigned cells,
                                         uint8_t colour);
void FillRect(int x, int y, int width, int height, uint8_t colour);

/* One character of a name or text in the font's codes: its code, its bytes and its cells. */
struct CodeAt {
    unsigned code, bytes, cells;
};
/* The character at byte `i` of `n`: a byte, a double-byte pair, or with the Unicode font a
 * 16-bit unit (low byte first), as wide as its glyph. */
struct CodeAt CodeAtByte(const uint8_t* codes, unsigned n, unsigned i);

/* Draws `n` bytes of codes from (x, y), character by character, clipped at the right edge. */
void DrawCodes(int x, int y, const uint8_t* codes, unsigned n, uint8_t colour);
/* Draws ASCII text, whatever the font's codes. */
void DrawLabel(int x, int y, const char* text, unsigned n, uint8_t colour);

#endif
