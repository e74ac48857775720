#include "draw.h"

#include "../src/rom/RomLayout.h"
#include "base_info.h"
#include "hardware.h"

static const struct lb_base_info* Info(void) {
    return (const struct lb_base_info*)(CART_ROM + LB_BASE_INFO_OFFSET);
}

const uint8_t* Glyph(unsigned code) {
    return CART_ROM + Info()->glyph_offset + (code & 0xFFu) * LB_GLYPH_HEIGHT;
}

IWRAM_CODE void ShowSkin(const uint8_t* pixels, const uint8_t* palette) {
    WaitForVBlank();
    REG_DISPCNT = DISPCNT_MODE4 | DISPCNT_BG2;
    for (unsigned i = 0; i < LB_PALETTE_ENTRIES; ++i)
        PALETTE[i] = (uint16_t)(palette[2 * i] | palette[2 * i + 1] << 8);
    const uint32_t* from = (const uint32_t*)pixels;
    volatile uint32_t* to = (volatile uint32_t*)VRAM;
    for (unsigned i = 0; i < LB_SKIN_PIXEL_BYTES / 4; ++i) to[i] = from[i];
}

static unsigned Lightness(const uint8_t* palette, unsigned i) {
    unsigned c = palette[2 * i] | palette[2 * i + 1] << 8;
    return 3u * (c & 31u) + 6u * ((c >> 5) & 31u) + ((c >> 10) & 31u);
}

static unsigned FarthestFrom(const uint8_t* palette, unsigned lightness) {
    unsigned best = 0, bestDistance = 0;
    for (unsigned i = 0; i < LB_PALETTE_ENTRIES; ++i) {
        unsigned l = Lightness(palette, i);
        unsigned d = l > lightness ? l - lightness : lightness - l;
        if (d > bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

void PickInks(const uint8_t* pixels, const uint8_t* palette, uint8_t* ink, uint8_t* paper) {
    uint32_t sum = 0;
    for (unsigned i = 0; i < LB_SKIN_PIXEL_BYTES; i += 7) sum += Lightness(palette, pixels[i]);
    unsigned average = sum / ((LB_SKIN_PIXEL_BYTES + 6) / 7);
    *ink = (uint8_t)FarthestFrom(palette, average);
    *paper = (uint8_t)FarthestFrom(palette, Lightness(palette, *ink));
}

static inline __attribute__((always_inline)) void Plot(int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= (int)LB_SCREEN_WIDTH || y >= (int)LB_SCREEN_HEIGHT) return;
    volatile uint16_t* pair = VRAM + (y * (int)LB_SCREEN_WIDTH + x) / 2;
    uint16_t v = *pair;
    *pair = (x & 1) ? (uint16_t)((v & 0x00FFu) | colour << 8) : (uint16_t)((v & 0xFF00u) | colour);
}

IWRAM_CODE void DrawGlyph(int x, int y, const uint8_t* rows, uint8_t colour) {
    for (unsigned r = 0; r < LB_GLYPH_HEIGHT; ++r) {
        uint8_t bits = rows[r];
        for (unsigned b = 0; b < LB_GLYPH_WIDTH; ++b)
            if (bits & (0x80u >> b)) Plot(x + (int)b, y + (int)r, colour);
    }
}

void DrawBox(int x, int y, unsigned cells, uint8_t colour) {
    int w = (int)(cells * LB_GLYPH_WIDTH) - 2, h = (int)LB_GLYPH_HEIGHT - 4;
    for (int i = 0; i < w; ++i) {
        Plot(x + 1 + i, y + 2, colour);
        Plot(x + 1 + i, y + 1 + h, colour);
    }
    for (int j = 0; j < h; ++j) {
        Plot(x + 1, y + 2 + j, colour);
        Plot(x + w, y + 2 + j, colour);
    }
}

void FillRect(int x, int y, int width, int height, uint8_t colour) {
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) Plot(x + i, y + j, colour);
}

void DrawCodes(int x, int y, const uint8_t* codes, unsigned n, uint8_t colour) {
    for (unsigned i = 0; i < n && x < (int)LB_SCREEN_WIDTH; ++i, x += (int)LB_GLYPH_WIDTH)
        DrawGlyph(x, y, Glyph(codes[i]), colour);
}
