#!/usr/bin/env python3
"""Joins cells of raw 8-bit RGBA (64 x 64 each) side by side into one RGBA PNG.

ImageMagick's default resource policy refuses pictures as wide as the stripe, so the cells are
rendered one by one and joined here with the standard library only.

    assemble.py OUT.png CELL.rgba...
"""
import struct
import sys
import zlib

SIZE = 64


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filtered(row, prev):
    """The row under each of the five PNG filters; the one with the smallest sum wins."""
    n = len(row)
    left = bytes(4) + row[:-4]
    upleft = bytes(4) + prev[:-4]
    candidates = [
        bytes([0]) + row,
        bytes([1]) + bytes((row[i] - left[i]) & 0xFF for i in range(n)),
        bytes([2]) + bytes((row[i] - prev[i]) & 0xFF for i in range(n)),
        bytes([3]) + bytes((row[i] - ((left[i] + prev[i]) >> 1)) & 0xFF for i in range(n)),
        bytes([4]) + bytes((row[i] - paeth(left[i], prev[i], upleft[i])) & 0xFF for i in range(n)),
    ]
    return min(candidates, key=lambda f: sum(v if v < 128 else 256 - v for v in f[1:]))


def main(argv):
    if len(argv) < 3:
        sys.exit("usage: assemble.py OUT.png CELL.rgba...")
    cells = []
    for name in argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        if len(data) != SIZE * SIZE * 4:
            sys.exit(f"assemble.py: {name} is not {SIZE} x {SIZE} RGBA")
        cells.append(data)
    width = SIZE * len(cells)
    stride = SIZE * 4
    raw = bytearray()
    prev = bytes(width * 4)
    for y in range(SIZE):
        row = b"".join(c[y * stride:(y + 1) * stride] for c in cells)
        raw += filtered(row, prev)
        prev = row
    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(argv[1], "wb") as f:
        f.write(png)


if __name__ == "__main__":
    main(sys.argv)
