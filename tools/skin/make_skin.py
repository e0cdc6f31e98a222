#!/usr/bin/env python3
"""Draws the default skin: data/skins/default/ (skin.ini and its pictures) and the two shared
pictures data/skins/back.png and data/skins/ToolTips.bmp.

Shapes are drawn from signed distance functions with one coverage sample per pixel, which gives
clean anti-aliased edges at 100 % scale; text comes from ImageMagick as a grey coverage mask.
Colours are defined once below and used both in the pictures and in skin.ini, so the two cannot
drift apart. The output is the same byte for byte on every run.

usage: make_skin.py [--out SKINS_FOLDER] [--sheet CONTACT_SHEET.png]
"""
import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

# Wine's Tahoma bold carries the regular outlines, so the few texts use DejaVu Sans Bold.
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Palette (red, green, blue).
HEADER = (0x1F, 0x5E, 0x6E)  # header band, logo background
GLYPH = (0xD8, 0xE8, 0xEC)  # caption button glyphs on the band
WHITE = (0xFF, 0xFF, 0xFF)
CLOSE_RED = (0xD6, 0x3B, 0x3B)
INK = (0x1E, 0x2B, 0x31)  # dark text
TEAL = (0x1F, 0x6F, 0x82)  # action buttons, selected tile
TEAL_HOVER = (0x1A, 0x5B, 0x6B)
SHARE_GREEN = (0x4F, 0xC0, 0x5A)  # the share bars of the result grid
CHART_LIGHT = (0xE6, 0xF1, 0xF3)
CHART_MID = (0x8F, 0xBF, 0xCA)
PANEL = (0xF3, 0xF5, 0xF6)
INFOBAR = (0xEA, 0xF1, 0xF2)
LINE = (0xD3, 0xDB, 0xDE)
TIP_TOP = (0x22, 0x5A, 0x69)
TIP_BOTTOM = (0x18, 0x43, 0x4F)


# skin.ini, section by section. Plain colours are $RRGGBB. The tile captions go to GDI+ as
# ARGB after the reader reverses the three colour bytes, so their texts read $AABBGGRR.
def rgb_text(c):
    return "$%02X%02X%02X" % c


def argb_text(a, c):
    return "$%02X%02X%02X%02X" % (a, c[2], c[1], c[0])


SKIN_INI = [
    ("SkinInfo", [
        ("DisplayName", "Orvella"),
        ("Display1", "Deep teal header, light panels and green share bars."),
        ("Display2", "The default skin; calm colours, crisp at 100 % scale."),
    ]),
    ("Header", [("Color", rgb_text(HEADER))]),
    ("Infobar", [("Color", rgb_text(INFOBAR))]),
    ("Navi_Options", [
        ("Font_Normal", argb_text(0xFF, INK)),
        ("Font_Normal_Shadow", argb_text(0x90, WHITE)),
        ("Font_Down", argb_text(0xFF, WHITE)),
        ("Font_Down_Shadow", argb_text(0x50, (0x00, 0x00, 0x00))),
    ]),
    ("PellButtons", [
        ("FontColor", rgb_text(INK)),
        ("BorderColor_Normal", rgb_text(HEADER)),
        ("BorderColor_Hover", rgb_text((0x2A, 0x86, 0x9B))),
        ("BorderColor_Disabled", rgb_text((0xB4, 0xBE, 0xC2))),
    ]),
    ("PellButtons2", [
        ("BorderColor", rgb_text((0xC3, 0xCD, 0xD1))),
        ("BorderColor_Hover", rgb_text(HEADER)),
        ("BorderColor_Disabled", rgb_text((0xDC, 0xE2, 0xE4))),
        ("FontColor_NormalEnabled", rgb_text(INK)),
        ("FontColor_NormalDisabled", rgb_text((0x8A, 0x96, 0x9B))),
        ("FontColor_ActionButton", rgb_text(WHITE)),
        ("FaceColor_Normal", rgb_text(WHITE)),
        ("FaceColor_Normal_Hover", rgb_text((0xE4, 0xEF, 0xF1))),
        ("FaceColor_Disabled", rgb_text((0xF4, 0xF6, 0xF7))),
        ("FaceColor_ActionButton", rgb_text(TEAL)),
        ("FaceColor_ActionButton_Hover", rgb_text(TEAL_HOVER)),
    ]),
]


# ---------------------------------------------------------------------------------------------
# Distance functions: negative inside, in pixels. Pixel (x, y) is sampled at its centre.

def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r

    return d


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy

    def d(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2

    return d


def ellipse(cx, cy, a, b):
    def d(x, y):
        px, py = (x - cx) / a, (y - cy) / b
        k0 = math.hypot(px, py)
        k1 = math.hypot(px / a, py / b)
        return -min(a, b) if k1 == 0 else k0 * (k0 - 1.0) / k1

    return d


def polygon(points):
    n = len(points)

    def d(x, y):
        best = float("inf")
        sign = 1.0
        j = n - 1
        for i in range(n):
            (xi, yi), (xj, yj) = points[i], points[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(wx - ex * t, wy - ey * t))
            c1, c2, c3 = y >= yi, y < yj, ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * best

    return d


def stroke(f, width):
    return lambda x, y: abs(f(x, y)) - width / 2


def union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def cut(f, g):
    return lambda x, y: max(f(x, y), -g(x, y))


def rotated(f, cx, cy, angle):
    c, s = math.cos(-angle), math.sin(-angle)
    return lambda x, y: f(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c)


# ---------------------------------------------------------------------------------------------
# Canvas: straight (not premultiplied) colour, 0..255 per channel, alpha 0..1.

class Canvas:
    def __init__(self, w, h, colour=None):
        self.w, self.h = w, h
        c = (0.0, 0.0, 0.0, 0.0) if colour is None else tuple(float(v) for v in colour) + (1.0,)
        self.px = [list(c) for _ in range(w * h)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        da = p[3]
        oa = alpha + da * (1.0 - alpha)
        if oa <= 0.0:
            return
        k = da * (1.0 - alpha)
        for i in range(3):
            p[i] = (colour[i] * alpha + p[i] * k) / oa
        p[3] = oa

    def fill(self, f, colour, alpha=1.0, area=None):
        x0, y0, x1, y1 = area or (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                cover = 0.5 - f(x + 0.5, y + 0.5)
                if cover > 0.0:
                    self.blend(x, y, colour, alpha * min(1.0, cover))

    def paint(self, fn, area=None):
        """fn(x, y) gives (r, g, b, alpha) to blend over each pixel of the area."""
        x0, y0, x1, y1 = area or (0, 0, self.w, self.h)
        for y in range(max(0, y0), min(self.h, y1)):
            for x in range(max(0, x0), min(self.w, x1)):
                r, g, b, a = fn(x, y)
                self.blend(x, y, (r, g, b), a)

    def rect(self, x0, y0, x1, y1, colour, alpha=1.0):
        self.paint(lambda x, y: colour + (alpha,), (x0, y0, x1, y1))

    def text(self, mask, x, y, colour, alpha=1.0):
        w, h, data = mask
        for j in range(h):
            for i in range(w):
                m = data[j * w + i]
                if m:
                    self.blend(x + i, y + j, colour, alpha * m / 255.0)

    def bytes_rgba(self):
        out = bytearray()
        for r, g, b, a in self.px:
            out += bytes((q(r), q(g), q(b), q(a * 255.0)))
        return bytes(out)


def q(v):
    return max(0, min(255, int(math.floor(v + 0.5))))


def mix(c1, c2, t):
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


# ---------------------------------------------------------------------------------------------
# Text masks from ImageMagick.

def imagemagick():
    for name in ("convert-im6.q16", "convert"):
        path = shutil.which(name)
        if path:
            return path
    sys.exit("make_skin: ImageMagick (convert) is missing; apt-get install imagemagick")


def text_mask(text, font, size):
    """Coverage of the text, trimmed to its ink: (width, height, bytes)."""
    if not os.path.exists(font):
        sys.exit("make_skin: font %s is missing; apt-get install fonts-dejavu-core" % font)
    pgm = subprocess.run(
        [imagemagick(), "-background", "black", "-fill", "white", "-font", font, "-density", "72",
         "-pointsize", str(size), "label:" + text, "-depth", "8", "pgm:-"],
        check=True, stdout=subprocess.PIPE).stdout
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maxval
        while pgm[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not pgm[end:end + 1].isspace():
            end += 1
        fields.append(pgm[pos:end])
        pos = end
    w, h = int(fields[1]), int(fields[2])
    data = pgm[pos + 1:pos + 1 + w * h]
    rows = [j for j in range(h) if any(data[j * w:(j + 1) * w])]
    cols = [i for i in range(w) if any(data[j * w + i] for j in range(h))]
    x0, x1, y0, y1 = cols[0], cols[-1] + 1, rows[0], rows[-1] + 1
    trimmed = bytes(data[j * w + i] for j in range(y0, y1) for i in range(x0, x1))
    return (x1 - x0, y1 - y0, trimmed)


# ---------------------------------------------------------------------------------------------
# File writers.

def png_bytes(canvas):
    raw = canvas.bytes_rgba()
    stride = canvas.w * 4
    rows = b"".join(b"\x00" + raw[y * stride:(y + 1) * stride] for y in range(canvas.h))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def bmp_bytes(canvas):
    """24-bit, bottom-up; the canvas must be opaque (a bitmap has no alpha here)."""
    raw = canvas.bytes_rgba()
    pad = (4 - canvas.w * 3 % 4) % 4
    body = bytearray()
    for y in reversed(range(canvas.h)):
        for x in range(canvas.w):
            r, g, b, a = raw[(y * canvas.w + x) * 4:(y * canvas.w + x) * 4 + 4]
            assert a == 255, "bitmap pixel (%d, %d) is not opaque" % (x, y)
            body += bytes((b, g, r))
        body += b"\x00" * pad
    header = struct.pack("<IiiHHIIiiII", 40, canvas.w, canvas.h, 1, 24, 0, len(body), 2835, 2835,
                         0, 0)
    offset = 14 + len(header)
    return b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + header + bytes(body)


def ini_bytes():
    lines = ["; Colours: $RRGGBB reads red, green, blue; [Navi_Options] takes $AABBGGRR (alpha, blue, green, red)."]
    for section, keys in SKIN_INI:
        lines.append("")
        lines.append("[%s]" % section)
        lines += ["%s=%s" % kv for kv in keys]
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


# ---------------------------------------------------------------------------------------------
# Pictures.

BUTTON = 32
C = BUTTON / 2  # glyph centre


def glyph_close(cv, colour):
    f = union(segment(11, 11, 21, 21, 1.7), segment(21, 11, 11, 21, 1.7))
    cv.fill(f, colour)


def glyph_minimize(cv, colour):
    cv.fill(box(10, 20, 22, 21.8), colour)


def glyph_maximize(cv, colour):
    cv.fill(stroke(box(10.8, 10.8, 21.2, 21.2, 1.0), 1.6), colour)


def glyph_unmax(cv, colour):
    back = stroke(box(13.3, 9.3, 22.7, 18.7, 1.0), 1.5)
    front = box(9.3, 13.3, 18.7, 22.7, 1.0)
    cv.fill(cut(back, box(8.5, 12.5, 19.5, 23.5)), colour)
    cv.fill(stroke(front, 1.5), colour)


def glyph_help(cv, colour):
    cv.fill(stroke(circle(C, C, 8.6), 1.5), colour)
    mask = text_mask("?", FONT_BOLD, 14)
    cv.text(mask, int(C - mask[0] / 2 + 0.5), int(C - mask[1] / 2 + 0.5), colour)


def glyph_settings(cv, colour):
    teeth = [rotated(box(C - 1.9, C - 9.6, C + 1.9, C - 6.0, 0.8), C, C, k * math.pi / 4)
             for k in range(8)]
    gear = union(circle(C, C, 7.0), *teeth)
    cv.fill(cut(gear, circle(C, C, 3.0)), colour)


def glyph_internet(cv, colour):
    r = 8.6
    inside = circle(C, C, r - 0.3)
    lines = union(ellipse(C, C, 3.8, r), box(C - r, C - 0.1, C + r, C + 0.1))
    cv.fill(stroke(circle(C, C, r), 1.5), colour)
    cv.fill(lambda x, y: max(stroke(lines, 1.3)(x, y), inside(x, y)), colour)
    for yy in (C - 4.6, C + 4.6):
        cv.fill(lambda x, y, yy=yy: max(abs(y - yy) - 0.6, inside(x, y)), colour, 0.9)


def glyph_feedback(cv, colour):
    bubble = union(box(8.5, 9.5, 23.5, 20.5, 3.0), polygon([(11.5, 19.0), (16.0, 19.0),
                                                            (11.0, 24.5)]))
    cv.fill(stroke(bubble, 1.5), colour)
    for dx in (-4, 0, 4):
        cv.fill(circle(C + dx, 15.0, 1.25), colour)


def caption_button(glyph, hover, close=False):
    cv = Canvas(BUTTON, BUTTON)
    if hover:
        face = box(1, 1, BUTTON - 1, BUTTON - 1, 5.0)
        if close:
            cv.fill(face, CLOSE_RED)
        else:
            cv.fill(face, WHITE, 0.2)
    glyph(cv, WHITE if hover else GLYPH)
    return cv


def donut(cv, cx, cy, r_out, r_in, slices, ss=4):
    """A ring chart: slices are (share, colour) clockwise from twelve o'clock, separated by a
    thin gap in the background's colour so that neighbouring slices stay apart."""
    ring = cut(circle(cx, cy, r_out), circle(cx, cy, r_in))
    starts, acc = [], 0.0
    for share, _ in slices:
        starts.append(acc)
        acc += share
    x0, y0 = int(cx - r_out - 1), int(cy - r_out - 1)
    x1, y1 = int(cx + r_out + 2), int(cy + r_out + 2)
    for y in range(y0, y1):
        for x in range(x0, x1):
            cover = 0.5 - ring(x + 0.5, y + 0.5)
            if cover <= 0:
                continue
            counts = [0] * len(slices)
            for j in range(ss):
                for i in range(ss):
                    sx, sy = x + (i + 0.5) / ss - cx, y + (j + 0.5) / ss - cy
                    t = (math.atan2(sx, -sy) / (2 * math.pi)) % 1.0
                    k = max(n for n in range(len(slices)) if starts[n] <= t)
                    counts[k] += 1
            for k, (_, colour) in enumerate(slices):
                if counts[k]:
                    cv.blend(x, y, colour, min(1.0, cover) * counts[k] / (ss * ss))


LOGO_W, LOGO_H = 229, 58


def head_logo():
    cv = Canvas(LOGO_W, LOGO_H, HEADER)
    cx, cy = 31.5, 29.0
    donut(cv, cx, cy, 15.5, 7.5, [(0.62, SHARE_GREEN), (0.24, CHART_LIGHT), (0.14, CHART_MID)])
    # Thin gaps between the slices, in the band's colour, from the centre out.
    for t in (0.0, 0.62, 0.86):
        a = t * 2 * math.pi
        cv.fill(segment(cx + 7 * math.sin(a), cy - 7 * math.cos(a), cx + 16.5 * math.sin(a),
                        cy - 16.5 * math.cos(a), 1.2), HEADER)
    mask = text_mask("Orvella", FONT_BOLD, 25)
    cv.text(mask, 57, int(cy - mask[1] / 2 + 0.5), WHITE)
    return cv


def back_glyph():
    cv = Canvas(20, 20)
    f = union(segment(4.5, 10, 15.5, 10, 2.0), segment(4.5, 10, 9.5, 5, 2.0),
              segment(4.5, 10, 9.5, 15, 2.0))
    cv.fill(f, HEADER)
    return cv


def size_grip():
    cv = Canvas(24, 24)
    # Six dots in a triangle towards the corner, each with a light edge below it.
    for row in range(3):
        for col in range(3 - row):
            x = 20.0 - 4.5 * col
            y = 20.0 - 4.5 * row
            cv.fill(circle(x + 0.6, y + 0.6, 1.3), WHITE, 0.9)
            cv.fill(circle(x, y, 1.3), (0x8C, 0x99, 0x9E))
    return cv


def preview():
    w, h = 128, 84
    cv = Canvas(w, h, WHITE)
    cv.rect(0, 0, w, 14, HEADER)
    donut(cv, 8.0, 7.0, 4.5, 2.0, [(0.62, SHARE_GREEN), (0.38, CHART_LIGHT)])
    mask = text_mask("Orvella", FONT_BOLD, 8)
    cv.text(mask, 15, int(7 - mask[1] / 2 + 0.5), WHITE)
    for k in range(4):
        cv.fill(circle(w - 7.5 - 7 * k, 7.0, 1.6), CLOSE_RED if k == 0 else GLYPH)
    cv.rect(0, 14, w, 24, PANEL)
    for k, bw in enumerate((18, 18, 24)):
        x0 = 4 + sum((18, 18, 24)[:k]) + 3 * k
        cv.fill(box(x0, 16.5, x0 + bw, 22.5, 2.0), TEAL if k == 2 else WHITE)
        cv.fill(stroke(box(x0, 16.5, x0 + bw, 22.5, 2.0), 0.8), TEAL if k == 2 else LINE)
    cv.rect(0, 24, w, 25, LINE)
    cv.rect(0, 25, 28, 66, PANEL)
    cv.rect(28, 25, 29, 66, LINE)
    shares = (0.92, 0.64, 0.41, 0.30, 0.18, 0.09, 0.05)
    for k, share in enumerate(shares):
        y = 28 + 5 * k
        if k % 2 == 1:
            cv.rect(29, y - 1, w, y + 4, (0xF5, 0xF8, 0xF9))
        cv.rect(33, y + 1, 33 + 26 - 4 * (k % 3), y + 2, (0xA9, 0xB4, 0xB8))
        cv.rect(68, y, 68 + int(share * 52 + 0.5), y + 3, SHARE_GREEN)
        cv.rect(3, y + 1, 3 + 20 - 3 * (k % 4), y + 2, (0xA9, 0xB4, 0xB8))
    cv.rect(0, 66, w, 67, LINE)
    cv.rect(0, 67, w, 76, INFOBAR)
    cv.rect(4, 70, 34, 72, (0x9A, 0xA6, 0xAA))
    cv.rect(0, 76, w, h, PANEL)
    cv.fill(box(w - 30, 77.5, w - 4, 82.5, 2.0), TEAL)
    cv.fill(stroke(box(0, 0, w, h), 0.5), (0x6F, 0x7E, 0x84))
    return cv


def asker_background():
    w, h = 460, 180
    cv = Canvas(w, h, WHITE)
    cv.rect(0, 0, 80, 132, (0xEE, 0xF5, 0xF6))
    cv.rect(80, 0, 81, 132, (0xDD, 0xE8, 0xEA))
    cv.rect(0, 0, w, 3, HEADER)
    cv.rect(0, 132, w, 133, LINE)
    cv.paint(lambda x, y: mix(PANEL, (0xEA, 0xEE, 0xF0), (y - 133) / 46.0) + (1.0,),
             (0, 133, w, h))
    return cv


def tooltip_background():
    w, h = 360, 130
    cv = Canvas(w, h, TIP_TOP)
    cv.paint(lambda x, y: mix(TIP_TOP, TIP_BOTTOM, y / (h - 1.0)) + (1.0,))
    cv.rect(0, 0, 32, h, (0x00, 0x00, 0x00), 0.14)
    cv.rect(32, 0, 33, h, (0xFF, 0xFF, 0xFF), 0.10)
    cv.rect(36, 33, w - 8, 34, (0xFF, 0xFF, 0xFF), 0.28)
    cv.rect(0, 0, w, 2, SHARE_GREEN)
    frame = (0x0F, 0x30, 0x39)
    cv.rect(0, h - 1, w, h, frame)
    cv.rect(0, 2, 1, h, frame)
    cv.rect(w - 1, 2, w, h, frame)
    return cv


NAVI_W, NAVI_H = 200, 520
TILE_W, TILE_H = 181, 40


def navi_background():
    cv = Canvas(NAVI_W, NAVI_H, PANEL)
    top, bottom = (0xF6, 0xF9, 0xFA), (0xE6, 0xEE, 0xF0)
    cv.paint(lambda x, y: mix(top, bottom, y / (NAVI_H - 1.0)) + (1.0,))
    cv.rect(NAVI_W - 1, 0, NAVI_W, NAVI_H, (0xC9, 0xD3, 0xD6))
    return cv


def tile_overlay_active():
    cv = Canvas(TILE_W, TILE_H)
    face = box(1, 1, TILE_W - 1, TILE_H - 1, 5.0)
    cv.fill(face, TEAL)
    cv.fill(segment(6, 1.5, TILE_W - 6, 1.5, 1.0), WHITE, 0.16)
    return cv


def tile_overlay_hover():
    cv = Canvas(TILE_W, TILE_H)
    face = box(1, 1, TILE_W - 1, TILE_H - 1, 5.0)
    cv.fill(face, TEAL, 0.12)
    cv.fill(stroke(box(1.5, 1.5, TILE_W - 1.5, TILE_H - 1.5, 4.5), 1.0), TEAL, 0.45)
    return cv


GLYPHS = [
    ("close", glyph_close, "but_close.png", "but_close_hover.png"),
    ("maximize", glyph_maximize, "but_maximize.png", "but_maximize_hover.png"),
    ("unmax", glyph_unmax, "but_unmax_normal.png", "but_unmax_hover.png"),
    ("minimize", glyph_minimize, "but_minimize.png", "but_minimize_hover.png"),
    ("help", glyph_help, "but_help_normal.png", "but_help_hover.png"),
    ("settings", glyph_settings, "but_settings_normal.png", "but_settings_hover.png"),
    ("internet", glyph_internet, "but_internet_normal.png", "but_internet_hover.png"),
    ("feedback", glyph_feedback, "but_feedback_normal.png", "but_feedback_hover.png"),
]


def build():
    """Every output file: path relative to the skins folder, bytes."""
    files = {"default/skin.ini": ini_bytes()}
    for name, glyph, normal, hover in GLYPHS:
        files["default/" + normal] = png_bytes(caption_button(glyph, False))
        files["default/" + hover] = png_bytes(caption_button(glyph, True, name == "close"))
    files["default/head_logo.bmp"] = bmp_bytes(head_logo())
    files["default/grip.png"] = png_bytes(size_grip())
    files["default/preview_small.png"] = png_bytes(preview())
    files["default/Background_Asker.bmp"] = bmp_bytes(asker_background())
    files["default/navi_options.bmp"] = bmp_bytes(navi_background())
    files["default/menu_options_active.png"] = png_bytes(tile_overlay_active())
    files["default/menu_options_hover.png"] = png_bytes(tile_overlay_hover())
    files["back.png"] = png_bytes(back_glyph())
    files["ToolTips.bmp"] = bmp_bytes(tooltip_background())
    return files


def contact_sheet(folder, names, sheet):
    """Every picture unscaled on a mid grey, named, small ones in a row of their own (montage
    lays out mixed sizes badly)."""
    small = [n for n in names if n.endswith(".png") and ("/but_" in n or "grip" in n or
                                                         "back" in n)]
    large = [n for n in names if n not in small]
    parts = []
    for k, group in enumerate((small, large)):
        part = "%s.%d.png" % (sheet, k)
        subprocess.run(["montage", "-background", "#7A868C", "-fill", "white", "-font",
                        "DejaVu-Sans", "-pointsize", "10", "-label", "%t",
                        *[os.path.join(folder, n) for n in group], "-tile",
                        "6x" if k == 0 else "3x", "-geometry",
                        "+50+6" if k == 0 else "+10+6", part], check=True)
        parts.append(part)
    subprocess.run([imagemagick(), *parts, "-background", "#7A868C", "-append", sheet],
                   check=True)
    for part in parts:
        os.remove(part)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=os.path.join(ROOT, "data", "skins"),
                    help="skins folder to write into (default: data/skins of the tree)")
    ap.add_argument("--sheet", help="also write a contact sheet of every picture")
    args = ap.parse_args()
    files = build()
    for rel, data in files.items():
        path = os.path.join(args.out, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    print("make_skin: %d files in %s" % (len(files), args.out))
    if args.sheet:
        contact_sheet(args.out, sorted(n for n in files if not n.endswith(".ini")), args.sheet)

if __name__ == "__main__":
    main()
