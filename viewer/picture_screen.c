/* Pictures: smaller ones centred on black, larger ones scroll. Indexed pictures show in mode
 * 4, drawn on the hidden page with their own colours and shown whole at a vertical blank;
 * direct-colour pictures in mode 3, copied line by line from the start of the vertical blank,
 * staying ahead of the beam. Outside a smaller picture the screen is darkened to black,
 * whatever colours the picture uses. */
#include "draw.h"
#include "format/RomLayout.h"
#include "hardware.h"
#include "screens.h"

/* Where the picture lies on the screen and which part of it shows. */
struct View {
    const uint8_t* data;
    unsigned w, h;       /* stored size */
    unsigned left, top;  /* screen position of the picture's shown part */
    unsigned sx, sy;     /* first picture pixel shown */
    unsigned cols, rows; /* how much of it shows */
};

static struct View Place(const struct lb_record* r, unsigned w, unsigned h, int ox, int oy) {
    struct View v;
    v.data = view.rom + r->data;
    v.w = w;
    v.h = h;
    v.left = w < LB_SCREEN_WIDTH ? (LB_SCREEN_WIDTH - w) / 2u : 0u;
    v.top = h < LB_SCREEN_HEIGHT ? (LB_SCREEN_HEIGHT - h) / 2u : 0u;
    v.sx = w < LB_SCREEN_WIDTH ? 0u : (unsigned)ox;
    v.sy = h < LB_SCREEN_HEIGHT ? 0u : (unsigned)oy;
    v.cols = w < LB_SCREEN_WIDTH ? w : LB_SCREEN_WIDTH;
    v.rows = h < LB_SCREEN_HEIGHT ? h : LB_SCREEN_HEIGHT;
    return v;
}

/* Indexed pixels as mode 4's bytes, two to a halfword; `left` and `sx` are even, as the
 * stored widths (multiples of 4 and 8) and the scroll steps make them. */
IWRAM_CODE static void DrawIndexed(const struct View* v, int sixteen) {
    volatile uint16_t* page = HiddenPage();
    for (unsigned y = 0; y < v->rows; ++y) {
        volatile uint16_t* to = page + (v->top + y) * (LB_SCREEN_WIDTH / 2u) + v->left / 2u;
        if (sixteen) { /* two pixels a byte, the left one in the high half */
            const uint8_t* from = v->data + (v->sy + y) * (v->w / 2u) + v->sx / 2u;
            for (unsigned x = 0; x < v->cols / 2u; ++x) {
                const unsigned b = from[x];
                to[x] = (uint16_t)(b >> 4 | (b & 15u) << 8);
            }
        } else {
            const uint8_t* from = v->data + (v->sy + y) * v->w + v->sx;
            if (((uintptr_t)to & 3u) == 0 && (v->cols & 3u) == 0) {
                /* Whole words: straight from an aligned row, else each word made of two. */
                volatile uint32_t* to4 = (volatile uint32_t*)to;
                const uint32_t* word = (const uint32_t*)((uintptr_t)from & ~(uintptr_t)3);
                if (((uintptr_t)from & 3u) == 0)
                    for (unsigned x = 0; x < v->cols / 4u; ++x) to4[x] = word[x];
                else
                    for (unsigned x = 0; x < v->cols / 4u; ++x) to4[x] = word[x] >> 16 | word[x + 1] << 16;
            } else {
                const uint16_t* from2 = (const uint16_t*)from;
                for (unsigned x = 0; x < v->cols / 2u; ++x) to[x] = from2[x];
            }
        }
    }
}

/* Mode 3 has one page: each line is copied before the beam reaches it. */
IWRAM_CODE static void DrawDirect(const struct View* v) {
    for (unsigned y = 0; y < v->rows; ++y) {
        volatile uint16_t* to = VRAM + (v->top + y) * LB_SCREEN_WIDTH + v->left;
        const uint16_t* from = (const uint16_t*)(v->data + ((v->sy + y) * v->w + v->sx) * 2u);
        if (v->left & 1u) { /* a narrower picture may stand at an odd column */
            for (unsigned x = 0; x < v->cols; ++x) to[x] = from[x];
            continue;
        }
        /* Blocks of 16 pixels moved with load- and store-multiple, so the cartridge is read
         * in sequential bursts, fast enough to keep ahead of the beam. */
        struct Block {
            uint32_t words[8];
        };
        unsigned x = 0;
        for (; x + 16u <= v->cols; x += 16u)
            *(struct Block*)(uintptr_t)(to + x) = *(const struct Block*)(from + x);
        volatile uint32_t* to2 = (volatile uint32_t*)(to + x);
        const uint32_t* from2 = (const uint32_t*)(from + x);
        for (unsigned k = 0; k < (v->cols - x) / 2u; ++k) to2[k] = from2[k];
    }
}

static void Show(const struct lb_record* r, const struct View* v) {
    if (r->type == LB_DIRECT_COLOUR) {
        WaitForVBlank();
        const uint16_t window = FrameInBlack(v->left, v->top, v->left + v->cols, v->top + v->rows);
        REG_DISPCNT = DISPCNT_MODE3 | DISPCNT_BG2 | window;
        PagesOverwritten();
        DrawDirect(v);
        return;
    }
    const int sixteen = r->type == LB_INDEXED16;
    DrawIndexed(v, sixteen);
    SetColours(v->data + (sixteen ? v->w * v->h / 2u : v->w * v->h), sixteen ? 16u : 256u);
    FramePicture(v->left, v->top, v->left + v->cols, v->top + v->rows);
    Present();
}

/* A screenful on in reading order, 16 pixels kept in view: down the column, then the top of
 * the next column; right to left, leftwards along the row, then the right end of the next
 * row. 0 past the last. */
static int NextScreenful(int* ox, int* oy, int maxX, int maxY) {
    enum { OVERLAP = 16 };
    if (readRightToLeft) {
        if (*ox > 0) {
            *ox = *ox > (int)LB_SCREEN_WIDTH - OVERLAP ? *ox - ((int)LB_SCREEN_WIDTH - OVERLAP) : 0;
        } else if (*oy < maxY) {
            *oy = *oy + (int)LB_SCREEN_HEIGHT - OVERLAP < maxY ? *oy + (int)LB_SCREEN_HEIGHT - OVERLAP : maxY;
            *ox = maxX;
        } else {
            return 0;
        }
        return 1;
    }
    if (*oy < maxY) {
        *oy = *oy + (int)LB_SCREEN_HEIGHT - OVERLAP < maxY ? *oy + (int)LB_SCREEN_HEIGHT - OVERLAP : maxY;
    } else if (*ox < maxX) {
        *ox = *ox + (int)LB_SCREEN_WIDTH - OVERLAP < maxX ? *ox + (int)LB_SCREEN_WIDTH - OVERLAP : maxX;
        *oy = 0;
    } else {
        return 0;
    }
    return 1;
}

int ViewPicture(const struct lb_record* r) {
    unsigned w = r->size_field >> 16, h = r->size_field & 0xFFFFu;
    int maxX = w > LB_SCREEN_WIDTH ? (int)(w - LB_SCREEN_WIDTH) : 0;
    int maxY = h > LB_SCREEN_HEIGHT ? (int)(h - LB_SCREEN_HEIGHT) : 0;
    const int scrolls = maxX > 0 || maxY > 0;
    int ox = readRightToLeft ? maxX : 0, oy = 0, drawnX = -1, drawnY = -1; /* where reading starts */
    unsigned heldFrames = 0; /* how long a direction key has been held */
    struct View v = Place(r, w, h, 0, 0);
    /* For its first second a large picture shows arrows where more of it lies. */
    int arrows = scrolls;
    const uint32_t arrowsUntil = lb_frames + 60u;
    for (;;) {
        if (ox != drawnX || oy != drawnY) { /* shown from the next vertical blank */
            v = Place(r, w, h, ox, oy);
            Show(r, &v);
            if (arrows && drawnX < 0)
                EdgeArrows((ox < maxX ? 1u : 0u) | (ox > 0 ? 2u : 0u) | (oy < maxY ? 4u : 0u) | (oy > 0 ? 8u : 0u));
            else /* moved: the picture shows the way itself; Show took them away at the blank */
                arrows = 0;
            drawnX = ox;
            drawnY = oy;
        }
        if (arrows && (int32_t)(lb_frames - arrowsUntil) >= 0) EdgeArrows(0), arrows = 0;
        uint16_t held;
        uint16_t fresh = NewKeys(&held);
        if (fresh & (KEY_B | KEY_START)) {
            EdgeArrows(0);
            return LEAVE_BACK;
        }
        fresh = RepeatKeys(fresh, held, 0, scrolls ? KEY_L | KEY_R : KEY_L | KEY_R | KEY_LEFT | KEY_RIGHT);
        /* R and L move on by entries; A by screenfuls, then on; a picture that fits moves on
         * with the D-pad too. The reading order says which way is on; scrolling keeps the
         * D-pad's own directions. */
        const uint16_t ordered = InReadingOrder(fresh);
        int step = (ordered & KEY_R) ? 1 : (ordered & KEY_L) ? -1 : 0;
        if (!scrolls && !step) step = (ordered & (KEY_RIGHT | KEY_A)) ? 1 : (ordered & KEY_LEFT) ? -1 : 0;
        if (scrolls && !step && (fresh & KEY_A) && !NextScreenful(&ox, &oy, maxX, maxY)) step = 1;
        if (step) {
            EdgeArrows(0);
            arrows = 0;
            if (HasNeighbour(step)) return step;
            SignNothingFurther(step, v.left, v.top, v.left + v.cols, v.top + v.rows);
            drawnX = -1; /* shown again whole, its frame as it was */
            continue;
        }
        /* Held half a second, the D-pad scrolls four times as fast. */
        const uint16_t directions = KEY_RIGHT | KEY_LEFT | KEY_DOWN | KEY_UP;
        heldFrames = (held & directions) ? heldFrames + 1u : 0u;
        const int pixels = heldFrames > 30u ? 8 : 2;
        if (held & KEY_RIGHT) ox += pixels;
        if (held & KEY_LEFT) ox -= pixels;
        if (held & KEY_DOWN) oy += pixels;
        if (held & KEY_UP) oy -= pixels;
        ox = ox < 0 ? 0 : ox > maxX ? maxX : ox;
        oy = oy < 0 ? 0 : oy > maxY ? maxY : oy;
        if (ox == drawnX && oy == drawnY) WaitForVBlank();
    }
}
