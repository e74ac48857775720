/* What the viewer's screens share: the ROM they show, the keys, a message screen. */
#ifndef LB_SCREENS_H
#define LB_SCREENS_H

#include "rom_view.h"
#include "saved_places.h"

#include <stdint.h>

#define TEXT_MARGIN 4

extern struct lb_rom_view view;
extern struct lb_save places; /* where the reader left off */

/* Keys that went down since the last call; `held` gets the keys now down. */
uint16_t NewKeys(uint16_t* held);

/* A short message on a plain screen until a key is pressed. */
void ShowMessage(const char* text);

/* Appends `value` in decimal. */
void AppendNumber(char* out, unsigned* n, unsigned value);

/* The screens: each runs until B (or START for a picture) takes the handheld back. */
void ViewPicture(const struct lb_record* r);
void ViewText(const struct lb_record* r, unsigned entry);
void RunMenu(void);

#endif
