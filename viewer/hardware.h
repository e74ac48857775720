/* The only file that names the handheld's registers and fixed addresses; the start-up code
 * (crt0.S) reads the addresses below through the preprocessor too. */
#ifndef LB_HARDWARE_H
#define LB_HARDWARE_H

/* Addresses as plain numbers, for the assembler and C alike. */
#define ADDR_IE 0x04000200       /* interrupt enable; the request flags (IF) follow at +2 */
#define ADDR_WAITCNT 0x04000204  /* cartridge wait states */
#define WAITCNT_FAST 0x4317      /* the common faster cartridge reads */
#define ADDR_BIOS_IRQ_FLAGS 0x03007FF8 /* the BIOS's copy of the acknowledged interrupts */
#define ADDR_BIOS_IRQ_HANDLER 0x03007FFC
#define IWRAM_IRQ_STACK_TOP 0x03007FA0 /* the BIOS keeps the top 96 bytes of IWRAM */
#define IWRAM_STACK_TOP 0x03007F00     /* the system-mode stack, below the interrupt stack */
#define SWI_VBLANK_INTR_WAIT 0x050000  /* the BIOS's VBlankIntrWait, as an ARM swi number */
#define REG_KEYINPUT_ADDR 0x04000130   /* the keys, a bit each, 0 while down */

#ifndef __ASSEMBLER__

#include <stdint.h>

#define REG_DISPCNT (*(volatile uint16_t*)0x04000000)
#define REG_DISPSTAT (*(volatile uint16_t*)0x04000004)
#define REG_IE (*(volatile uint16_t*)ADDR_IE)
#define REG_IME (*(volatile uint16_t*)0x04000208)
#define BIOS_IRQ_HANDLER (*(void (*volatile*)(void))ADDR_BIOS_IRQ_HANDLER)
#define REG_VCOUNT (*(volatile uint16_t*)0x04000006)
#define REG_KEYINPUT (*(volatile uint16_t*)REG_KEYINPUT_ADDR)

#define DISPCNT_MODE3 0x0003u
#define DISPCNT_MODE4 0x0004u
#define DISPCNT_PAGE1 0x0010u
#define DISPCNT_BG2 0x0400u
#define DISPCNT_WIN0 0x2000u
#define DISPCNT_OBJ 0x1000u    /* sprites shown */
#define DISPCNT_OBJ_1D 0x0040u /* sprite tiles laid one after another */

#define VRAM ((volatile uint16_t*)0x06000000)
#define REG_DMA3SAD (*(volatile const void**)0x040000D4)
#define REG_DMA3DAD (*(volatile void**)0x040000D8)
#define REG_DMA3CNT (*(volatile uint32_t*)0x040000DC)
#define DMA_ENABLE_WORDS 0x84000000u
#define REG_WIN0H (*(volatile uint16_t*)0x04000040)
#define REG_WIN0V (*(volatile uint16_t*)0x04000044)
#define REG_WININ (*(volatile uint16_t*)0x04000048)
#define REG_WINOUT (*(volatile uint16_t*)0x0400004A)
#define REG_BLDCNT (*(volatile uint16_t*)0x04000050)
#define REG_BLDY (*(volatile uint16_t*)0x04000054)
#define PALETTE ((volatile uint16_t*)0x05000000)
#define OBJ_PALETTE ((volatile uint16_t*)0x05000200)
#define OBJ_TILES ((volatile uint32_t*)0x06014000) /* tile 512 on: past both bitmap pages */
#define OAM ((volatile uint16_t*)0x07000000)
#define OAM_HIDDEN 0x0200u

#define KEY_A 0x0001u
#define KEY_B 0x0002u
#define KEY_SELECT 0x0004u
#define KEY_START 0x0008u
#define KEY_RIGHT 0x0010u
#define KEY_LEFT 0x0020u
#define KEY_UP 0x0040u
#define KEY_DOWN 0x0080u
#define KEY_R 0x0100u
#define KEY_L 0x0200u

#define CART_ROM ((const uint8_t*)0x08000000)
#define CART_SRAM ((volatile uint8_t*)0x0E000000) /* battery-backed, 8-bit accesses only */
#define CART_MAX_BYTES 0x02000000u

#define IWRAM_CODE __attribute__((section(".iwram"), long_call, target("arm"), noinline))
#define EWRAM_DATA __attribute__((section(".ewram")))

#define DISPSTAT_VBLANK_IRQ 0x0008u
#define IRQ_VBLANK 0x0001u

void lb_irq_handler(void); /* crt0.S, both */
void lb_wait_vblank(void);
extern volatile uint32_t lb_frames; /* vertical blanks since start, counted by lb_irq_handler */
extern volatile uint16_t lb_keys_down;    /* the keys down at the last blank (lb_irq_handler) */
extern volatile uint16_t lb_keys_pressed; /* gone down at a blank since last taken */

/* The vertical blank raises an interrupt, so that the processor can halt until it comes. */
static inline void StartVBlankInterrupt(void) {
    BIOS_IRQ_HANDLER = lb_irq_handler;
    REG_DISPSTAT |= DISPSTAT_VBLANK_IRQ;
    REG_IE |= IRQ_VBLANK;
    REG_IME = 1;
}

/* Everything outside the rectangle shows black: window 0 holds it, and outside the window
 * the brightness is taken down all the way. Returns the display control bit to set. */
static inline uint16_t FrameInBlack(unsigned left, unsigned top, unsigned right, unsigned bottom) {
    REG_WIN0H = (uint16_t)(left << 8 | right);
    REG_WIN0V = (uint16_t)(top << 8 | bottom);
    REG_WININ = 0x0004u;  /* inside: the bitmap layer, no effect */
    REG_WINOUT = 0x0024u; /* outside: the bitmap layer, darkened */
    REG_BLDCNT = 0x00E4u; /* brightness down, on the bitmap layer and the backdrop */
    REG_BLDY = 16u;
    return DISPCNT_WIN0;
}

static inline void NoFrame(void) { REG_BLDCNT = 0; }

/* Small arrows at the middle of the screen's edges where more of a large picture lies, as
 * sprites, which touch neither the picture's pixels nor its colours: `which` has bit 0 for
 * the right edge, 1 the left, 2 the bottom, 3 the top. 0 takes them away. */
static inline void EdgeArrows(unsigned which) {
    /* 8x8 tiles of 4 bits a pixel (colour 1 white, 2 black): a triangle pointing each way. */
    static const uint32_t kArrows[4][8] = {
        {0x00000021u, 0x00002111u, 0x00211111u, 0x21111111u, 0x21111111u, 0x00211111u, 0x00002111u, 0x00000021u},
        {0x12000000u, 0x11120000u, 0x11111200u, 0x11111112u, 0x11111112u, 0x11111200u, 0x11120000u, 0x12000000u},
        {0x00000000u, 0x00000000u, 0x22222222u, 0x21111112u, 0x02111120u, 0x00211200u, 0x00022000u, 0x00000000u},
        {0x00000000u, 0x00022000u, 0x00211200u, 0x02111120u, 0x21111112u, 0x22222222u, 0x00000000u, 0x00000000u},
    };
    static const uint16_t kPlace[4][2] = {{232, 76}, {0, 76}, {116, 152}, {116, 0}}; /* x, y */
    if (!which) {
        REG_DISPCNT = (uint16_t)(REG_DISPCNT & ~DISPCNT_OBJ);
        return;
    }
    for (unsigned k = 0; k < 128; ++k) OAM[4 * k] = OAM_HIDDEN;
    for (unsigned k = 0; k < 4; ++k) {
        for (unsigned w = 0; w < 8; ++w) OBJ_TILES[8 * k + w] = kArrows[k][w];
        if (!(which & (1u << k))) continue;
        OAM[4 * k] = kPlace[k][1];                   /* y; 4-bit colours, square */
        OAM[4 * k + 1] = kPlace[k][0];               /* x; 8 x 8 */
        OAM[4 * k + 2] = (uint16_t)(512u + k);       /* tile; palette 0, in front */
    }
    OBJ_PALETTE[1] = 0x7FFF;
    OBJ_PALETTE[2] = 0x0000;
    REG_WININ = (uint16_t)(REG_WININ | 0x0010u); /* inside a picture's frame too */
    REG_DISPCNT = (uint16_t)(REG_DISPCNT | DISPCNT_OBJ | DISPCNT_OBJ_1D);
}

/* The sign that there is nothing further that way: a black strip at that edge of what shows
 * (the screen, or a smaller picture's frame), over it for `on`, gone again after. */
static inline void EdgeSign(int right, unsigned left, unsigned top, unsigned end, unsigned bottom, int on) {
    enum { STRIP = 8 };
    if (on) {
        if (right)
            end = end > left + STRIP ? end - STRIP : left;
        else
            left = left + STRIP < end ? left + STRIP : end;
    }
    REG_DISPCNT = (uint16_t)(REG_DISPCNT | FrameInBlack(left, top, end, bottom));
}

/* Copies `words` 32-bit words with DMA 3; the processor waits until it is done. */
static inline void CopyWords(volatile void* to, const void* from, unsigned words) {
    REG_DMA3SAD = from;
    REG_DMA3DAD = (void*)to;
    REG_DMA3CNT = DMA_ENABLE_WORDS | words;
}

/* Whether the frame still has time for more work: the beam is in the blank or above the
 * screen's last rows. */
static inline int FrameTimeLeft(void) { return REG_VCOUNT >= 160 || REG_VCOUNT < 128; }

/* Whether a screen being finished has time for a little more work (counting a page, some
 * 25 lines at most) before it is shown: a screen finished on the last rows is shown at the
 * blank, one finished early in the blank is shown at once (Present). */
static inline int RoomBeforeFlip(void) {
    const unsigned line = REG_VCOUNT;
    return line < 150u || (line >= 160u && line < 185u);
}

/* Whether the beam is in the vertical blank with at least `lines` of it to go. */
static inline int InVBlankWithTimeFor(unsigned lines) {
    const unsigned line = REG_VCOUNT;
    return line >= 160u && line + lines < 228u;
}

/* Halts in the BIOS until the next vertical blank begins. */
static inline void WaitForVBlank(void) { lb_wait_vblank(); }

/* The keys gone down at the blanks since the last call, taken with interrupts held off. */
static inline uint16_t TakePressedKeys(void) {
    REG_IME = 0;
    const uint16_t pressed = lb_keys_pressed;
    lb_keys_pressed = 0;
    REG_IME = 1;
    return pressed;
}

/* Black, from a vertical blank (this one when there is time left in it), until the next
 * screen shows: what is drawn for a mode 4 screen lands in the memory a mode 3 picture shows
 * from, and would show half drawn. */
static inline void BlackOut(void) {
    if (!InVBlankWithTimeFor(1)) WaitForVBlank();
    REG_DISPCNT = (uint16_t)(REG_DISPCNT | FrameInBlack(0, 0, 0, 0));
}

#endif /* __ASSEMBLER__ */
#endif
