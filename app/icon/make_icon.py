#!/usr/bin/env python3
"""Draws Veskora's icon, a toothed timing pulley with its belt, and writes
veskora.ico with the eight images the program needs: 16, 24, 32, 48, 64, 72,
96 and 128 pixels square, 32 bits each (the small ones as bitmaps, the large
ones as PNG).

Uses the Python standard library only. To regenerate the committed icon, run
from the repository's root:

    python3 app/icon/make_icon.py app/icon/veskora.ico

The output depends only on this file (and zlib's level-9 deflate).
"""

import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 72, 96, 128)
PNG_FROM = 64  # sizes from here on are stored as PNG
SUPERSAMPLING = 4  # samples per pixel along each axis

# Geometry in units of the image's side, origin at the top-left corner.
CENTRE_X, CENTRE_Y = 0.38, 0.50
TOOTH_TIP = 0.275
TOOTH_ROOT = 0.235
TEETH = 16
HUB = 0.115
BORE = 0.048
KEYWAY_HALF_WIDTH = 0.018
BELT_INNER = 0.285
BELT_OUTER = 0.36
BELT_END = 0.97
OUTLINE = 0.022

BELT = (38, 54, 69)
BELT_RIB = (70, 92, 112)
PULLEY_LIGHT = (250, 190, 80)
PULLEY_DARK = (200, 120, 30)
PULLEY_EDGE = (150, 85, 20)
HUB_COLOUR = (150, 92, 24)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def belt_colour(x, y):
    """The belt wraps the left half of the pulley and leaves to the right."""
    dx, dy = x - CENTRE_X, y - CENTRE_Y
    r = math.hypot(dx, dy)
    if dx <= 0:
        if BELT_INNER <= r <= BELT_OUTER:
            depth = (r - BELT_INNER) / (BELT_OUTER - BELT_INNER)
            return BELT_RIB if depth < 0.28 else BELT
        return None
    if x > BELT_END:
        return None
    distance = abs(dy)
    if BELT_INNER <= distance <= BELT_OUTER:
        depth = (distance - BELT_INNER) / (BELT_OUTER - BELT_INNER)
        return BELT_RIB if depth < 0.28 else BELT
    return None


def pulley_colour(x, y):
    dx, dy = x - CENTRE_X, y - CENTRE_Y
    r = math.hypot(dx, dy)
    if r <= BORE:
        return None  # the bore is a hole
    if abs(dx) <= KEYWAY_HALF_WIDTH and dy < 0 and r <= BORE + 0.03:
        return None  # the keyway above the bore
    turn = (math.atan2(dy, dx) / (2 * math.pi)) % 1.0
    edge = TOOTH_TIP if (turn * TEETH) % 1.0 < 0.5 else TOOTH_ROOT
    if r > edge:
        return None
    if r > TOOTH_ROOT - OUTLINE:
        return PULLEY_EDGE  # the teeth and the rim they stand on
    if r <= HUB:
        return HUB_COLOUR if r > BORE + 0.012 else PULLEY_EDGE
    # Lit from the top left.
    light = 0.5 + 0.5 * ((-dx - dy) / (math.sqrt(2) * TOOTH_TIP))
    return mix(PULLEY_DARK, PULLEY_LIGHT, max(0.0, min(1.0, light)))


def sample(x, y):
    colour = pulley_colour(x, y)
    if colour is None:
        colour = belt_colour(x, y)
    return colour


def render(size):
    """Rows of straight RGBA bytes, top row first."""
    rows = []
    n = SUPERSAMPLING
    for py in range(size):
        row = bytearray()
        for px in range(size):
            red = green = blue = 0.0
            covered = 0
            for sy in range(n):
                for sx in range(n):
                    colour = sample((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if colour is not None:
                        red += colour[0]
                        green += colour[1]
                        blue += colour[2]
                        covered += 1
            if covered == 0:
                row += bytes(4)
            else:
                row += bytes((round(red / covered), round(green / covered),
                              round(blue / covered), round(255 * covered / (n * n))))
        rows.append(bytes(row))
    return rows


def png_image(size, rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def bitmap_image(size, rows):
    """A 32-bit DIB, bottom row first, with its AND mask after it."""
    mask_stride = ((size + 31) // 32) * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for px in range(size):
            r, g, b, a = row[4 * px:4 * px + 4]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def icon_file(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b""
    data = b""
    for size, image in images:
        side = 0 if size >= 256 else size
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    return header + directory + data


def main(argv):
    if len(argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    images = []
    for size in SIZES:
        rows = render(size)
        image = png_image(size, rows) if size >= PNG_FROM else bitmap_image(size, rows)
        images.append((size, image))
    with open(argv[1], "wb") as out:
        out.write(icon_file(images))


if __name__ == "__main__":
    main(sys.argv)
