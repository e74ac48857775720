/* Texts: the back picture behind, pages of lines broken at words. */
#include "draw.h"
#include "format/RomLayout.h"
#include "hardware.h"
#include "screens.h"
#include "text_layout.h"

/* Where pages start, kept for every `stride`-th page: when the table fills, every other
 * mark goes and the stride doubles, so that every page of any text stays reachable. */
#define MAX_MARKS 16384u
static uint32_t marks[MAX_MARKS] EWRAM_DATA;

/* Where a line starts, for a line lately shown or the one after a shown page. */
struct KnownLine {
    unsigned line;
    uint32_t start;
};
#define KNOWN_LINES 8u

/* One open text: its layout, the pages counted so far and the first line shown. */
struct TextScreen {
    struct lb_text text;
    unsigned rows, rowHeight; /* text rows besides the page indicator's */
    unsigned counted;         /* pages whose start is known */
    uint32_t nextStart;       /* where page `counted` starts */
    unsigned stride, markCount;
    unsigned total;           /* 0 until the last page is known */
    unsigned line;            /* the first line shown */
    /* Turning from these costs at most a page's layout, where a long text's marks lie pages
     * apart. Zeros are true: line 0 starts at byte 0. */
    struct KnownLine known[KNOWN_LINES];
    unsigned knownNext;
    const uint8_t *back, *backColours;
    uint8_t ink, paper;
    int top;
    uint32_t bookmarks[LB_MARKS_PER_TEXT]; /* the first lines of the marked pages, in order */
    unsigned bookmarkCount;
};

static uint32_t LayOutLines(const struct TextScreen* t, uint32_t at, unsigned lines) {
    for (; lines && at < t->text.length; --lines) at = lb_layout_line(&t->text, at, 0, 0);
    return at;
}

/* Counts one more page, or `pages` more, or (`pages` 0) as many as the frame has time for;
 * returns 1 when that made the total known. */
static int CountPages(struct TextScreen* t, unsigned pages) {
    for (unsigned done = 0; !t->total && (pages ? done < pages : done == 0 || FrameTimeLeft()); ++done) {
        if (t->counted % t->stride == 0) {
            if (t->markCount == MAX_MARKS) {
                for (unsigned i = 0; i < MAX_MARKS / 2; ++i) marks[i] = marks[2 * i];
                t->markCount = MAX_MARKS / 2;
                t->stride *= 2;
            }
            if (t->counted % t->stride == 0) marks[t->markCount++] = t->nextStart;
        }
        const uint32_t next = LayOutLines(t, t->nextStart, t->rows);
        ++t->counted;
        if (next >= t->text.length)
            t->total = t->counted;
        else
            t->nextStart = next;
    }
    return t->total != 0;
}

/* Where page `page` (counted already) starts. */
static uint32_t PageStart(const struct TextScreen* t, unsigned page) {
    return LayOutLines(t, marks[page / t->stride], (page % t->stride) * t->rows);
}

static uint32_t LineStart(const struct TextScreen* t, unsigned line) {
    const struct KnownLine* near = 0;
    for (unsigned k = 0; k < KNOWN_LINES; ++k) {
        const struct KnownLine* n = &t->known[k];
        if (n->line <= line && line - n->line <= t->rows && (!near || n->line > near->line))
            near = n;
    }
    if (near) return LayOutLines(t, near->start, line - near->line);
    return LayOutLines(t, PageStart(t, line / t->rows), line % t->rows);
}

static void KnowLine(struct TextScreen* t, unsigned line, uint32_t start) {
    t->known[t->knownNext++ % KNOWN_LINES] = (struct KnownLine){line, start};
}

/* The page that holds byte `at`, counting pages as far as it lies. */
static unsigned PageHolding(struct TextScreen* t, uint32_t at) {
    while (!t->total && t->nextStart <= at) CountPages(t, 256);
    unsigned low = 0, high = t->markCount; /* the last mark at or before `at` */
    while (high - low > 1) {
        unsigned mid = (low + high) / 2;
        if (marks[mid] <= at)
            low = mid;
        else
            high = mid;
    }
    unsigned page = low * t->stride;
    uint32_t start = marks[low];
    const unsigned known = t->total ? t->total : t->counted;
    while (page + 1 < known) {
        uint32_t next = LayOutLines(t, start, t->rows);
        if (next > at) break;
        start = next;
        ++page;
    }
    return page;
}

struct TextDraw {
    int y, cell;
    uint8_t ink;
};

IWRAM_CODE static void PutChar(void* context, unsigned column, unsigned code, unsigned cells) {
    struct TextDraw* d = (struct TextDraw*)context;
    if (code == ' ') return; /* blank in every base image: a sixth of a page, skipped */
    DrawChar(TEXT_MARGIN + (int)column * d->cell, d->y, code, cells, d->ink);
}

static void DrawTextScreen(struct TextScreen* t) {
    ShowSkin(t->back, t->backColours);
    const unsigned page = t->line / t->rows;
    uint32_t at = LineStart(t, t->line);
    KnowLine(t, t->line, at);
    struct TextDraw d = {t->top, (int)CellWidth(), t->ink};
    for (unsigned l = 0; l < t->rows && at < t->text.length; ++l, d.y += (int)t->rowHeight)
        at = lb_layout_line(&t->text, at, PutChar, &d);
    if (at < t->text.length) KnowLine(t, t->line + t->rows, at);
    /* A short text's total is known before the screen shows, so it shows once, whole. */
    while (!t->total && RoomBeforeFlip()) CountPages(t, 1);
    char label[32];
    unsigned n = 0;
    /* A marked page: a "*" before the indicator. */
    for (unsigned k = 0; k < t->bookmarkCount; ++k)
        if (t->bookmarks[k] == page * t->rows) label[n++] = '*', label[n++] = ' ';
    AppendNumber(label, &n, page + 1);
    label[n++] = '/';
    if (t->total) { /* and how much is read, to the nearest per cent */
        AppendNumber(label, &n, t->total);
        label[n++] = ' ';
        AppendNumber(label, &n, (100u * (page + 1u) + t->total / 2u) / t->total);
        label[n++] = '%';
    } else {
        label[n++] = '?';
    }
    int x = (view.corner & 1u) ? (int)LB_SCREEN_WIDTH - TEXT_MARGIN - (int)(n * CellWidth()) : TEXT_MARGIN;
    int y = view.corner < 2 ? TEXT_MARGIN / 2 : (int)LB_SCREEN_HEIGHT - (int)t->rowHeight - TEXT_MARGIN / 2;
    DrawLabel(x, y, label, n, t->ink);
    Present();
}

/* Moves by the keys just pressed; returns 1 when the screen changed. SELECT with Right or
 * Left jumps by tenths of the text's bytes. */
static int TurnText(struct TextScreen* t, uint16_t fresh, uint16_t held) {
    const unsigned page = t->line / t->rows, before = t->line;
    if ((held & KEY_SELECT) && (fresh & (KEY_RIGHT | KEY_LEFT))) {
        /* To the next or the previous tenth of the text, so that ten jumps reach its end. */
        const uint32_t tenth = t->text.length / 10u, from = PageStart(t, page);
        uint32_t to;
        if (fresh & KEY_RIGHT) {
            /* Past the tenth this page holds: from where the next page starts. */
            const uint32_t after = LayOutLines(t, from, t->rows);
            to = tenth ? (after / tenth + 1u) * tenth : t->text.length;
            if (to >= t->text.length) to = t->text.length ? t->text.length - 1u : 0;
        } else {
            to = tenth && from ? (from - 1u) / tenth * tenth : 0;
        }
        t->line = PageHolding(t, to) * t->rows;
        return t->line != before;
    }
    const unsigned known = t->total ? t->total : t->counted;
    if ((fresh & (KEY_RIGHT | KEY_R)) && page + 1 < known) t->line = (page + 1) * t->rows;
    if ((fresh & (KEY_LEFT | KEY_L)) && t->line > 0)
        t->line = t->line % t->rows ? page * t->rows : t->line - t->rows;
    if ((fresh & KEY_DOWN) && (t->line + 1) / t->rows < known && LineStart(t, t->line + 1) < t->text.length)
        ++t->line;
    if ((fresh & KEY_UP) && t->line > 0) --t->line;
    return t->line != before;
}

/* A text's identity for its kept place: its name, kind and size, and its first and last
 * bytes, so that a rebuilt ROM whose text changed does not resume at a wrong place. */
static uint32_t TextIdentity(const struct lb_record* r, unsigned entry, uint32_t length) {
    uint32_t id = lb_identity(2166136261u, view.rom + view.names + entry * LB_ENTRY_NAME_BYTES,
                              LB_ENTRY_NAME_BYTES);
    const uint8_t kind[5] = {r->type, (uint8_t)length, (uint8_t)(length >> 8), (uint8_t)(length >> 16),
                             (uint8_t)(length >> 24)};
    id = lb_identity(id, kind, 5);
    const uint32_t sample = length < 64u ? length : 64u;
    id = lb_identity(id, view.rom + r->data, sample);
    return lb_identity(id, view.rom + r->data + length - sample, sample);
}

/* Past the last page (`step` 1) or before the first (-1): on to the neighbouring entry, or
 * the sign that there is none. Returns how the text is left, LEAVE_BACK to stay. */
static int PastTheEnd(struct TextScreen* t, int step) {
    if (step > 0) {
        /* The last page is known once the pages are counted that far. */
        while (!t->total && t->line / t->rows + 1 >= t->counted) CountPages(t, 64);
        if (!t->total || t->line / t->rows + 1 < t->total) return LEAVE_BACK;
    } else if (t->line > 0) {
        return LEAVE_BACK;
    }
    if (HasNeighbour(step)) return step;
    SignNothingFurther(step, 0, 0, LB_SCREEN_WIDTH, LB_SCREEN_HEIGHT);
    return LEAVE_BACK;
}

/* SELECT with A marks the page shown, or takes its mark away; SELECT with Down or Up goes to
 * the next or the previous marked page. Returns 1 when the screen changed. */
static int UseBookmarks(struct TextScreen* t, uint16_t fresh, uint32_t identity) {
    const uint32_t line = t->line / t->rows * t->rows;
    if (fresh & KEY_A) {
        unsigned k = 0;
        while (k < t->bookmarkCount && t->bookmarks[k] < line) ++k;
        if (k < t->bookmarkCount && t->bookmarks[k] == line) {
            for (--t->bookmarkCount; k < t->bookmarkCount; ++k) t->bookmarks[k] = t->bookmarks[k + 1];
        } else if (t->bookmarkCount < LB_MARKS_PER_TEXT) {
            for (unsigned j = t->bookmarkCount++; j > k; --j) t->bookmarks[j] = t->bookmarks[j - 1];
            t->bookmarks[k] = line;
        } else {
            return 0; /* sixteen already */
        }
        lb_save_set_marks(&places, identity, t->bookmarks, t->bookmarkCount);
        return 1;
    }
    const unsigned before = t->line;
    if (fresh & KEY_DOWN)
        for (unsigned k = 0; k < t->bookmarkCount; ++k)
            if (t->bookmarks[k] > t->line) {
                t->line = t->bookmarks[k];
                break;
            }
    if (fresh & KEY_UP)
        for (unsigned k = t->bookmarkCount; k-- > 0;)
            if (t->bookmarks[k] < t->line) {
                t->line = t->bookmarks[k];
                break;
            }
    if (t->line != before) /* counted that far first */
        while (!t->total && t->counted <= t->line / t->rows) CountPages(t, 256);
    return t->line != before;
}

int ViewText(const struct lb_record* r, unsigned entry, int start) {
    struct TextScreen t = {
        .text = {view.rom + r->data, r->size_field, (LB_SCREEN_WIDTH - 2 * TEXT_MARGIN) / CellWidth(),
                 GlyphSet(), UnicodeMap()},
        /* The last row needs no gap below it. */
        .rows = (LB_SCREEN_HEIGHT - 2 * TEXT_MARGIN - CellHeight()) / LineHeight(),
        .rowHeight = LineHeight(),
        .stride = 1,
        .back = lb_skin_pixels(&view, 2),
        .backColours = lb_skin_palette(&view, 2),
        .top = view.corner < 2 ? (int)LineHeight() + TEXT_MARGIN : TEXT_MARGIN,
    };
    if (t.text.length > r->data_bytes) t.text.length = r->data_bytes;
    PickInks(t.back, t.backColours, &t.ink, &t.paper);
    CountPages(&t, 1); /* the first page shows at once */
    const uint32_t identity = TextIdentity(r, entry, t.text.length);
    t.bookmarkCount = lb_save_marks(&places, identity, t.bookmarks);
    uint32_t chaptersAt = 0;
    const unsigned chapters = lb_chapters(&view, chapterTable, entry, &chaptersAt);
    const uint32_t kept = start == TEXT_AT_KEPT ? lb_save_line(&places, identity) : 0;
    if (start == TEXT_AT_LAST) {
        while (!t.total) CountPages(&t, 256);
        t.line = (t.total - 1u) * t.rows;
    }
    if (kept) { /* resume there: the pages up to it are counted first */
        while (!t.total && t.counted <= kept / t.rows) CountPages(&t, 256);
        const unsigned lines = (t.total ? t.total : t.counted) * t.rows;
        t.line = kept < lines ? kept : 0;
    }
    int redraw = 1;
    for (;;) {
        if (redraw) {
            DrawTextScreen(&t); /* shown at a vertical blank, where this goes on */
            lb_save_set_line(&places, identity, t.line);
        }
        uint16_t held;
        uint16_t fresh = NewKeys(&held);
        if (fresh & KEY_B) return LEAVE_BACK;
        fresh = InReadingOrder(fresh);
        held = InReadingOrder(held);
        if ((held & KEY_SELECT) && (fresh & (KEY_A | KEY_DOWN | KEY_UP))) {
            redraw = UseBookmarks(&t, fresh, identity);
            continue;
        }
        if ((fresh & KEY_START) && chapters) { /* the contents, and back to the page chosen */
            const uint32_t chosen = ChooseChapter(t.text.bytes, t.text.length, chaptersAt, chapters,
                                                  PageStart(&t, t.line / t.rows), t.back, t.backColours,
                                                  t.ink, t.paper);
            if (chosen != NO_CHAPTER) t.line = PageHolding(&t, chosen) * t.rows;
            redraw = 1;
            continue;
        }
        if (!(held & KEY_SELECT)) { /* a fresh press, not a held one, moves on to the next */
            const int step = (fresh & (KEY_RIGHT | KEY_R)) ? 1 : (fresh & (KEY_LEFT | KEY_L)) ? -1 : 0;
            const int left = step ? PastTheEnd(&t, step) : LEAVE_BACK;
            if (left != LEAVE_BACK) return left;
            fresh = RepeatKeys(fresh, held, KEY_UP | KEY_DOWN, KEY_LEFT | KEY_RIGHT | KEY_L | KEY_R);
        }
        redraw = TurnText(&t, fresh, held);
        /* The rest of the frame counts pages, until the last is known and the total shows. */
        if (!redraw && !t.total) redraw = CountPages(&t, 0);
        if (!redraw) {
            PrepareSkin(t.back); /* the next page then starts with its glyphs */
            WaitForVBlank();
        }
    }
}
