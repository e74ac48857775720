/* What the viewer's screens share: the ROM they show, the keys, a message screen. */
#ifndef LB_SCREENS_H
#define LB_SCREENS_H

#include "rom_view.h"
#include "saved_places.h"

#include <stdint.h>

#define TEXT_MARGIN 4

extern struct lb_rom_view view;
extern struct lb_save places; /* where the reader left off */
extern uint32_t chapterTable; /* the texts' chapter headings (lb_chapter_table), or 0 */

/* The ROM was built to be read right to left: Left is "next" in texts and pictures. */
extern int readRightToLeft;

/* The keys as the reading order means them: Left and Right, L and R swapped when it runs
 * right to left, so that Right and R always mean "next" below. */
uint16_t InReadingOrder(uint16_t keys);

/* Keys that went down since the last call; `held` gets the keys now down. */
uint16_t NewKeys(uint16_t* held);

/* `fresh` with the key of `moves` or `pages` pressed last counted again while it is held:
 * after 300 ms, then every 80 ms for moves (the cursor, a line) and every 200 ms for page
 * turns. */
uint16_t RepeatKeys(uint16_t fresh, uint16_t held, uint16_t moves, uint16_t pages);

/* A short message on a plain screen until a key is pressed. */
void ShowMessage(const char* text);

/* Appends `value` in decimal. */
void AppendNumber(char* out, unsigned* n, unsigned value);

/* How a picture or a text was left: back to the menu, or on to the entry after or before it
 * in its level of the menu. */
enum { LEAVE_BACK = 0, LEAVE_NEXT = 1, LEAVE_PREVIOUS = -1 };

/* Whether the level of the menu the shown entry lies in holds another entry after it (`step`
 * 1) or before it (-1); headings are no neighbours. */
int HasNeighbour(int step);

/* The sign that there is nothing further that way: a black strip at that edge of the box
 * shown (the screen, or a smaller picture's frame), for half a second. */
void SignNothingFurther(int step, unsigned left, unsigned top, unsigned right, unsigned bottom);

/* Where a text opens: at its kept place (from the menu), at its first page (coming from the
 * entry before it) or at its last (coming back from the entry after it). */
enum { TEXT_AT_KEPT, TEXT_AT_FIRST, TEXT_AT_LAST };

/* The screens: each runs until B takes the handheld back to the menu, or a move passes its
 * first or last page or picture; they return how they were left. */
int ViewPicture(const struct lb_record* r);
int ViewText(const struct lb_record* r, unsigned entry, int start);
/* The menu at its kept category and cursor; with `readLast`, the entry read last is opened
 * first, at its kept place, when there is one. */
void RunMenu(int readLast);

/* A text's contents: its `count` chapter headings (where each starts in its data, 32-bit
 * words from `headings`), the one holding `reading` marked, moved through as a menu. Returns
 * where the heading chosen with A starts, or NO_CHAPTER for B or START. */
#define NO_CHAPTER 0xFFFFFFFFu
uint32_t ChooseChapter(const uint8_t* text, uint32_t length, uint32_t headings, unsigned count,
                       uint32_t reading, const uint8_t* back, const uint8_t* backColours,
                       uint8_t ink, uint8_t paper);

#endif
