#include "saved_places.h"

/* Layout: a 16-byte header, then LB_SAVE_SLOTS slots of 12 bytes. Every field is written
 * byte by byte, little-endian, since SRAM takes 8-bit accesses only.
 *   header: "LBSV", ROM identity (4), menu category + 2 (2: 0 nothing kept, 1 the top level),
 *           cursor (2), sequence (3), check
 *   slot:   entry identity (4), line (4), sequence (3), check
 * and after the slots the entry read last: its number + 1 (4; 0 none), 3 spare, check.
 * From 8 KiB, LB_MARKED_TEXTS bookmark records of 64 bytes:
 *   text identity (4), count (1), LB_MARKS_PER_TEXT lines (3 each), sequence (3), spare, check */
#define HEADER_BYTES 16u
#define SLOT_BYTES 12u
#define LAST_AT (HEADER_BYTES + LB_SAVE_SLOTS * SLOT_BYTES)
#define LAST_BYTES 8u
#define MARKS_AT 0x2000u
#define MARK_BYTES 64u
#define MARK_SEQUENCE (5u + 3u * LB_MARKS_PER_TEXT)

_Static_assert(LAST_AT + LAST_BYTES <= MARKS_AT, "the bookmarks follow the places");
_Static_assert(MARK_SEQUENCE + 3u < MARK_BYTES, "a bookmark record holds its check");
_Static_assert(MARKS_AT + LB_MARKED_TEXTS * MARK_BYTES <= LB_SAVE_BYTES, "all within SRAM");

static const uint8_t kMagic[4] = {'L', 'B', 'S', 'V'};

uint32_t lb_identity(uint32_t hash, const uint8_t* bytes, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

static uint32_t Get(const volatile uint8_t* p, unsigned n) {
    uint32_t v = 0;
    for (unsigned i = n; i-- > 0;) v = v << 8 | p[i];
    return v;
}

static void Put(volatile uint8_t* p, uint32_t v, unsigned n) {
    for (unsigned i = 0; i < n; ++i, v >>= 8) p[i] = (uint8_t)v;
}

/* The check byte of a record of `n` bytes (the last is the check). */
static uint8_t Check(const volatile uint8_t* p, unsigned n) {
    uint8_t sum = 0x5A;
    for (unsigned i = 0; i + 1 < n; ++i) sum = (uint8_t)((sum << 1 | sum >> 7) ^ p[i]);
    return sum;
}

static int Valid(const volatile uint8_t* p, unsigned n) { return Check(p, n) == p[n - 1]; }
static void Seal(volatile uint8_t* p, unsigned n) { p[n - 1] = Check(p, n); }

static volatile uint8_t* Slot(const struct lb_save* s, unsigned k) {
    return s->sram + HEADER_BYTES + k * SLOT_BYTES;
}

/* The highest sequence number in use, kept in the header. */
static uint32_t NextSequence(struct lb_save* s) {
    uint32_t next = (Get(s->sram + 12, 3) + 1u) & 0xFFFFFFu;
    Put(s->sram + 12, next, 3);
    Seal(s->sram, HEADER_BYTES);
    return next;
}

static void ReadSlots(struct lb_save* save) {
    for (unsigned k = 0; k < LB_SAVE_SLOTS; ++k) {
        const volatile uint8_t* p = Slot(save, k);
        save->slot_entry[k] = Get(p, 4);
        save->slot_age[k] = Valid(p, SLOT_BYTES) ? Get(p + 8, 3) : 0;
    }
}

void lb_save_open(struct lb_save* save, volatile uint8_t* sram, uint32_t rom_identity) {
    save->sram = sram;
    save->rom_identity = rom_identity;
    int ours = Valid(sram, HEADER_BYTES);
    for (unsigned i = 0; i < 4; ++i) ours = ours && sram[i] == kMagic[i];
    if (!ours) { /* blank or foreign: every slot emptied */
        for (unsigned i = 0; i < MARKS_AT + LB_MARKED_TEXTS * MARK_BYTES; ++i) sram[i] = 0;
        for (unsigned i = 0; i < 4; ++i) sram[i] = kMagic[i];
        Put(sram + 4, rom_identity, 4);
        Seal(sram, HEADER_BYTES);
        ReadSlots(save);
        return;
    }
    if (Get(sram + 4, 4) != rom_identity) { /* another menu: its places mean nothing here */
        Put(sram + 4, rom_identity, 4);
        Put(sram + 8, 0, 4);
        Seal(sram, HEADER_BYTES);
        Put(sram + LAST_AT, 0, 4);
        Seal(sram + LAST_AT, LAST_BYTES);
    }
    ReadSlots(save);
}

/* The slot found in the copy is checked in SRAM itself, which may have changed since. */
static int FindSlot(const struct lb_save* save, uint32_t entry) {
    for (unsigned k = 0; k < LB_SAVE_SLOTS; ++k)
        if (save->slot_entry[k] == entry && save->slot_age[k] && Valid(Slot(save, k), SLOT_BYTES))
            return (int)k;
    return -1;
}

uint32_t lb_save_line(const struct lb_save* save, uint32_t entry) {
    int k = FindSlot(save, entry);
    return k < 0 ? 0 : Get(Slot(save, (unsigned)k) + 4, 4);
}

void lb_save_set_line(struct lb_save* save, uint32_t entry, uint32_t line) {
    int k = FindSlot(save, entry);
    if (k < 0) { /* an empty or damaged slot, else the one read longest ago */
        uint32_t oldest = 0xFFFFFFFFu;
        for (unsigned j = 0; j < LB_SAVE_SLOTS && oldest; ++j)
            if (save->slot_age[j] < oldest) oldest = save->slot_age[j], k = (int)j;
    }
    volatile uint8_t* p = Slot(save, (unsigned)k);
    Put(p, entry, 4);
    Put(p + 4, line, 4);
    const uint32_t age = NextSequence(save);
    Put(p + 8, age, 3);
    Seal(p, SLOT_BYTES);
    save->slot_entry[k] = entry;
    save->slot_age[k] = age;
}

int lb_save_menu(const struct lb_save* save, int* category, unsigned* cursor) {
    const uint32_t kept = Get(save->sram + 8, 2);
    if (!kept) return 0;
    *category = (int)kept - 2;
    *cursor = Get(save->sram + 10, 2);
    return 1;
}

void lb_save_set_menu(struct lb_save* save, int category, unsigned cursor) {
    Put(save->sram + 8, (uint32_t)(category + 2), 2);
    Put(save->sram + 10, cursor, 2);
    Seal(save->sram, HEADER_BYTES);
}

int lb_save_last(const struct lb_save* save, unsigned* entry) {
    const volatile uint8_t* p = save->sram + LAST_AT;
    const uint32_t kept = Get(p, 4);
    if (!kept || !Valid(p, LAST_BYTES)) return 0;
    *entry = kept - 1u;
    return 1;
}

void lb_save_set_last(struct lb_save* save, unsigned entry) {
    volatile uint8_t* p = save->sram + LAST_AT;
    Put(p, entry + 1u, 4);
    Seal(p, LAST_BYTES);
}

static volatile uint8_t* MarkRecord(const struct lb_save* s, unsigned k) {
    return s->sram + MARKS_AT + k * MARK_BYTES;
}

static int FindMarks(const struct lb_save* save, uint32_t entry) {
    for (unsigned k = 0; k < LB_MARKED_TEXTS; ++k) {
        const volatile uint8_t* p = MarkRecord(save, k);
        if (Get(p, 4) == entry && Valid(p, MARK_BYTES) && Get(p + MARK_SEQUENCE, 3)) return (int)k;
    }
    return -1;
}

unsigned lb_save_marks(const struct lb_save* save, uint32_t entry, uint32_t* lines) {
    const int k = FindMarks(save, entry);
    if (k < 0) return 0;
    const volatile uint8_t* p = MarkRecord(save, (unsigned)k);
    unsigned n = p[4] < LB_MARKS_PER_TEXT ? p[4] : LB_MARKS_PER_TEXT;
    for (unsigned i = 0; i < n; ++i) lines[i] = Get(p + 5 + 3 * i, 3);
    return n;
}

void lb_save_set_marks(struct lb_save* save, uint32_t entry, const uint32_t* lines, unsigned n) {
    int k = FindMarks(save, entry);
    if (k < 0) { /* an empty or damaged record, else the one marked longest ago */
        uint32_t oldest = 0xFFFFFFFFu;
        for (unsigned j = 0; j < LB_MARKED_TEXTS && oldest; ++j) {
            const volatile uint8_t* p = MarkRecord(save, j);
            const uint32_t age = Valid(p, MARK_BYTES) ? Get(p + MARK_SEQUENCE, 3) : 0;
            if (age < oldest) oldest = age, k = (int)j;
        }
    }
    volatile uint8_t* p = MarkRecord(save, (unsigned)k);
    if (n > LB_MARKS_PER_TEXT) n = LB_MARKS_PER_TEXT;
    Put(p, entry, 4);
    p[4] = (uint8_t)n;
    for (unsigned i = 0; i < LB_MARKS_PER_TEXT; ++i) Put(p + 5 + 3 * i, i < n ? lines[i] : 0, 3);
    Put(p + MARK_SEQUENCE, NextSequence(save), 3);
    Seal(p, MARK_BYTES);
}
