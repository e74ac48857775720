/* The viewer: title picture, menu of categories and items, pictures and texts. */
#include "../src/rom/RomLayout.h"
#include "../src/rom/BaseInfo.h"
#include "draw.h"
#include "hardware.h"
#include "rom_view.h"
#include "text_layout.h"

#define MAX_ROWS 1024u
#define MAX_PAGES 32768u
#define TEXT_MARGIN 4

static struct lb_rom_view view;
static uint16_t previousKeys;

static uint16_t rowEntries[MAX_ROWS] EWRAM_DATA;
static uint32_t pageStarts[MAX_PAGES] EWRAM_DATA;

/* Keys that went down since the last call; `held` gets the keys now down. */
static uint16_t NewKeys(uint16_t* held) {
    uint16_t now = (uint16_t)(~REG_KEYINPUT & 0x03FFu);
    uint16_t fresh = now & (uint16_t)~previousKeys;
    previousKeys = now;
    if (held) *held = now;
    return fresh;
}

/* A short message on a plain screen until a key is pressed. */
static void ShowMessage(const char* text) {
    WaitForVBlank();
    REG_DISPCNT = DISPCNT_MODE4 | DISPCNT_BG2;
    PALETTE[0] = 0;
    PALETTE[1] = 0x7FFF;
    FillRect(0, 0, LB_SCREEN_WIDTH, LB_SCREEN_HEIGHT, 0);
    unsigned n = 0;
    while (text[n]) ++n;
    DrawCodes(TEXT_MARGIN, 72, (const uint8_t*)text, n, 1);
    while (!(NewKeys(0) & (KEY_A | KEY_B | KEY_START))) WaitForVBlank();
}

/* ---- Pictures, in mode 3: smaller ones centred on black, larger ones scroll. ---- */

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

static void ViewPicture(const struct lb_record* r) {
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

/* ---- Texts: the back picture behind, pages of TEXT_ROWS lines. ---- */

struct TextDraw {
    int y;
    uint8_t ink;
};

static void PutChar(void* context, unsigned column, unsigned code, unsigned cells) {
    struct TextDraw* d = (struct TextDraw*)context;
    DrawChar(TEXT_MARGIN + (int)(column * CellWidth()), d->y, code, cells, d->ink);
}

static void AppendNumber(char* out, unsigned* n, unsigned value) {
    char digits[10];
    unsigned k = 0;
    do {
        digits[k++] = (char)('0' + value % 10u);
        value /= 10u;
    } while (value);
    while (k) out[(*n)++] = digits[--k];
}

/* One open text: its layout, the pages counted so far and the first line shown. */
struct TextScreen {
    struct lb_text text;
    unsigned rows, rowHeight; /* text rows besides the page indicator's */
    unsigned pages, total, line;
    const uint8_t *back, *backColours;
    uint8_t ink, paper;
    int top;
};

/* Lays out up to 64 more pages; returns 1 when that made the total known. */
static int CountPages(struct TextScreen* t) {
    for (unsigned k = 0; !t->total && k < 64; ++k) {
        uint32_t at = pageStarts[t->pages - 1];
        for (unsigned l = 0; l < t->rows && at < t->text.length; ++l)
            at = lb_layout_line(&t->text, at, 0, 0);
        if (at >= t->text.length || t->pages == MAX_PAGES)
            t->total = t->pages;
        else
            pageStarts[t->pages++] = at;
    }
    return t->total != 0;
}

/* Where line `line` of the text starts. */
static uint32_t LineStart(const struct TextScreen* t, unsigned line) {
    uint32_t at = pageStarts[line / t->rows];
    for (unsigned skip = line % t->rows; skip; --skip) at = lb_layout_line(&t->text, at, 0, 0);
    return at;
}

static void DrawTextScreen(const struct TextScreen* t) {
    ShowSkin(t->back, t->backColours);
    const unsigned page = t->line / t->rows;
    uint32_t at = LineStart(t, t->line);
    struct TextDraw d = {t->top, t->ink};
    for (unsigned l = 0; l < t->rows && at < t->text.length; ++l, d.y += (int)t->rowHeight)
        at = lb_layout_line(&t->text, at, PutChar, &d);
    char label[24];
    unsigned n = 0;
    AppendNumber(label, &n, page + 1);
    label[n++] = '/';
    if (t->total)
        AppendNumber(label, &n, t->total);
    else
        label[n++] = '?';
    int x = (view.corner & 1u) ? (int)LB_SCREEN_WIDTH - TEXT_MARGIN - (int)(n * CellWidth()) : TEXT_MARGIN;
    int y = view.corner < 2 ? TEXT_MARGIN / 2 : (int)LB_SCREEN_HEIGHT - (int)t->rowHeight - TEXT_MARGIN / 2;
    DrawCodes(x, y, (const uint8_t*)label, n, t->ink);
}

/* Moves by the keys just pressed; returns 1 when the screen changed. */
static int TurnText(struct TextScreen* t, uint16_t fresh) {
    const unsigned known = t->total ? t->total : t->pages;
    const unsigned page = t->line / t->rows, before = t->line;
    if ((fresh & (KEY_RIGHT | KEY_R)) && page + 1 < known) t->line = (page + 1) * t->rows;
    if ((fresh & (KEY_LEFT | KEY_L)) && t->line > 0)
        t->line = t->line % t->rows ? page * t->rows : t->line - t->rows;
    if ((fresh & KEY_DOWN) && (t->line + 1) / t->rows < known && LineStart(t, t->line + 1) < t->text.length)
        ++t->line;
    if ((fresh & KEY_UP) && t->line > 0) --t->line;
    return t->line != before;
}

static void ViewText(const struct lb_record* r) {
    struct TextScreen t = {
        .text = {view.rom + r->data, r->size_field, (LB_SCREEN_WIDTH - 2 * TEXT_MARGIN) / CellWidth(),
                 GlyphSet()},
        /* The last row needs no gap below it. */
        .rows = (LB_SCREEN_HEIGHT - 2 * TEXT_MARGIN - CellHeight()) / LineHeight(),
        .rowHeight = LineHeight(),
        .pages = 1,
        .back = lb_skin_pixels(&view, 2),
        .backColours = lb_skin_palette(&view, 2),
        .top = view.corner < 2 ? (int)LineHeight() + TEXT_MARGIN : TEXT_MARGIN,
    };
    if (t.text.length > r->data_bytes) t.text.length = r->data_bytes;
    pageStarts[0] = 0;
    PickInks(t.back, t.backColours, &t.ink, &t.paper);
    int redraw = 1;
    for (;;) {
        /* More pages each frame until the last is known, then the total shows. */
        if (!t.total && CountPages(&t)) redraw = 1;
        if (redraw) DrawTextScreen(&t);
        uint16_t fresh = NewKeys(0);
        if (fresh & KEY_B) return;
        redraw = TurnText(&t, fresh);
        WaitForVBlank();
    }
}

/* ---- The menu. ---- */

static void OpenEntry(unsigned entry) {
    struct lb_record r;
    if (!lb_find_record(&view, entry, &r)) {
        ShowMessage("Cannot read this entry");
        return;
    }
    unsigned w = r.size_field >> 16, h = r.size_field & 0xFFFFu;
    if (lb_is_picture_type(r.type) && w > 0 && h > 0)
        ViewPicture(&r);
    else if (lb_is_text_type(r.type))
        ViewText(&r);
    else
        ShowMessage("Cannot show this entry");
}

/* The rows of one level: the top level holds the headings and the items before the first
 * heading; a category holds the entries after its heading up to the next. */
static unsigned ListRows(int category) {
    unsigned n = 0;
    uint8_t name[40], mark;
    if (category < 0) {
        int seenHeading = 0;
        for (unsigned i = 0; i < view.entries && n < MAX_ROWS; ++i) {
            lb_entry_name(&view, i, name, &mark);
            if (lb_is_heading_mark(mark)) seenHeading = 1;
            if (lb_is_heading_mark(mark) || !seenHeading) rowEntries[n++] = (uint16_t)i;
        }
        return n;
    }
    for (unsigned i = (unsigned)category + 1; i < view.entries && n < MAX_ROWS; ++i) {
        lb_entry_name(&view, i, name, &mark);
        if (lb_is_heading_mark(mark)) break;
        rowEntries[n++] = (uint16_t)i;
    }
    return n;
}

static void DrawMenu(unsigned rows, unsigned first, unsigned cursor, unsigned shown) {
    const int ROW_HEIGHT = (int)LineHeight(), GAP = (int)(LineHeight() - CellHeight());
    const uint8_t* pixels = lb_skin_pixels(&view, 1);
    const uint8_t* colours = lb_skin_palette(&view, 1);
    uint8_t ink, paper;
    PickInks(pixels, colours, &ink, &paper);
    ShowSkin(pixels, colours);
    for (unsigned k = 0; k < shown && first + k < rows; ++k) {
        uint8_t name[40], mark;
        unsigned n = lb_entry_name(&view, rowEntries[first + k], name, &mark);
        int y = view.y + (int)(k * ROW_HEIGHT);
        int selected = first + k == cursor;
        if (selected) FillRect(view.x, y, (int)LB_SCREEN_WIDTH - view.x, ROW_HEIGHT, ink);
        DrawCodes(view.x, y + GAP / 2, name, n, selected ? paper : ink);
    }
}

static void RunMenu(void) {
    int category = -1;
    unsigned cursor = 0, first = 0, topCursor = 0;
    unsigned fit = view.y < LB_SCREEN_HEIGHT ? (LB_SCREEN_HEIGHT - view.y) / LineHeight() : 0;
    unsigned shown = view.count && view.count < fit ? view.count : fit;
    if (shown == 0) shown = 1;
    unsigned rows = ListRows(category);
    int redraw = 1;
    for (;;) {
        if (redraw) {
            if (cursor < first) first = cursor;
            if (cursor >= first + shown) first = cursor - shown + 1;
            DrawMenu(rows, first, cursor, shown);
            redraw = 0;
        }
        uint16_t fresh = NewKeys(0);
        if (rows && (fresh & KEY_DOWN)) cursor = (cursor + 1) % rows, redraw = 1;
        if (rows && (fresh & KEY_UP)) cursor = (cursor + rows - 1) % rows, redraw = 1;
        if (rows && (fresh & (KEY_RIGHT | KEY_R))) {
            cursor = cursor + shown < rows ? cursor + shown : rows - 1;
            redraw = 1;
        }
        if (rows && (fresh & (KEY_LEFT | KEY_L))) {
            cursor = cursor >= shown ? cursor - shown : 0;
            redraw = 1;
        }
        if (rows && (fresh & KEY_A)) {
            unsigned entry = rowEntries[cursor];
            uint8_t name[40], mark;
            lb_entry_name(&view, entry, name, &mark);
            if (category < 0 && lb_is_heading_mark(mark)) {
                topCursor = cursor;
                category = (int)entry;
                cursor = first = 0;
            } else {
                OpenEntry(entry);
            }
            rows = ListRows(category);
            redraw = 1;
        }
        if ((fresh & KEY_B) && category >= 0) {
            category = -1;
            rows = ListRows(category);
            cursor = topCursor;
            first = 0;
            redraw = 1;
        }
        WaitForVBlank();
    }
}

int main(void) {
    StartVBlankInterrupt();
    const struct lb_base_info* info = (const struct lb_base_info*)(CART_ROM + LB_BASE_INFO_OFFSET);
    if (!lb_view_open(&view, CART_ROM, CART_MAX_BYTES, info->skin_offset)) {
        ShowMessage("Not a Lumenbrook ROM");
        for (;;) WaitForVBlank();
    }
    ShowSkin(lb_skin_pixels(&view, 0), lb_skin_palette(&view, 0));
    while (!(NewKeys(0) & (KEY_START | KEY_A))) WaitForVBlank();
    RunMenu();
    return 0;
}
