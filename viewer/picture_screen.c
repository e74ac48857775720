/* Pictures, in mode 3: smaller ones centred on black, larger ones scroll. */
#include "../src/rom/RomLayout.h"
#include "hardware.h"
#include "screens.h"


static inline __attribute__((always_inline)) uint16_t PictureColour(const struct lb_record* r,
                                                                   unsigned w, unsigned h,
                                                                   unsigned x, unsigned y) {
    const uint8_t* data = view.rom + r->data;
    if (r->type == LB_DIRECT_COLOUR) {
        const uint8_t* p = data + (y * w + x) * 2u;
        return (uint16_t)(p[0] | p[1] << 8);
    }
    unsigned index;
    const uint8_t* palette;
    if (r->type == LB_INDEXED256) {
        index = data[y * w + x];
        palette = data + w * h;
    } else {
        uint8_t pair = data[y * (w / 2u) + x / 2u];
        index = (x & 1u) ? (pair & 15u) : (pair >> 4);
        palette = data + w * h / 2u;
    }
    return (uint16_t)(palette[2 * index] | palette[2 * index + 1] << 8);
}

/* The whole screen is redrawn on every step of a scroll: ARM code in fast memory. */
IWRAM_CODE static void DrawPicture(const struct lb_record* r, unsigned w, unsigned h, int ox,
                                   int oy) {
    int left = w < LB_SCREEN_WIDTH ? (int)(LB_SCREEN_WIDTH - w) / 2 : -ox;
    int top = h < LB_SCREEN_HEIGHT ? (int)(LB_SCREEN_HEIGHT - h) / 2 : -oy;
    WaitForVBlank();
    REG_DISPCNT = DISPCNT_MODE3 | DISPCNT_BG2;
    for (int y = 0; y < (int)LB_SCREEN_HEIGHT; ++y) {
        volatile uint16_t* line = VRAM + y * (int)LB_SCREEN_WIDTH;
        int sy = y - top;
        for (int x = 0; x < (int)LB_SCREEN_WIDTH; ++x) {
            int sx = x - left;
            line[x] = (sx < 0 || sy < 0 || sx >= (int)w || sy >= (int)h)
                          ? 0
                          : PictureColour(r, w, h, (unsigned)sx, (unsigned)sy);
        }
    }
}

void ViewPicture(const struct lb_record* r) {
    unsigned w = r->size_field >> 16, h = r->size_field & 0xFFFFu;
    int maxX = w > LB_SCREEN_WIDTH ? (int)(w - LB_SCREEN_WIDTH) : 0;
    int maxY = h > LB_SCREEN_HEIGHT ? (int)(h - LB_SCREEN_HEIGHT) : 0;
    int ox = 0, oy = 0, drawnX = -1, drawnY = -1;
    for (;;) {
        if (ox != drawnX || oy != drawnY) {
            DrawPicture(r, w, h, ox, oy);
            drawnX = ox;
            drawnY = oy;
        }
        uint16_t held;
        uint16_t fresh = NewKeys(&held);
        if (fresh & (KEY_B | KEY_START)) return;
        int step = (held & KEY_R) ? 8 : 2;
        if (held & KEY_RIGHT) ox += step;
        if (held & KEY_LEFT) ox -= step;
        if (held & KEY_DOWN) oy += step;
        if (held & KEY_UP) oy -= step;
        ox = ox < 0 ? 0 : ox > maxX ? maxX : ox;
        oy = oy < 0 ? 0 : oy > maxY ? maxY : oy;
        WaitForVBlank();
    }
}

