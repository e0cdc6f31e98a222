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


FLAGS = {"de-de": germany, "en-us": united_states}


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
