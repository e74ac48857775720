/* Drawing on the handheld's screen: skin pictures and glyphs in mode 4, pictures in mode 3. */
#ifndef LB_DRAW_H
#define LB_DRAW_H

#include <stdint.h>

/* Shows a 240x160 8-bit skin block in mode 4 with its own colours. */
void ShowSkin(const uint8_t* pixels, const uint8_t* palette);

/* Two colours of the shown skin that read on it: `ink` against the picture, `paper` against
 * the ink (for the marked row). */
void PickInks(const uint8_t* pixels, const uint8_t* palette, uint8_t* ink, uint8_t* paper);

/* A 16-row glyph (one byte a row) or a box of `cells` cells at pixel (x, y), in mode 4. */
void DrawGlyph(int x, int y, const uint8_t* rows, uint8_t colour);
void DrawBox(int x, int y, unsigned cells, uint8_t colour);
void FillRect(int x, int y, int width, int height, uint8_t colour);

/* Draws `n` single-byte codes from (x, y), clipped at the right edge. */
void DrawCodes(int x, int y, const uint8_t* codes, unsigned n, uint8_t colour);

/* The base image's glyph for a single-byte code. */
const uint8_t* Glyph(unsigned code);

#endif
