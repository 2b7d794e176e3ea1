#!/usr/bin/env python3
"""Draws the small logo "LogoG" of the image windows and writes resources/bitmaps/LogoG.bmp.

Run once from anywhere: python3 tools/make_logo.py. The output is committed; the build
never runs this script. Standard library only.

The picture is 109 x 50, 16 colours (a 4-bit BMP with its own palette): three light discs
red, green and blue mixed as lights (yellow, cyan, magenta and white where they meet)
beside the word "Kaleno" in letters of the rainbow. Hard edges only: the background is
the olive key (128, 128, 0) of pixel (0, 0), which the window replaces by the button
face, and a blended edge pixel would keep an olive fringe.
"""

import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUTPUT = os.path.join(ROOT, "resources", "bitmaps", "LogoG.bmp")

WIDTH, HEIGHT = 109, 50

PALETTE = [
    (128, 128, 0),  # 0 key: replaced by the button face
    (0, 0, 0),
    (255, 255, 255),
    (255, 0, 0),
    (0, 255, 0),
    (0, 0, 255),
    (255, 255, 0),
    (0, 255, 255),
    (255, 0, 255),
    (64, 64, 64),
    (255, 128, 0),
    (0, 160, 0),
    (0, 0, 160),
    (160, 0, 160),
    (128, 128, 128),
    (192, 192, 192),
]
KEY, BLACK, WHITE, RED, GREEN, BLUE = 0, 1, 2, 3, 4, 5
SHADOW = 9
ORANGE, DARK_GREEN, NAVY, PURPLE = 10, 11, 12, 13

# Glyphs on a 4 x 7 grid, drawn twice their size.
GLYPHS = {
    "K": ["X..X", "X.X.", "XX..", "XX..", "X.X.", "X..X", "X..X"],
    "a": ["....", "....", ".XX.", "...X", ".XXX", "X..X", ".XXX"],
    "l": ["XX..", ".X..", ".X..", ".X..", ".X..", ".X..", ".XX."],
    "e": ["....", "....", ".XX.", "X..X", "XXXX", "X...", ".XXX"],
    "n": ["....", "....", "XXX.", "X..X", "X..X", "X..X", "X..X"],
    "o": ["....", "....", ".XX.", "X..X", "X..X", "X..X", ".XX."],
}
WORD = "Kaleno"
LETTER_COLOURS = [RED, ORANGE, DARK_GREEN, BLUE, NAVY, PURPLE]
SCALE = 2
GAP = 2
WORD_LEFT = 48
WORD_TOP = 18

# The three discs, lights added as in the additive synthesis window.
DISCS = [((15, 17), 12, 4), ((32, 17), 12, 2), ((23.5, 32), 12, 1)]  # centre, radius, bit
MIXED = {0: KEY, 4: RED, 2: GREEN, 1: BLUE, 6: 6, 3: 7, 5: 8, 7: WHITE}


def draw():
    px = [[KEY] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            light = 0
            for (cx, cy), r, bit in DISCS:
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    light |= bit
            px[y][x] = MIXED[light]
    left = WORD_LEFT
    for letter, colour in zip(WORD, LETTER_COLOURS):
        rows = GLYPHS[letter]
        for layer, dx, shade in ((0, 1, SHADOW), (1, 0, colour)):
            for gy, row in enumerate(rows):
                for gx, cell in enumerate(row):
                    if cell != "X":
                        continue
                    for sy in range(SCALE):
                        for sx in range(SCALE):
                            x = left + gx * SCALE + sx + dx
                            y = WORD_TOP + gy * SCALE + sy + dx
                            if layer == 0 and px[y][x] != KEY:
                                continue
                            px[y][x] = shade
        left += 4 * SCALE + GAP
    if left - GAP + 1 > WIDTH:
        raise SystemExit("the word does not fit")
    return px


def write_bmp(path, px):
    """4-bit bottom-up BMP with a 16-entry palette, rows padded to 4 bytes."""
    stride = ((WIDTH + 1) // 2 + 3) & ~3
    rows = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = bytearray()
        for x in range(0, WIDTH, 2):
            high = px[y][x]
            low = px[y][x + 1] if x + 1 < WIDTH else 0
            row.append((high << 4) | low)
        row += b"\0" * (stride - len(row))
        rows += row
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(rows), 2835, 2835, 16, 16)
    with open(path, "wb") as f:
        f.write(header + info + palette + rows)


def main():
    px = draw()
    if px[0][0] != KEY:
        raise SystemExit("pixel (0, 0) must hold the key colour")
    write_bmp(OUTPUT, px)
    print(f"wrote {OUTPUT}")


if __name__ == "__main__":
    main()
