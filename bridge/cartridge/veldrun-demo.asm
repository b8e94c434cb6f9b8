; Veldrun demo cartridge: a 32 KB MSX ROM that shows its title and the
; generation of the machine it runs on, found through the BIOS.
; Assemble with: pasmo --bin veldrun-demo.asm veldrun-demo.rom

; BIOS entry points and system variables
CHGMOD  equ 005Fh       ; change screen mode to A
CHPUT   equ 00A2h       ; print the character in A
POSIT   equ 00C6h       ; move the cursor to column H, row L (from 1)
MSXVER  equ 002Dh       ; 0 MSX1, 1 MSX2, 2 MSX2+, 3 MSX turbo R
LINL40  equ 0F3AEh      ; width of screen 0
FORCLR  equ 0F3E9h      ; foreground colour
BAKCLR  equ 0F3EAh      ; background colour
BDRCLR  equ 0F3EBh      ; border colour
CHGCLR  equ 0062h       ; apply the three colours above

        org 4000h

; Cartridge header: the BIOS looks for "AB" and calls INIT
        db "AB"
        dw init
        dw 0                    ; no BASIC statement handler
        dw 0                    ; no device handler
        dw 0                    ; no BASIC program
        ds 6, 0                 ; reserved

init:
        ld a, 40
        ld (LINL40), a
        ld a, 15                ; white letters
        ld (FORCLR), a
        ld a, 4                 ; on dark blue
        ld (BAKCLR), a
        ld (BDRCLR), a
        call CHGCLR
        xor a                   ; screen 0, 40 columns of text
        call CHGMOD

        ld hl, 0A03h            ; column 10, row 3
        ld de, title
        call print_at
        ld hl, 0A04h
        ld de, rule
        call print_at

        ld hl, 0407h            ; column 4, row 7
        ld de, found
        call print_at
        ld a, (MSXVER)
        cp 4
        jr c, known
        ld a, 4                 ; anything newer is shown as unknown
known:
        add a, a                ; index the table of name addresses
        ld e, a
        ld d, 0
        ld hl, names
        add hl, de
        ld e, (hl)
        inc hl
        ld d, (hl)
        call print
        ld a, '.'
        call CHPUT

        ld hl, 0410h            ; column 4, row 16
        ld de, footer
        call print_at

idle:   ei                      ; nothing more to do: wait for ever
        halt
        jr idle

; Prints the zero-ended text at DE from column H, row L.
print_at:
        call POSIT
; Prints the zero-ended text at DE from the cursor.
print:
        ld a, (de)
        or a
        ret z
        call CHPUT
        inc de
        jr print

title:  db "VELDRUN DEMO CARTRIDGE", 0
rule:   db "======================", 0
found:  db "This computer is an ", 0
footer: db "Started from the Veldrun front-end", 0

names:  dw msx1, msx2, msx2p, turbor, unknown
msx1:   db "MSX1", 0
msx2:   db "MSX2", 0
msx2p:  db "MSX2+", 0
turbor: db "MSX turbo R", 0
unknown: db "MSX of an unknown kind", 0

; Pad to 32 KB (4000h-BFFFh) with the erased-ROM value
        ds 0C000h - $, 0FFh
