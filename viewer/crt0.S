@ Start-up: the cartridge header, the base image's description, then the entry point that
@ sets the stacks and wait states, copies .data and the IWRAM code, clears .bss and calls main.
#include "hardware.h"

    .section .crt0, "ax"
    .arm
    .global _start
_start:
    b       reset
    .space  0xBC            @ logo, title, codes and checks: written by the image tool

@ struct lb_base_info (format/BaseInfo.h), 32 bytes: the image tool fills it in for each font.
    .global lb_base_info
lb_base_info:
    .ascii  "LBBI"
    .word   0               @ skin region offset
    .word   0               @ single-byte glyph table's offset in the image
    .word   0               @ single-byte glyph table's size in bytes
    .word   0               @ font number, a row of the font table
    .word   0               @ double-byte glyph table's offset, 0 when there is none
    .word   0               @ half width, height, glyph set, line height: a byte each
    .word   0               @ coverage table's offset, 0 when there is none
    .word   0               @ the viewer's choices (LB_VIEWER_CHOICES_OFFSET): the builder's

@ Emulators and flash cartridges look for this to give the cartridge 32 KiB of battery-backed
@ SRAM, where the viewer keeps the reader's places.
    .balign 4
    .ascii  "SRAM_V113"
    .balign 4

reset:
    mov     r0, #0x12       @ IRQ mode
    msr     cpsr_c, r0
    ldr     sp, =IWRAM_IRQ_STACK_TOP
    mov     r0, #0x1F       @ system mode
    msr     cpsr_c, r0
    ldr     sp, =IWRAM_STACK_TOP

    ldr     r0, =ADDR_WAITCNT
    ldr     r1, =WAITCNT_FAST
    strh    r1, [r0]

    ldr     r0, =__data_load
    ldr     r1, =__data_start
    ldr     r2, =__data_end
1:  cmp     r1, r2
    ldrlo   r3, [r0], #4
    strlo   r3, [r1], #4
    blo     1b

    ldr     r1, =__bss_start
    ldr     r2, =__bss_end
    mov     r3, #0
2:  cmp     r1, r2
    strlo   r3, [r1], #4
    blo     2b

    ldr     r0, =main
    mov     lr, pc
    bx      r0
3:  b       3b

@ The interrupt handler the BIOS calls, in ARM state: acknowledges the interrupts both in the
@ controller and in the BIOS's own flags, which VBlankIntrWait waits on.
    .global lb_irq_handler
    .type lb_irq_handler, %function
lb_irq_handler:
    mov     r0, #(ADDR_IE & 0xFF000000)
    add     r0, r0, #(ADDR_IE & 0x00FFFFFF)
    ldrh    r1, [r0, #2]    @ the request flags: writing a flag back clears it
    strh    r1, [r0, #2]
    ldr     r2, =ADDR_BIOS_IRQ_FLAGS
    ldrh    r3, [r2]
    orr     r3, r3, r1
    strh    r3, [r2]
    ldr     r2, =lb_frames  @ the only interrupt is the vertical blank: one a frame
    ldr     r3, [r2]
    add     r3, r3, #1
    str     r3, [r2]
    @ The keys gone down since the last blank are kept until the viewer takes them, so that
    @ a press while a screen is drawn is never lost.
    ldr     r2, =REG_KEYINPUT_ADDR
    ldrh    r3, [r2]
    mvn     r3, r3          @ 1: down
    ldr     r2, =0x3FF
    and     r3, r3, r2
    ldr     r2, =lb_keys_down
    ldrh    r1, [r2]        @ down at the last blank
    strh    r3, [r2]
    bic     r1, r3, r1      @ down now, not then
    ldr     r2, =lb_keys_pressed
    ldrh    r0, [r2]
    orr     r0, r0, r1
    strh    r0, [r2]
    bx      lr

@ Halts in the BIOS until the next vertical blank interrupt (VBlankIntrWait).
    .global lb_wait_vblank
    .type lb_wait_vblank, %function
lb_wait_vblank:
    swi     SWI_VBLANK_INTR_WAIT
    bx      lr
    .pool
