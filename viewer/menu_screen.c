/* The menu: the headings and the items before the first heading, then a category's entries. */
#include "draw.h"
#include "format/GlyphTable.h"
#include "format/RomLayout.h"
#include "hardware.h"
#include "screens.h"

/* The headings, found once: a level's rows are worked out from them, so that every entry of
 * a level of any length can be reached, with no table of rows to run out. */
#define MAX_HEADINGS 256u
static uint16_t headings[MAX_HEADINGS] EWRAM_DATA;
static unsigned headingCount, leadItems; /* leadItems: the entries before the first heading */

/* The level shown: the top level (-1) or a heading's category, and its rows. */
static int levelCategory = -1;
/* The level the entries are read in, and the row of the entry a picture or text shows. */
static unsigned levelRows, shownRow;

static int IsHeading(unsigned entry) {
    return entry < view.entries && lb_is_heading_mark(view.rom[view.names + entry * LB_ENTRY_NAME_BYTES]);
}

static void FindHeadings(void) {
    headingCount = 0;
    leadItems = view.entries;
    for (unsigned i = 0; i < view.entries; ++i) {
        if (!IsHeading(i)) continue;
        if (headingCount == 0) leadItems = i;
        if (headingCount < MAX_HEADINGS) headings[headingCount++] = (uint16_t)i;
    }
}

/* The entry at `row` of the level shown. */
static unsigned RowEntry(unsigned row) {
    if (levelCategory >= 0) return (unsigned)levelCategory + 1u + row;
    return row < leadItems ? row : headings[row - leadItems];
}

/* The row of the shown entry's neighbour `step` away, headings passed over; -1 for none. */
static int NeighbourRow(int step) {
    for (int k = (int)shownRow + step; k >= 0 && k < (int)levelRows; k += step)
        if (!IsHeading(RowEntry(k))) return k;
    return -1;
}

int HasNeighbour(int step) {
    return NeighbourRow(step) >= 0;
}

/* Whether the last screen shown was a direct-colour picture, shown from the memory the
 * other screens draw into. */
static int directShown;

static int OpenEntry(unsigned entry, int start) {
    struct lb_record r;
    const int found = lb_find_record(&view, entry, &r);
    const unsigned w = found ? r.size_field >> 16 : 0, h = found ? r.size_field & 0xFFFFu : 0;
    const int direct = found && r.type == LB_DIRECT_COLOUR && w > 0 && h > 0;
    if (directShown && !direct) BlackOut();
    directShown = direct;
    if (!found) {
        ShowMessage("Cannot read this entry");
        return LEAVE_BACK;
    }
    if (lb_is_picture_type(r.type) && w > 0 && h > 0) return ViewPicture(&r);
    if (lb_is_text_type(r.type)) return ViewText(&r, entry, start);
    ShowMessage("Cannot show this entry");
    return LEAVE_BACK;
}

/* Opens the entry at `row`, then each one the reader moves on to; returns the row of the one
 * shown last, where the menu's cursor then stands. */
static unsigned ReadFrom(unsigned row, unsigned rows) {
    levelRows = rows;
    shownRow = row;
    int start = TEXT_AT_KEPT;
    for (;;) {
        lb_save_set_last(&places, RowEntry(shownRow));
        const int left = OpenEntry(RowEntry(shownRow), start);
        const int next = left == LEAVE_BACK ? -1 : NeighbourRow(left);
        if (next < 0) {
            if (directShown) BlackOut(); /* the menu is drawn where that picture shows from */
            directShown = 0;
            return shownRow;
        }
        shownRow = (unsigned)next;
        start = left == LEAVE_NEXT ? TEXT_AT_FIRST : TEXT_AT_LAST;
    }
}

/* Shows one level and returns its rows: the top level holds the items before the first
 * heading and the headings; a category the entries after its heading up to the next. */
static unsigned ListRows(int category) {
    levelCategory = category;
    if (category < 0) return leadItems + headingCount;
    unsigned n = 0;
    while ((unsigned)category + 1u + n < view.entries && !IsHeading((unsigned)category + 1u + n)) ++n;
    return n;
}

/* Where the character after the one at `i` starts: double-byte pairs and 16-bit units stay
 * whole. */
static unsigned NextCode(const uint8_t* name, unsigned n, unsigned i) {
    return i + CodeAtByte(name, n, i).bytes;
}

/* The cells the characters from byte `from` to byte `to` take. */
static unsigned CellsOf(const uint8_t* codes, unsigned n, unsigned from, unsigned to) {
    unsigned cells = 0;
    for (unsigned i = from; i < to && i < n; i = NextCode(codes, n, i)) cells += CodeAtByte(codes, n, i).cells;
    return cells;
}

/* An ASCII character as the font's code: a byte, or a 16-bit unit. */
static void PutAscii(uint8_t* out, unsigned* k, char c) {
    out[(*k)++] = (uint8_t)c;
    if (view.units16) out[(*k)++] = 0;
}

/* A row's name within `cells` cells: from byte `from`, with ".." where it is cut; a heading's
 * name ends in " >", so that a category is told from an entry in every font. Returns the
 * codes' bytes in `out`. */
static unsigned FitName(const uint8_t* name, unsigned n, int heading, unsigned from, unsigned cells,
                        uint8_t* out) {
    uint8_t all[48];
    unsigned total = 0;
    for (unsigned i = 0; i < n; ++i) all[total++] = name[i];
    if (heading) PutAscii(all, &total, ' '), PutAscii(all, &total, '>');
    if (from > total) from = total;
    if (CellsOf(all, total, from, total) <= cells) {
        for (unsigned i = from; i < total; ++i) out[i - from] = all[i];
        return total - from;
    }
    unsigned end = from, k = 0;
    while (end < total && CellsOf(all, total, from, NextCode(all, total, end)) + 2u <= cells)
        end = NextCode(all, total, end);
    for (unsigned i = from; i < end; ++i) out[k++] = all[i];
    PutAscii(out, &k, '.');
    PutAscii(out, &k, '.');
    return k;
}

/* The starts of the selected name's characters a scroll can begin at: how far it may move. */
static unsigned ScrollStops(const uint8_t* name, unsigned n, int heading, unsigned cells) {
    const unsigned total = CellsOf(name, n, 0, n) + (heading ? 2u : 0u);
    if (total <= cells) return 0;
    unsigned stops = 0;
    for (unsigned i = 0; i < n && total - CellsOf(name, n, 0, i) > cells; i = NextCode(name, n, i)) ++stops;
    return stops;
}

/* The start of the name's `stop`-th character. */
static unsigned StopAt(const uint8_t* name, unsigned n, unsigned stop) {
    unsigned i = 0;
    while (stop-- && i < n) i = NextCode(name, n, i);
    return i;
}

static void DrawMenu(unsigned rows, unsigned first, unsigned cursor, unsigned shown, unsigned scroll) {
    const int ROW_HEIGHT = (int)LineHeight(), GAP = (int)(LineHeight() - CellHeight());
    const uint8_t* pixels = lb_skin_pixels(&view, 1);
    const uint8_t* colours = lb_skin_palette(&view, 1);
    uint8_t ink, paper;
    PickInks(pixels, colours, &ink, &paper);
    ShowSkin(pixels, colours);
    /* From X to 240 - X, so that a frame drawn symmetrically holds the bar and the names. */
    const int width = view.x < (int)LB_SCREEN_WIDTH / 2 ? (int)LB_SCREEN_WIDTH - 2 * view.x : (int)CellWidth();
    const unsigned cells = (unsigned)width / CellWidth();
    for (unsigned k = 0; k < shown && first + k < rows; ++k) {
        uint8_t name[40], mark, fitted[48];
        unsigned n = lb_entry_name(&view, RowEntry(first + k), name, &mark);
        int y = view.y + (int)(k * ROW_HEIGHT);
        int selected = first + k == cursor;
        if (selected) FillRect(view.x, y, width, ROW_HEIGHT, ink);
        const int heading = lb_is_heading_mark(mark);
        const unsigned from = selected ? StopAt(name, n, scroll) : 0;
        const unsigned m = FitName(name, n, heading, from, cells, fitted);
        DrawCodes(view.x, y + GAP / 2, fitted, m, selected ? paper : ink);
    }
    if (rows > shown) { /* where the cursor is, in the corner the corner setting names */
        char label[24];
        unsigned n = 0;
        AppendNumber(label, &n, cursor + 1);
        label[n++] = '/';
        AppendNumber(label, &n, rows);
        int x = (view.corner & 1u) ? (int)LB_SCREEN_WIDTH - TEXT_MARGIN - (int)(n * CellWidth()) : TEXT_MARGIN;
        int y = view.corner < 2 ? TEXT_MARGIN / 2 : (int)LB_SCREEN_HEIGHT - ROW_HEIGHT - TEXT_MARGIN / 2;
        DrawLabel(x, y, label, n, ink);
    }
    Present();
}

void RunMenu(int readLast) {
    FindHeadings();
    int category = -1;
    unsigned cursor = 0, first = 0, topCursor = 0;
    unsigned fit = view.y < LB_SCREEN_HEIGHT ? (LB_SCREEN_HEIGHT - view.y) / LineHeight() : 0;
    unsigned shown = view.count && view.count < fit ? view.count : fit;
    if (shown == 0) shown = 1;
    unsigned rows = ListRows(category);
    /* Where the reader left the menu, when that still names a heading of this menu. */
    int keptCategory;
    unsigned keptCursor;
    if (lb_save_menu(&places, &keptCategory, &keptCursor)) {
        uint8_t name[40], mark = 0;
        if (keptCategory >= 0 && (unsigned)keptCategory < view.entries)
            lb_entry_name(&view, (unsigned)keptCategory, name, &mark);
        if (keptCategory >= 0 && lb_is_heading_mark(mark)) {
            for (unsigned k = 0; k < rows; ++k)
                if (RowEntry(k) == (unsigned)keptCategory) topCursor = k;
            category = keptCategory;
            rows = ListRows(category);
        }
        if (keptCursor < rows && (keptCategory < 0 || category == keptCategory)) cursor = keptCursor;
    }
    unsigned last;
    if (readLast && lb_save_last(&places, &last) && last < view.entries && !IsHeading(last)) {
        /* Its level: the category of the heading before it, else the top level. */
        int heading = -1;
        for (unsigned i = last; i-- > 0 && heading < 0;)
            if (IsHeading(i)) heading = (int)i;
        category = -1;
        rows = ListRows(category);
        for (unsigned k = 0; k < rows; ++k)
            if ((int)RowEntry(k) == heading) topCursor = k;
        if (heading >= 0) category = heading, rows = ListRows(category);
        for (unsigned k = 0; k < rows; ++k)
            if (RowEntry(k) == last) cursor = ReadFrom(k, rows);
    }
    int redraw = 1;
    /* The selected name, when wider than its row, moves a character every 10 frames from its
     * start to its end and back, resting a second at each. */
    unsigned scroll = 0, stops = 0, scrolledAt = 0, scrolledCursor = ~0u;
    int direction = 1;
    for (;;) {
        if (rows && cursor != scrolledCursor) {
            uint8_t name[40], mark;
            const unsigned n = lb_entry_name(&view, RowEntry(cursor), name, &mark);
            const int width = view.x < (int)LB_SCREEN_WIDTH / 2 ? (int)LB_SCREEN_WIDTH - 2 * view.x : (int)CellWidth();
            stops = ScrollStops(name, n, lb_is_heading_mark(mark), (unsigned)width / CellWidth());
            scroll = 0, direction = 1, scrolledAt = lb_frames + 60u, scrolledCursor = cursor;
        }
        if (stops && !redraw && (int32_t)(lb_frames - scrolledAt) >= 0) {
            if ((direction > 0 && scroll == stops) || (direction < 0 && scroll == 0)) direction = -direction;
            scroll = (unsigned)((int)scroll + direction);
            const int rests = scroll == stops || scroll == 0;
            scrolledAt = lb_frames + (rests ? 60u : 10u);
            redraw = 1;
        }
        if (redraw) {
            lb_save_set_menu(&places, category, cursor);
            if (cursor < first) first = cursor;
            if (cursor >= first + shown) first = cursor - shown + 1;
            DrawMenu(rows, first, cursor, shown, scroll);
            redraw = 0;
        }
        uint16_t held;
        uint16_t fresh = NewKeys(&held);
        fresh = RepeatKeys(fresh, held, KEY_UP | KEY_DOWN, KEY_LEFT | KEY_RIGHT | KEY_L | KEY_R);
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
            unsigned entry = RowEntry(cursor);
            uint8_t name[40], mark;
            lb_entry_name(&view, entry, name, &mark);
            if (category < 0 && lb_is_heading_mark(mark)) {
                topCursor = cursor;
                category = (int)entry;
                cursor = first = 0;
            } else {
                cursor = ReadFrom(cursor, rows);
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
        if (!redraw) WaitForVBlank(); /* a redraw waits for the blank when it shows */
    }
}

