@ Start-up: the cartridge header, the base image's description, then the entry point that
@ sets the stacks and wait states, copies .data and the IWRAM code, clears .bss and calls main.
    .section .crt0, "ax"
    .arm
    .global _start
_start:
    b       reset
    .space  0xBC            @ logo, title, codes and checks: written by the image tool

@ The image tool fills these in for each font (see base_info.h).
    .global lb_base_info
lb_base_info:
    .ascii  "LBBI"
    .word   0               @ skin region offset S
    .word   0               @ glyph table offset in the image
    .word   0               @ glyph table size in bytes
    .word   0               @ font number 0..3
    .word   0, 0, 0         @ reserved

@ Emulators and flash cartridges look for this to give the cartridge 32 KiB of battery-backed
@ SRAM, where the viewer keeps the reader's places.
    .balign 4
    .ascii  "SRAM_V113"
    .balign 4

reset:
    mov     r0, #0x12       @ IRQ mode
    msr     cpsr_c, r0
    ldr     sp, =0x03007FA0
    mov     r0, #0x1F       @ system mode
    msr     cpsr_c, r0
    ldr     sp, =0x03007F00

    ldr     r0, =0x04000204 @ faster cartridge reads
    ldr     r1, =0x4317
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
    mov     r0, #0x04000000
    add     r0, r0, #0x200  @ interrupt enable; the request flags follow at +2
    ldrh    r1, [r0, #2]
    strh    r1, [r0, #2]
    ldr     r2, =0x03007FF8
    ldrh    r3, [r2]
    orr     r3, r3, r1
    strh    r3, [r2]
    bx      lr

@ Halts in the BIOS until the next vertical blank interrupt (VBlankIntrWait).
    .global lb_wait_vblank
    .type lb_wait_vblank, %function
lb_wait_vblank:
    swi     0x050000
    bx      lr
    .pool
