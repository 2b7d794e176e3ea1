#!/usr/bin/env python3
"""Writes the three 9 x 9 handle squares of the thick-lens bench under resources/bitmaps/.

Run once from anywhere: python3 tools/make_handles.py. The outputs are committed; the
build never runs this script. Standard library only.

A handle is a one-pixel square outline with a dot in its centre. The window ORs the mask
onto the drawing, then ANDs a colour image, so that:
  CarreNB  the mask: white on the outline and the centre, black elsewhere (OR: the drawing
           shows through the black, the handle's pixels turn white);
  CarreR   red (255, 0, 0) outline and centre on white (AND: white keeps the drawing);
  CarreM   the same in dark red (128, 0, 0), the other phase of the blinking.
"""

import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")

SIZE = 9
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
RED = (255, 0, 0)
DARK_RED = (128, 0, 0)


def on_handle(x, y):
    """The outline and the centre pixel."""
    edge = x in (0, SIZE - 1) or y in (0, SIZE - 1)
    centre = x == SIZE // 2 and y == SIZE // 2
    return edge or centre


def picture(handle_colour, background):
    return [[handle_colour if on_handle(x, y) else background for x in range(SIZE)]
            for y in range(SIZE)]


def write_bmp(path, rows):
    """A 24-bit bottom-up Windows bitmap, each row padded to 4 bytes."""
    height = len(rows)
    width = len(rows[0])
    pad = (4 - (width * 3) % 4) % 4
    data = bytearray()
    for row in reversed(rows):
        for (r, g, b) in row:
            data += bytes((b, g, r))
        data += b"\0" * pad
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as out:
        out.write(header + info + bytes(data))


def main():
    os.makedirs(BITMAPS, exist_ok=True)
    write_bmp(os.path.join(BITMAPS, "CarreNB.bmp"), picture(WHITE, BLACK))
    write_bmp(os.path.join(BITMAPS, "CarreR.bmp"), picture(RED, WHITE))
    write_bmp(os.path.join(BITMAPS, "CarreM.bmp"), picture(DARK_RED, WHITE))


if __name__ == "__main__":
    main()
