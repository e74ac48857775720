/* The viewer: title picture, then the menu, from which pictures and texts open. */
#include "draw.h"
#include "format/BaseInfo.h"
#include "format/FontTable.h"
#include "format/RomLayout.h"
#include "hardware.h"
#include "screens.h"

struct lb_rom_view view;
struct lb_save places;
volatile uint32_t lb_frames;
volatile uint16_t lb_keys_down, lb_keys_pressed;
uint32_t chapterTable;
int readRightToLeft;

uint16_t InReadingOrder(uint16_t keys) {
    if (!readRightToLeft) return keys;
    const uint16_t swapped = (uint16_t)((keys & KEY_LEFT ? KEY_RIGHT : 0u) | (keys & KEY_RIGHT ? KEY_LEFT : 0u) |
                                        (keys & KEY_L ? KEY_R : 0u) | (keys & KEY_R ? KEY_L : 0u));
    return (uint16_t)((keys & ~(KEY_LEFT | KEY_RIGHT | KEY_L | KEY_R)) | swapped);
}

/* A held key counts again after this many frames (300 ms), then every 80 ms for moves and
 * 200 ms for page turns. */
#define REPEAT_AFTER 18u
#define REPEAT_MOVES 5u
#define REPEAT_PAGES 12u

static uint16_t repeatingKeys; /* the repeating key held, and since when */
static uint32_t heldSince, repeatedAt;
static int repeated;

uint16_t NewKeys(uint16_t* held) {
    if (held) *held = (uint16_t)(~REG_KEYINPUT & 0x03FFu);
    return TakePressedKeys(); /* seen at the blanks, however long a screen took to draw */
}

uint16_t RepeatKeys(uint16_t fresh, uint16_t held, uint16_t moves, uint16_t pages) {
    const uint16_t keys = (uint16_t)(moves | pages);
    const uint32_t now = lb_frames;
    if (fresh & keys) { /* the last one pressed repeats */
        repeatingKeys = fresh & keys;
        heldSince = repeatedAt = now;
        repeated = 0;
        return fresh;
    }
    if (!repeatingKeys || (held & repeatingKeys) != repeatingKeys) {
        repeatingKeys = 0;
        return fresh;
    }
    const unsigned period = (repeatingKeys & moves) ? REPEAT_MOVES : REPEAT_PAGES;
    if (now - (repeated ? repeatedAt : heldSince) >= (repeated ? period : REPEAT_AFTER)) {
        repeated = 1;
        repeatedAt = now;
        return (uint16_t)(fresh | repeatingKeys);
    }
    return fresh;
}

void ShowMessage(const char* text) {
    static const uint8_t kBlackAndWhite[] = {0x00, 0x00, 0xFF, 0x7F};
    FillRect(0, 0, LB_SCREEN_WIDTH, LB_SCREEN_HEIGHT, 0);
    unsigned n = 0;
    while (text[n]) ++n;
    DrawLabel(TEXT_MARGIN, 72, text, n, 1);
    SetColours(kBlackAndWhite, 2);
    Present();
    while (!(NewKeys(0) & (KEY_A | KEY_B | KEY_START))) WaitForVBlank();
}

void SignNothingFurther(int step, unsigned left, unsigned top, unsigned right, unsigned bottom) {
    WaitForVBlank();
    const int rightEdge = (step > 0) != readRightToLeft; /* the side "next" lies on */
    EdgeSign(rightEdge, left, top, right, bottom, 1);
    for (int frame = 0; frame < 30; ++frame) WaitForVBlank();
    EdgeSign(rightEdge, left, top, right, bottom, 0);
    NewKeys(0); /* what was pressed meanwhile was pressed against the sign */
}

void AppendNumber(char* out, unsigned* n, unsigned value) {
    char digits[10];
    unsigned k = 0;
    do {
        digits[k++] = (char)('0' + value % 10u);
        value /= 10u;
    } while (value);
    while (k) out[(*n)++] = digits[--k];
}

int main(void) {
    StartVBlankInterrupt();
    LoadGlyphs();
    const struct lb_base_info* info = (const struct lb_base_info*)(CART_ROM + LB_BASE_INFO_OFFSET);
    readRightToLeft = (CART_ROM[LB_VIEWER_CHOICES_OFFSET] & LB_RIGHT_TO_LEFT) != 0;
    const int opened = lb_view_open(&view, CART_ROM, CART_MAX_BYTES, info->skin_offset);
    view.units16 = GlyphSet() == LB_GLYPHS_UNICODE;
    if (!opened) {
        ShowMessage("Not a Lumenbrook ROM");
        for (;;) WaitForVBlank();
    }
    /* The menu tables' identity (their first 64 KiB): a rebuilt menu starts afresh. */
    const uint32_t tables = view.skin + LB_SKIN_BLOCK_COUNT * LB_SKIN_BLOCK_BYTES;
    const uint32_t span = view.records - tables < 0x10000u ? view.records - tables : 0x10000u;
    lb_save_open(&places, CART_SRAM, lb_identity(2166136261u, view.rom + tables, span));
    chapterTable = lb_chapter_table(&view);
    uint8_t ink, paper; /* worked out once for each skin picture, before any key counts */
    for (unsigned k = 1; k < LB_SKIN_BLOCK_COUNT; ++k)
        PickInks(lb_skin_pixels(&view, k), lb_skin_palette(&view, k), &ink, &paper);
    ShowSkin(lb_skin_pixels(&view, 0), lb_skin_palette(&view, 0));
    Present();
    /* START: the menu; A: on with the entry read last (the menu when there is none). */
    uint16_t pressed;
    while (!((pressed = NewKeys(0)) & (KEY_START | KEY_A))) WaitForVBlank();
    RunMenu(!(pressed & KEY_START));
    return 0;
}
