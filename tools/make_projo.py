#!/usr/bin/env python3
"""Draws the projector picture "Projo" and writes resources/bitmaps/Projo.bmp.

Run once from anywhere: python3 tools/make_projo.py. The output is committed; the build
never runs this script. Standard library only.

The picture is 57 x 57 on a yellow (255, 255, 0) surround, which the sprite treats as
transparent. The projector points up; its beam is drawn in pure blue (0, 0, 255), the
colour the sprite replaces by the light's colour: exactly 112 such pixels, no other pixel
of that colour, and no edge blending (a blended pixel would neither be key nor beam).
"""

import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUTPUT = os.path.join(ROOT, "resources", "bitmaps", "Projo.bmp")

SIZE = 57
CENTRE = SIZE // 2
YELLOW = (255, 255, 0)
BEAM = (0, 0, 255)
BODY = (72, 72, 80)
BODY_LIGHT = (136, 136, 148)
LENS = (180, 180, 190)
LENS_DARK = (40, 40, 48)
BEAM_PIXELS = 112

# Widths of the beam rows, from its far end down to the lens: a fan widening away from
# the projector. Odd widths keep it symmetric about the centre column.
BEAM_WIDTHS = (15, 15, 13, 11, 11, 9, 9, 7, 7, 5, 5, 5)
BEAM_TOP = 7


def rect(px, x0, y0, x1, y1, colour):
    """Fills x0..x1, y0..y1 inclusive."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            px[y][x] = colour


def draw():
    px = [[YELLOW] * SIZE for _ in range(SIZE)]
    for row, width in enumerate(BEAM_WIDTHS):
        half = width // 2
        rect(px, CENTRE - half, BEAM_TOP + row, CENTRE + half, BEAM_TOP + row, BEAM)
    lens_top = BEAM_TOP + len(BEAM_WIDTHS)
    # Lens barrel, then the body with a lighter rim, then two feet.
    rect(px, CENTRE - 5, lens_top, CENTRE + 5, lens_top + 5, LENS_DARK)
    rect(px, CENTRE - 4, lens_top + 1, CENTRE + 4, lens_top + 4, LENS)
    body_top = lens_top + 6
    rect(px, CENTRE - 10, body_top, CENTRE + 10, 48, BODY_LIGHT)
    rect(px, CENTRE - 9, body_top + 1, CENTRE + 9, 47, BODY)
    rect(px, CENTRE - 5, body_top + 4, CENTRE + 5, body_top + 8, BODY_LIGHT)
    rect(px, CENTRE - 9, 49, CENTRE - 6, 52, LENS_DARK)
    rect(px, CENTRE + 6, 49, CENTRE + 9, 52, LENS_DARK)
    return px


def write_bmp(path, px):
    """24-bit bottom-up BMP, rows padded to 4 bytes."""
    stride = (SIZE * 3 + 3) & ~3
    rows = bytearray()
    for y in range(SIZE - 1, -1, -1):
        row = bytearray()
        for r, g, b in px[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows += row
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(rows), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + rows)


def main():
    px = draw()
    count = sum(row.count(BEAM) for row in px)
    if count != BEAM_PIXELS:
        raise SystemExit(f"beam has {count} pixels, not {BEAM_PIXELS}")
    os.makedirs(os.path.dirname(OUTPUT), exist_ok=True)
    write_bmp(OUTPUT, px)


if __name__ == "__main__":
    main()
