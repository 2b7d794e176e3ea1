#!/usr/bin/env python3
"""Writes the two pictures of the subtractive synthesis window under resources/.

  bitmaps/Pinceau.bmp  a 140 x 43 paint brush on white whose paint is exactly yellow
                       (255, 255, 0): the window replaces that colour with the ink.
  metafiles/Trace.wmf  the ink blot: a placeable metafile holding one black polygon of
                       80 vertices, which the window recolours.

Run once: python3 tools/make_synthesis_art.py. The outputs are committed; the build never
runs this script. Standard library only.
"""

import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

WHITE = (255, 255, 255)
PAINT = (255, 255, 0)
OUTLINE = (40, 40, 40)
WOOD = (156, 84, 36)
WOOD_LIGHT = (196, 122, 62)
METAL = (168, 172, 184)
METAL_DARK = (104, 108, 120)


def write_bmp(path, width, height, pixel):
    """24-bit bottom-up BMP; pixel(x, y) gives (r, g, b) with y downwards."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def brush_pixel(x, y):
    """The brush lies along the strip, handle left, loaded tip right (y = 21 is its axis)."""
    dy = abs(y - 21)
    # Handle: a long tapered stick, rounded at its left end.
    if 3 <= x < 72:
        half = 3 + (x - 3) * 2 // 69  # 3 at the end, 5 at the ferrule
        if x < 7:
            half = min(half, x - 3 + 1)
        if dy < half:
            return WOOD_LIGHT if y < 21 - half // 2 else WOOD
        if dy == half:
            return OUTLINE
    # Ferrule: a metal sleeve crimped twice.
    if 72 <= x < 94:
        half = 9
        if dy < half:
            return METAL_DARK if x in (78, 79, 86, 87) else METAL
        if dy == half:
            return OUTLINE
    # Bristles: wide at the ferrule, swelling a little, then drawn to a point.
    if 94 <= x < 138:
        t = (x - 94) / 43.0
        half = int(10 + 3 * t - 13 * t ** 3) if t < 1 else 0
        if half > 0 and dy < half:
            return PAINT
        if half >= 0 and dy == half:
            return OUTLINE
    return WHITE


def placeable_wmf(path, bbox, inch, records):
    """A placeable metafile: 22-byte header with its checksum, then the plain one."""
    body = b"".join(records) + struct.pack("<IH", 3, 0)  # end record
    max_words = max(len(r) // 2 for r in records)
    objects = 2
    words = len(body) // 2 + 9
    plain = struct.pack("<HHHIHIH", 1, 9, 0x0300, words, objects, max_words, 0) + body
    left, top, right, bottom = bbox
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
    checksum = 0
    for (w,) in struct.iter_unpack("<H", head):
        checksum ^= w
    with open(path, "wb") as f:
        f.write(head + struct.pack("<H", checksum) + plain)


def record(function, *words):
    return struct.pack("<IH", 3 + len(words), function) + struct.pack(
        "<%dh" % len(words), *words)


BLOT = [(8, 3585), (76, 3130), (707, 348), (775, 226), (937, 117), (1093, 77), (1216, 131),
        (1345, 240), (1412, 457), (1555, 233), (1704, 151), (1881, 165), (2003, 253),
        (2091, 396), (2111, 1061), (2362, 287), (2478, 111), (2634, 8), (2790, 15),
        (2925, 93), (3024, 221), (3166, 114), (3365, 50), (3464, 79), (3599, 199),
        (3670, 405), (3670, 660), (3811, 469), (3982, 384), (4123, 391), (4251, 469),
        (4365, 604), (4386, 873), (4528, 674), (4677, 596), (4840, 596), (5045, 760),
        (5102, 866), (5102, 1036), (4577, 3866), (4521, 3979), (4393, 4072), (4209, 4114),
        (4010, 4029), (3882, 3852), (3818, 3299), (3670, 3987), (3556, 4114), (3450, 4157),
        (3265, 4164), (3138, 4100), (3060, 4015), (3003, 3887), (2975, 3653), (2904, 3866),
        (2719, 3972), (2556, 3979), (2414, 3923), (2301, 3781), (2258, 3625), (2251, 3221),
        (2060, 3816), (1975, 3901), (1854, 3958), (1684, 3958), (1563, 3909), (1478, 3823),
        (1400, 3575), (1343, 3724), (1265, 3809), (1145, 3859), (967, 3859), (755, 3724),
        (712, 3639), (677, 3753), (584, 3838), (457, 3880), (315, 3880), (180, 3838),
        (81, 3745)]


def main():
    write_bmp(os.path.join(ROOT, "resources", "bitmaps", "Pinceau.bmp"), 140, 43, brush_pixel)

    assert len(BLOT) == 80
    points = [c for p in BLOT for c in p]
    records = [
        record(0x020B, 0, 0),  # SetWindowOrg (y, x)
        record(0x020C, 4172, 5110),  # SetWindowExt (height, width)
        record(0x02FA, 5, 0, 0, 0, 0),  # CreatePenIndirect: null style
        record(0x012D, 0),  # SelectObject pen
        record(0x02FC, 0, 0, 0, 0),  # CreateBrushIndirect: solid black
        record(0x012D, 1),  # SelectObject brush
        record(0x0104, 13),  # SetROP2 copy-pen
        record(0x0106, 1),  # SetPolyFillMode alternate
        record(0x0324, len(BLOT), *points),  # Polygon
    ]
    placeable_wmf(os.path.join(ROOT, "resources", "metafiles", "Trace.wmf"),
                  (-2555, -2086, 2555, 2086), 1024, records)


if __name__ == "__main__":
    main()
