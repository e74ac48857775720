#include "draw.h"

#include "format/BaseInfo.h"
#include "format/GlyphTable.h"
#include "format/RomLayout.h"
#include "hardware.h"

static const struct lb_base_info* Info(void) {
    return (const struct lb_base_info*)(CART_ROM + LB_BASE_INFO_OFFSET);
}

unsigned CellWidth(void) { return Info()->half_width; }
unsigned CellHeight(void) { return Info()->height; }
unsigned LineHeight(void) {
    return Info()->line_height > Info()->height ? Info()->line_height : Info()->height;
}
int DoubleByteFont(void) { return Info()->set != LB_GLYPHS_SINGLE; }
unsigned GlyphSet(void) { return Info()->set; }
const uint8_t* UnicodeMap(void) {
    return Info()->set == LB_GLYPHS_UNICODE ? CART_ROM + Info()->coverage_offset : 0;
}

/* Mode 4 has two pages: everything is drawn into the one not shown, which Present then
 * shows at the start of a vertical blank, with its colours, so no frame is half drawn. */
#define MODE4_PAGE_HALFWORDS (0xA000u / 2u)
static unsigned shownPage;
static volatile uint16_t* hidden = VRAM + MODE4_PAGE_HALFWORDS; /* the page not shown */
static const uint8_t* pendingPalette;
static unsigned pendingEntries;
static int framed; /* a picture's rectangle set for the next Present */
static unsigned frameBox[4];

/* The skin block the hidden page holds untouched, else 0. */
static const uint8_t* preparedSkin;

void ShowSkin(const uint8_t* pixels, const uint8_t* palette) {
    if (pixels != preparedSkin) CopyWords(hidden, pixels, LB_SKIN_PIXEL_BYTES / 4);
    preparedSkin = 0; /* drawn on from here */
    SetColours(palette, LB_PALETTE_ENTRIES);
}

void PrepareSkin(const uint8_t* pixels) {
    if (pixels == preparedSkin) return;
    CopyWords(hidden, pixels, LB_SKIN_PIXEL_BYTES / 4);
    preparedSkin = pixels;
}

void SetColours(const uint8_t* palette, unsigned entries) {
    pendingPalette = palette;
    pendingEntries = entries;
}

void PagesOverwritten(void) { preparedSkin = 0; }

volatile uint16_t* HiddenPage(void) {
    preparedSkin = 0;
    return hidden;
}

void FramePicture(unsigned left, unsigned top, unsigned right, unsigned bottom) {
    framed = 1;
    frameBox[0] = left, frameBox[1] = top, frameBox[2] = right, frameBox[3] = bottom;
}

void Present(void) {
    /* Drawing that ends early in a blank is shown in that blank, a frame sooner; the
     * colours and the flip take a few lines, so near its end the next one is waited for. */
    static const uint8_t* shownPalette;
    static unsigned shownEntries;
    const int sameColours = pendingPalette == shownPalette && pendingEntries == shownEntries;
    if (!InVBlankWithTimeFor(sameColours ? 2u : 8u)) WaitForVBlank();
    if (!sameColours) /* a page turn keeps them, and the flip alone is quick */
        for (unsigned i = 0; i < pendingEntries; ++i)
            PALETTE[i] = (uint16_t)(pendingPalette[2 * i] | pendingPalette[2 * i + 1] << 8);
    shownPalette = pendingPalette;
    shownEntries = pendingEntries;
    shownPage ^= 1u;
    preparedSkin = 0;
    uint16_t window = 0;
    if (framed)
        window = FrameInBlack(frameBox[0], frameBox[1], frameBox[2], frameBox[3]);
    else
        NoFrame();
    framed = 0;
    REG_DISPCNT = (uint16_t)(DISPCNT_MODE4 | DISPCNT_BG2 | window | (shownPage ? DISPCNT_PAGE1 : 0u));
    hidden = VRAM + (shownPage ? 0u : MODE4_PAGE_HALFWORDS);
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
    /* The skins never change while the viewer runs: each one's inks are worked out once. */
    static const uint8_t* known[LB_SKIN_BLOCK_COUNT];
    static uint8_t inks[LB_SKIN_BLOCK_COUNT][2];
    unsigned k = 0;
    while (k < LB_SKIN_BLOCK_COUNT && known[k] && known[k] != pixels) ++k;
    if (k < LB_SKIN_BLOCK_COUNT && known[k] == pixels) {
        *ink = inks[k][0];
        *paper = inks[k][1];
        return;
    }
    uint32_t sum = 0;
    for (unsigned i = 0; i < LB_SKIN_PIXEL_BYTES; i += 7) sum += Lightness(palette, pixels[i]);
    unsigned average = sum / ((LB_SKIN_PIXEL_BYTES + 6) / 7);
    *ink = (uint8_t)FarthestFrom(palette, average);
    *paper = (uint8_t)FarthestFrom(palette, Lightness(palette, *ink));
    if (k < LB_SKIN_BLOCK_COUNT) {
        known[k] = pixels;
        inks[k][0] = *ink;
        inks[k][1] = *paper;
    }
}

static inline __attribute__((always_inline)) void Plot(int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= (int)LB_SCREEN_WIDTH || y >= (int)LB_SCREEN_HEIGHT) return;
    volatile uint16_t* pair = hidden + (y * (int)LB_SCREEN_WIDTH + x) / 2;
    uint16_t v = *pair;
    *pair = (x & 1) ? (uint16_t)((v & 0x00FFu) | colour << 8) : (uint16_t)((v & 0xFF00u) | colour);
}

/* For four pixels of a glyph row (the leftmost in the nibble's high bit), the bytes of the
 * 32-bit word of the page they cover. */
static const uint32_t kNibbleBytes[16] __attribute__((section(".iwram.nibbles"))) = {
    0x00000000u, 0xFF000000u, 0x00FF0000u, 0xFFFF0000u, 0x0000FF00u, 0xFF00FF00u,
    0x00FFFF00u, 0xFFFFFF00u, 0x000000FFu, 0xFF0000FFu, 0x00FF00FFu, 0xFFFF00FFu,
    0x0000FFFFu, 0xFF00FFFFu, 0x00FFFFFFu, 0xFFFFFFFFu,
};

/* One bit a pixel, row after row with no padding, the leftmost pixel in the high bit, at
 * most 16 wide. The bits are read from the cartridge once each, as rows need them. A glyph
 * wholly on the screen is written four pixels a word, only the pixels that are set changed,
 * so that a page of the smallest cells draws within a frame; one partly off the screen is
 * drawn pixel by pixel. */
IWRAM_CODE static void DrawBits(int x, int y, const uint8_t* bits, unsigned width, unsigned height,
                                uint8_t colour) {
    const int inside = x >= 0 && y >= 0 && x + (int)width <= (int)LB_SCREEN_WIDTH &&
                       y + (int)height <= (int)LB_SCREEN_HEIGHT;
    const uint32_t fill = colour * 0x01010101u, keep = ~0u << (32u - width);
    const unsigned skew = (unsigned)x & 3u;
    volatile uint32_t* line = (volatile uint32_t*)hidden;
    if (inside) line += (y * (int)LB_SCREEN_WIDTH + (x & ~3)) / 4;
    uint32_t waiting = 0; /* bits read and not yet drawn, the next one in the high bit */
    unsigned have = 0;
    for (unsigned r = 0; r < height; ++r, line += LB_SCREEN_WIDTH / 4) {
        for (; have < width; have += 8u) waiting |= (uint32_t)*bits++ << (24u - have);
        uint32_t row = waiting & keep;
        waiting <<= width;
        have -= width;
        if (!inside) {
            for (int c = x; row; ++c, row <<= 1)
                if (row & 0x80000000u) Plot(c, y + (int)r, colour);
            continue;
        }
        volatile uint32_t* word = line;
        for (row >>= skew; row; row <<= 4, ++word) {
            const uint32_t mask = kNibbleBytes[row >> 28];
            if (mask) *word = (*word & ~mask) | (fill & mask);
        }
    }
}

__attribute__((noinline, long_call)) static void DrawBox(int x, int y, unsigned width,
                                                         unsigned height, uint8_t colour) {
    for (int i = 1; i + 1 < (int)width; ++i) {
        Plot(x + i, y + 2, colour);
        Plot(x + i, y + (int)height - 3, colour);
    }
    for (int j = 2; j + 2 < (int)height; ++j) {
        Plot(x + 1, y + j, colour);
        Plot(x + (int)width - 2, y + j, colour);
    }
}

/* The base image's glyphs, read from its header once: DrawChar runs for every character. */
static struct {
    const uint8_t *single, *doubles; /* doubles 0 when the font has none */
    const uint8_t* map;              /* the Unicode font's map, else 0 */
    unsigned half, height, set, singleBytes, doubleBytes;
} glyphs;

void LoadGlyphs(void) {
    const struct lb_base_info* info = Info();
    glyphs.half = info->half_width;
    glyphs.height = info->height;
    glyphs.set = info->set;
    glyphs.single = CART_ROM + info->glyph_offset;
    glyphs.doubles = info->double_offset ? CART_ROM + info->double_offset : 0;
    glyphs.map = info->set == LB_GLYPHS_UNICODE ? CART_ROM + info->coverage_offset : 0;
    glyphs.singleBytes = lb_glyph_bytes(glyphs.half, glyphs.height);
    glyphs.doubleBytes = lb_glyph_bytes(2u * glyphs.half, glyphs.height);
}

IWRAM_CODE void DrawChar(int x, int y, unsigned code, unsigned cells, uint8_t colour) {
    if (glyphs.map) {
        const unsigned entry = lb_unicode_entry(glyphs.map, code);
        if (entry == LB_UNICODE_NONE)
            DrawBox(x, y, cells * glyphs.half, glyphs.height, colour);
        else if (entry & LB_UNICODE_FULL)
            DrawBits(x, y, glyphs.doubles + (entry - LB_UNICODE_FULL) * glyphs.doubleBytes, 2u * glyphs.half,
                     glyphs.height, colour);
        else
            DrawBits(x, y, glyphs.single + entry * glyphs.singleBytes, glyphs.half, glyphs.height, colour);
        return;
    }
    if (cells == 1) {
        DrawBits(x, y, glyphs.single + (code & 0xFFu) * glyphs.singleBytes, glyphs.half,
                 glyphs.height, colour);
        return;
    }
    int index = glyphs.doubles ? lb_double_index(glyphs.set, code >> 8, code & 0xFFu) : -1;
    if (index < 0)
        DrawBox(x, y, 2u * glyphs.half, glyphs.height, colour);
    else
        DrawBits(x, y, glyphs.doubles + (unsigned)index * glyphs.doubleBytes, 2u * glyphs.half,
                 glyphs.height, colour);
}

IWRAM_CODE void FillRect(int x, int y, int width, int height, uint8_t colour) {
    if (x < 0) width += x, x = 0;
    if (y < 0) height += y, y = 0;
    if (x + width > (int)LB_SCREEN_WIDTH) width = (int)LB_SCREEN_WIDTH - x;
    if (y + height > (int)LB_SCREEN_HEIGHT) height = (int)LB_SCREEN_HEIGHT - y;
    const uint16_t both = (uint16_t)(colour | colour << 8);
    for (int j = y; j < y + height; ++j) {
        int i = x, end = x + width;
        if (i < end && (i & 1)) Plot(i++, j, colour);
        if (i < end && (end & 1)) Plot(--end, j, colour);
        volatile uint16_t* pair = hidden + (j * (int)LB_SCREEN_WIDTH + i) / 2;
        for (; i < end; i += 2) *pair++ = both; /* two pixels a write */
    }
}

struct CodeAt CodeAtByte(const uint8_t* codes, unsigned n, unsigned i) {
    struct CodeAt c = {codes[i], 1, 1};
    if (glyphs.map) {
        c.code = i + 1 < n ? lb_unicode_word(codes + i) : codes[i];
        c.bytes = 2;
        c.cells = lb_unicode_cells(glyphs.map, c.code);
    } else if (DoubleByteFont() && i + 1 < n && lb_pairs(codes[i], codes[i + 1])) {
        c.code = (unsigned)codes[i] << 8 | codes[i + 1];
        c.bytes = c.cells = 2;
    }
    return c;
}

void DrawCodes(int x, int y, const uint8_t* codes, unsigned n, uint8_t colour) {
    for (unsigned i = 0; i < n && x < (int)LB_SCREEN_WIDTH;) {
        const struct CodeAt c = CodeAtByte(codes, n, i);
        DrawChar(x, y, c.code, c.cells, colour);
        x += (int)(c.cells * glyphs.half);
        i += c.bytes;
    }
}

void DrawLabel(int x, int y, const char* text, unsigned n, uint8_t colour) {
    for (unsigned i = 0; i < n && x < (int)LB_SCREEN_WIDTH; ++i, x += (int)glyphs.half)
        DrawChar(x, y, (uint8_t)text[i], 1, colour);
}
