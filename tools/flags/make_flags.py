#!/usr/bin/env python3
"""Writes the language flags shown in the language menu and list: 16 x 16 pixels, 24-bit BMP,
white (FFFFFF) as the transparent colour. The flag fills rows 2 to 13; the rows above and below
are white so that the flag sits centred on a transparent square. White inside a flag is drawn
as F4F4F4, which stays visible.

usage: make_flags.py <output folder>
"""
import os
import struct
import sys

SIZE = 16
TOP, BOTTOM = 2, 14  # flag rows, from the top, end exclusive
CLEAR = (0xFF, 0xFF, 0xFF)
WHITE = (0xF4, 0xF4, 0xF4)


def germany(x, y):
    band = (y - TOP) // 4
    return [(0x00, 0x00, 0x00), (0xDD, 0x00, 0x00), (0xFF, 0xCE, 0x00)][band]


def united_states(x, y):
    row = y - TOP
    if x < 7 and row < 6:
        # Canton with a pattern of small stars.
        return WHITE if (x % 2 == 1 and row % 2 == 1) else (0x3C, 0x3B, 0x6E)
    return (0xB2, 0x22, 0x34) if row % 2 == 0 else WHITE


def vertical_tricolour(left, right):
    # Three upright bands of 5, 6 and 5 columns; the middle one white.
    def painter(x, y):
        return left if x < 5 else WHITE if x < 11 else right
    return painter


def horizontal_bands(*colours):
    # Equal bands over the flag rows, from the top.
    def painter(x, y):
        return colours[(y - TOP) * len(colours) // (BOTTOM - TOP)]
    return painter


def spain(x, y):
    row = y - TOP
    if row < 3 or row >= 9:
        return (0xAA, 0x15, 0x1B)
    if 3 <= x <= 5 and 4 <= row <= 7:
        # The coat of arms, reduced to a small shield left of centre.
        return (0xAA, 0x15, 0x1B) if row < 6 else (0x8C, 0x6B, 0x2F)
    return (0xF1, 0xBF, 0x00)


def brazil(x, y):
    # Yellow rhombus on green with the blue globe in the middle.
    dx, dy = x - 7.5, y - (TOP + BOTTOM - 1) / 2
    if dx * dx + dy * dy <= 2.9 * 2.9:
        return (0x00, 0x27, 0x76)
    if abs(dx) / 7.0 + abs(dy) / 5.0 <= 1.0:
        return (0xFF, 0xDF, 0x00)
    return (0x00, 0x9C, 0x3B)


FLAGS = {
    "de-de": germany,
    "en-us": united_states,
    "fr-fr": vertical_tricolour((0x00, 0x23, 0x95), (0xED, 0x29, 0x39)),
    "es-es": spain,
    "it-it": vertical_tricolour((0x00, 0x92, 0x46), (0xCE, 0x2B, 0x37)),
    "nl-nl": horizontal_bands((0xAE, 0x1C, 0x28), WHITE, (0x21, 0x46, 0x8B)),
    "pl-pl": horizontal_bands(WHITE, (0xDC, 0x14, 0x3C)),
    "pt-br": brazil,
}


def bmp(painter):
    row_bytes = SIZE * 3  # already a multiple of four
    pixels = bytearray()
    for y in reversed(range(SIZE)):  # BMP rows run bottom-up
        for x in range(SIZE):
            r, g, b = painter(x, y) if TOP <= y < BOTTOM else CLEAR
            pixels += bytes((b, g, r))
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, row_bytes * SIZE, 2835, 2835,
                       0, 0)
    return file_header + info + bytes(pixels)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for tag, painter in FLAGS.items():
        with open(os.path.join(out, tag + ".bmp"), "wb") as f:
            f.write(bmp(painter))


if __name__ == "__main__":
    main()
