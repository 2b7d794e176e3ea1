#!/usr/bin/env python3
"""Draws the launcher and shell pictures of Kaleno and writes them under resources/.

Run once from anywhere: python3 tools/make_bitmaps.py. The outputs are committed; the
build never runs this script. Standard library only: the pictures are drawn from signed
distances (one sample per pixel, the distance gives the edge coverage), the BMP and PNG
files are written by hand.

Key colours the program relies on:
  PuceR/G/B   olive (128, 128, 0) background, replaced by the button face;
  Tips        pure red (255, 0, 0) background, replaced by the note colour;
  Motif(F), Logo, MiniLogo, Lens
              the colour of pixel (0, 0), replaced by the button face (or, for Lens,
              used as the splash's lower background);
  LogoXL, SplashNova
              black background: the splash adds them onto LogoBlue, so black is
              "no light" and soft edges stay soft.
Edges are blended towards the colour the key will most likely become, never towards
the key itself, so that no fringe of olive or red survives the replacement.
"""

import math
import os
import random
import struct
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
BITMAPS = os.path.join(ROOT, "resources", "bitmaps")
CURSORS = os.path.join(ROOT, "resources", "cursors")

# The button face of the usual light themes: edges of keyed pictures blend towards it.
FACE = (240, 240, 240)
NOTE = (255, 255, 235)
OLIVE = (128, 128, 0)
PURE_RED = (255, 0, 0)


# --------------------------------------------------------------------------- pictures


class Picture:
    """An RGB picture of floats, with optional alpha (cursors)."""

    def __init__(self, width, height, colour=(0, 0, 0), alpha=None):
        self.w = width
        self.h = height
        self.px = [[list(map(float, colour)) for _ in range(width)] for _ in range(height)]
        self.alpha = None if alpha is None else [[float(alpha)] * width for _ in range(height)]

    def set(self, x, y, colour):
        self.px[y][x] = list(map(float, colour))

    def blend(self, x, y, colour, cover):
        """Paints colour over pixel (x, y) with the given coverage (0..1)."""
        if cover <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        cover = min(cover, 1.0)
        p = self.px[y][x]
        for i in range(3):
            p[i] += (colour[i] - p[i]) * cover
        if self.alpha is not None:
            a = self.alpha[y][x]
            self.alpha[y][x] = a + (1.0 - a) * cover

    def add(self, x, y, colour, amount=1.0):
        """Adds light: each channel grows by colour * amount, saturating at 255."""
        if amount <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y][x]
        for i in range(3):
            p[i] = min(255.0, p[i] + colour[i] * amount)

    def paint(self, coverage, colour, box=None, mode="blend"):
        """coverage(x, y) at pixel centres; colour is a tuple or a function of (x, y)."""
        x0, y0, x1, y1 = box if box else (0, 0, self.w, self.h)
        x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
        x1, y1 = min(self.w, int(math.ceil(x1))), min(self.h, int(math.ceil(y1)))
        for y in range(y0, y1):
            for x in range(x0, x1):
                c = coverage(x + 0.5, y + 0.5)
                if c <= 0.0:
                    continue
                col = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                if mode == "add":
                    self.add(x, y, col, c)
                else:
                    self.blend(x, y, col, c)

    def bytes_rgb(self):
        return [[tuple(clamp_byte(v) for v in p) for p in row] for row in self.px]


def clamp_byte(v):
    return max(0, min(255, int(round(v))))


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def edge(distance):
    """Coverage of a pixel whose centre lies `distance` inside (> 0) an edge."""
    return clamp01(distance + 0.5)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(colour, k):
    return tuple(c * k for c in colour)


def hsv(h, s, v):
    h = (h % 1.0) * 6.0
    i = int(h)
    f = h - i
    p, q, t = v * (1 - s), v * (1 - s * f), v * (1 - s * (1 - f))
    r, g, b = [(v, t, p), (q, v, p), (p, v, t), (p, q, v), (t, p, v), (v, p, q)][i % 6]
    return (r * 255, g * 255, b * 255)


def spectrum(t, s=1.0, v=1.0):
    """Red (t = 0) through yellow, green, blue to violet (t = 1)."""
    return hsv(0.78 * clamp01(t), s, v)


# ------------------------------------------------------------------- signed distances


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else clamp01(((px - ax) * dx + (py - ay) * dy) / ll)
    ex, ey = px - ax - t * dx, py - ay - t * dy
    return math.sqrt(ex * ex + ey * ey)


def stroke_cover(segments, width):
    """Coverage of round-capped strokes along segments [(ax, ay, bx, by), ...]."""
    half = width / 2.0
    boxed = [
        (ax, ay, bx, by, min(ax, bx), max(ax, bx), min(ay, by), max(ay, by))
        for ax, ay, bx, by in segments
    ]

    def cover(x, y):
        best = 1e9
        for s in boxed:
            if s[4] - half - 1 <= x <= s[5] + half + 1 and s[6] - half - 1 <= y <= s[7] + half + 1:
                d = seg_dist(x, y, s[0], s[1], s[2], s[3])
                if d < best:
                    best = d
        return edge(half - best)

    return cover


def polyline(points):
    return [(points[i][0], points[i][1], points[i + 1][0], points[i + 1][1])
            for i in range(len(points) - 1)]


def arc_points(cx, cy, r, a0, a1, steps=None):
    """Points of a circular arc, angles in degrees, counter-clockwise on screen when a1 > a0
    (screen y grows downwards, so angle 90 is straight up)."""
    if steps is None:
        steps = max(6, int(abs(a1 - a0) / 6))
    pts = []
    for i in range(steps + 1):
        a = math.radians(a0 + (a1 - a0) * i / steps)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    return pts


def disc_cover(cx, cy, r):
    return lambda x, y: edge(r - math.hypot(x - cx, y - cy))


def ring_cover(cx, cy, r, width):
    return lambda x, y: edge(width / 2 - abs(math.hypot(x - cx, y - cy) - r))


def polygon_dist(x, y, pts):
    """Signed distance to a polygon, positive inside."""
    inside = False
    best = 1e9
    n = len(pts)
    for i in range(n):
        ax, ay = pts[i]
        bx, by = pts[(i + 1) % n]
        if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            inside = not inside
        best = min(best, seg_dist(x, y, ax, ay, bx, by))
    return best if inside else -best


def polygon_cover(pts):
    return lambda x, y: edge(polygon_dist(x, y, pts))


def round_rect_dist(x, y, x0, y0, x1, y1, r):
    """Signed distance to a rounded rectangle, positive inside."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
    outside = math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0)
    return r - outside


def round_rect_cover(x0, y0, x1, y1, r):
    return lambda x, y: edge(round_rect_dist(x, y, x0, y0, x1, y1, r))


# ------------------------------------------------------------------------ the word


# Glyphs of a rounded geometric face, in units of the x-height, y up from the baseline.
# Each glyph: advance width and strokes (point lists).
ASCENT = 1.42


def glyph_strokes(ch):
    if ch == "K":
        return 0.86, [[(0, 0), (0, ASCENT)], [(0.82, ASCENT), (0.04, 0.52)],
                      [(0.33, 0.84), (0.88, 0)]]
    if ch == "a":
        ring = [(0.5 + 0.5 * math.cos(math.radians(a)), 0.5 + 0.5 * math.sin(math.radians(a)))
                for a in range(0, 361, 6)]
        return 1.0, [ring, [(1.0, 0), (1.0, 1.0)]]
    if ch == "l":
        return 0.0, [[(0, 0), (0, ASCENT)]]
    if ch == "e":
        ring = [(0.5 + 0.5 * math.cos(math.radians(a)), 0.5 + 0.5 * math.sin(math.radians(a)))
                for a in range(0, 321, 6)]
        return 1.0, [ring, [(0, 0.5), (1.0, 0.5)]]
    if ch == "n":
        arch = [(0.45 + 0.45 * math.cos(math.radians(a)), 0.55 + 0.45 * math.sin(math.radians(a)))
                for a in range(180, -1, -6)]
        return 0.9, [[(0, 0), (0, 1.0)], arch, [(0.9, 0.55), (0.9, 0)]]
    if ch == "o":
        ring = [(0.5 + 0.5 * math.cos(math.radians(a)), 0.5 + 0.5 * math.sin(math.radians(a)))
                for a in range(0, 361, 6)]
        return 1.0, [ring]
    raise ValueError(ch)


STROKE = 0.25
GAP = 0.46


def word_layout(text, unit, left, baseline):
    """Segments (pixel coordinates) of the word, and its box (x0, y0, x1, y1)."""
    segs = []
    x = left + STROKE * unit / 2
    for ch in text:
        advance, strokes = glyph_strokes(ch)
        for s in strokes:
            pts = [(x + px * unit, baseline - py * unit) for px, py in s]
            segs += polyline(pts)
        x += (advance + GAP) * unit
    half = STROKE * unit / 2
    right = x - GAP * unit + half
    return segs, (left, baseline - ASCENT * unit - half, right, baseline + half)


def word_width(text, unit):
    return word_layout(text, unit, 0, 0)[1][2]


def draw_word(pic, text, unit, left, baseline, colour, mode="blend"):
    segs, box = word_layout(text, unit, left, baseline)
    cover = stroke_cover(segs, STROKE * unit)
    pic.paint(cover, colour, (box[0] - 1, box[1] - 1, box[2] + 1, box[3] + 1), mode)
    return box, cover


def rainbow_along(x0, x1, s=1.0, v=1.0):
    return lambda x, y: spectrum((x - x0) / max(1.0, x1 - x0), s, v)


# ------------------------------------------------------------------------ emblems


def light_discs(pic, cx, cy, r, spread, mode="add", strength=1.0):
    """Three overlapping discs of red, green and blue light: where they meet they add to
    yellow, cyan, magenta and white."""
    centres = [
        (cx, cy - spread, (255, 0, 0)),
        (cx - spread * math.cos(math.radians(30)), cy + spread * 0.5, (0, 255, 0)),
        (cx + spread * math.cos(math.radians(30)), cy + spread * 0.5, (0, 0, 255)),
    ]
    box = (cx - spread - r - 2, cy - spread - r - 2, cx + spread + r + 2, cy + spread + r + 2)
    for x0, y0, col in centres:
        pic.paint(disc_cover(x0, y0, r), scale(col, strength), box, mode)


# -------------------------------------------------------------------- the pictures


def make_bullet(base):
    """A glossy ball 9 pixels across, hard-edged so that no olive survives on its rim."""
    pic = Picture(13, 9, OLIVE)
    cx, cy, r = 6.5, 4.5, 4.5
    dark = scale(base, 0.55)
    light = mix(base, (255, 255, 255), 0.75)
    for y in range(9):
        for x in range(13):
            px, py = x + 0.5, y + 0.5
            d = math.hypot(px - cx, py - cy)
            if d > r + 0.15:
                continue
            # Light from the upper left: a highlight spot and a darker lower-right rim.
            shade = clamp01(0.5 + ((px - cx) + (py - cy)) / (2.6 * r))
            col = mix(light, base, clamp01(math.hypot(px - cx + 1.6, py - cy + 1.6) / 2.6))
            col = mix(col, dark, shade * shade * 0.9)
            if d > r - 0.85:
                col = mix(col, dark, 0.6)
            pic.set(x, y, col)
    return pic


def make_motif(background, tints, sparkle, size=48):
    """A discreet tile: three faint light discs and a small four-pointed sparkle. It
    repeats seamlessly; every drawn pixel stays a few levels from the background, so that
    black bold text stays easy to read over it."""
    pic = Picture(size, size, background)
    cx, cy = size * 0.27, size * 0.30
    r, spread = size * 0.105, size * 0.075
    centres = [
        (cx, cy - spread),
        (cx - spread * 0.866, cy + spread * 0.5),
        (cx + spread * 0.866, cy + spread * 0.5),
    ]
    for (x0, y0), tint in zip(centres, tints):
        pic.paint(ring_cover(x0, y0, r, 1.1), tint, (x0 - r - 2, y0 - r - 2, x0 + r + 2, y0 + r + 2))
    sx, sy = size * 0.74, size * 0.76
    arm = size * 0.09
    star = [(sx, sy - arm), (sx + arm * 0.22, sy - arm * 0.22), (sx + arm, sy),
            (sx + arm * 0.22, sy + arm * 0.22), (sx, sy + arm), (sx - arm * 0.22, sy + arm * 0.22),
            (sx - arm, sy), (sx - arm * 0.22, sy - arm * 0.22)]
    pic.paint(polygon_cover(star), sparkle, (sx - arm - 1, sy - arm - 1, sx + arm + 1, sy + arm + 1))
    nudge_key(pic, background)
    return pic


def nudge_key(pic, key, keep=((0, 0),)):
    """Moves any drawn pixel that rounds to the key colour one level away from it, so that
    only the background is replaced at load time."""
    key = tuple(key)
    keep = set(keep)
    for y in range(pic.h):
        for x in range(pic.w):
            p = pic.px[y][x]
            if (x, y) in keep:
                pic.px[y][x] = list(map(float, key))
                continue
            if tuple(clamp_byte(v) for v in p) == key and p != list(map(float, key)):
                p[2] = key[2] - 1 if key[2] > 0 else 1


def make_logo():
    """96 x 96: a small screen where three discs of light mix, above the name."""
    pic = Picture(96, 96, FACE)
    # The screen: a dark rounded square, light mixes where the discs overlap.
    screen = round_rect_cover(14, 4, 82, 66, 10)
    pic.paint(screen, lambda x, y: mix((22, 30, 66), (44, 58, 118), (y - 4) / 62), (13, 3, 83, 67))
    light_discs(pic, 48, 36, 15.5, 10.5, mode="add")
    pic.paint(lambda x, y: edge(1.0 - abs(round_rect_dist(x, y, 14, 4, 82, 66, 10))) * 0.8,
              (14, 18, 40), (12, 2, 84, 68))
    text = "Kaleno"
    unit = 12.0
    w = word_width(text, unit)
    left = (96 - w) / 2
    draw_word(pic, text, unit, left, 89, rainbow_along(left, left + w, 0.95, 0.78))
    nudge_key(pic, FACE)
    return pic


def make_minilogo():
    """64 x 40: the discs of light and the name, small."""
    pic = Picture(64, 40, FACE)
    screen = round_rect_cover(18, 1, 46, 24, 5)
    pic.paint(screen, lambda x, y: mix((22, 30, 66), (44, 58, 118), (y - 1) / 23), (17, 0, 47, 25))
    light_discs(pic, 32, 13, 6.6, 4.4, mode="add")
    pic.paint(lambda x, y: edge(0.9 - abs(round_rect_dist(x, y, 18, 1, 46, 24, 5))) * 0.8,
              (14, 18, 40), (16, 0, 48, 26))
    text = "Kaleno"
    unit = 8.0
    w = word_width(text, unit)
    left = (64 - w) / 2
    draw_word(pic, text, unit, left, 36.5, rainbow_along(left, left + w, 0.95, 0.72))
    nudge_key(pic, FACE)
    return pic


def bulb(pic, ox, lit):
    """One 19 x 17 icon of a light bulb at x offset ox, edges blended towards the note
    colour that replaces the red background."""
    note = Picture(19, 17, NOTE)
    cx, cy, r = 9.5, 6.5, 4.5
    if lit:
        # A soft halo and short rays around the glass.
        note.paint(lambda x, y: clamp01(1.0 - (math.hypot(x - cx, y - cy) - r) / 3.0) * 0.5,
                   (255, 222, 90))
        rays = []
        for a in (0, 40, 90, 140, 180):
            ca, sa = math.cos(math.radians(a)), -math.sin(math.radians(a))
            rays.append((cx + ca * (r + 1.9), cy + sa * (r + 1.9),
                         cx + ca * (r + 3.3), cy + sa * (r + 3.3)))
        note.paint(stroke_cover(rays, 1.2), (235, 150, 20))
        glass, rim = (255, 226, 60), (200, 140, 0)
    else:
        glass, rim = (226, 226, 222), (128, 128, 128)
    note.paint(disc_cover(cx, cy, r), glass)
    neck = [(cx - 2.6, cy + 3.4), (cx + 2.6, cy + 3.4), (cx + 2.0, cy + 6.2), (cx - 2.0, cy + 6.2)]
    note.paint(polygon_cover(neck), glass)
    outline = polyline(arc_points(cx, cy, r, -52, 232, 40)) + [
        (cx + r * math.cos(math.radians(-52)), cy + r * math.sin(math.radians(52)),
         cx + 2.0, cy + 6.2),
        (cx - r * math.cos(math.radians(-52)), cy + r * math.sin(math.radians(52)),
         cx - 2.0, cy + 6.2)]
    note.paint(stroke_cover(outline, 1.0), rim)
    if lit:
        note.paint(stroke_cover(polyline(arc_points(cx, cy, r - 1.9, 110, 165, 8)), 1.1),
                   (255, 252, 225))
        # The glowing filament.
        note.paint(stroke_cover(polyline([(cx - 1.5, cy + 3.2), (cx - 1.0, cy + 0.6),
                                          (cx, cy + 1.6), (cx + 1.0, cy + 0.6),
                                          (cx + 1.5, cy + 3.2)]), 0.8), (215, 90, 0))
    base = round_rect_cover(cx - 2.4, cy + 6.2, cx + 2.4, cy + 9.2, 0.8)
    note.paint(base, (140, 140, 146))
    for yy in (cy + 7.2, cy + 8.3):
        note.paint(stroke_cover([(cx - 2.2, yy, cx + 2.2, yy)], 0.5), (96, 96, 104))
    note.paint(disc_cover(cx, cy + 9.4, 1.1), (80, 80, 88))
    for y in range(17):
        for x in range(19):
            p = note.px[y][x]
            if tuple(clamp_byte(v) for v in p) == NOTE:
                pic.set(ox + x, y, PURE_RED)
            else:
                pic.set(ox + x, y, p)


def make_tips():
    pic = Picture(38, 17, PURE_RED)
    bulb(pic, 0, True)
    bulb(pic, 19, False)
    return pic


# --- the splash pictures: LogoBlue is the upper band, SplashNova and LogoXL are added
# onto it (light on black adds), Lens sits on the lower part, filled with its corner.

BAND_W, BAND_H = 500, 150


def band_colour(y):
    return mix((8, 16, 52), (30, 62, 148), (y / (BAND_H - 1)) ** 1.2)


def make_logo_blue():
    pic = Picture(BAND_W, BAND_H)
    for y in range(BAND_H):
        col = band_colour(y)
        for x in range(BAND_W):
            pic.set(x, y, col)
    # A few faint stars, always the same ones.
    rnd = random.Random(1234)
    for _ in range(70):
        x, y = rnd.uniform(2, BAND_W - 2), rnd.uniform(2, BAND_H - 12)
        k = rnd.uniform(0.15, 0.6)
        size = rnd.choice((0.6, 0.8, 1.0, 1.4))
        pic.paint(lambda px, py: clamp01(size - math.hypot(px - x, py - y)) * k, (230, 236, 255),
                  (x - 3, y - 3, x + 3, y + 3), mode="add")
    # A thin spectrum along the lower edge.
    for y in range(BAND_H - 4, BAND_H):
        for x in range(BAND_W):
            col = spectrum(x / (BAND_W - 1), 0.85, 1.0)
            pic.set(x, y, col if y < BAND_H - 1 else scale(col, 0.7))
    return pic


def make_nova(size=150):
    """A star bursting with light, on black: the splash adds it onto the band."""
    pic = Picture(size, size)
    c = size / 2
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            d = math.hypot(dx, dy)
            core = math.exp(-(d / 7.0) ** 2)
            glow = math.exp(-d / 17.0) * 0.75
            # Eight spikes, the four long ones straight, the short ones diagonal.
            spike = 0.0
            for angle, length in ((0, 1.0), (45, 0.55), (90, 1.0), (135, 0.55),
                                  (180, 1.0), (225, 0.55), (270, 1.0), (315, 0.55)):
                da = math.radians(angle)
                along = dx * math.cos(da) + dy * math.sin(da)
                across = abs(-dx * math.sin(da) + dy * math.cos(da))
                if along > 0:
                    spike += math.exp(-(across / (0.9 + along * 0.012)) ** 2) * \
                        math.exp(-along / (24.0 * length))
            # A faint rainbow halo around the star.
            halo_r = size * 0.36
            halo = math.exp(-((d - halo_r) / 3.0) ** 2) * 0.14
            halo_col = spectrum(clamp01((d - halo_r + 7) / 14), 0.9, 1.0)
            col = [0.0, 0.0, 0.0]
            for i in range(3):
                col[i] = 255 * core + (200, 215, 255)[i] * glow + (230, 236, 255)[i] * spike * 0.9 \
                    + halo_col[i] * halo
            # The edges of the picture must be black so that nothing shows a seam.
            fade = clamp01((c - 2 - max(abs(dx), abs(dy))) / 10.0)
            pic.set(x, y, scale(col, fade))
    return pic


def make_logo_xl():
    """The name in light: rainbow letters with a soft glow, on black (added onto the band)."""
    text = "Kaleno"
    unit = 40.0
    w = word_width(text, unit)
    width, height = int(math.ceil(w)) + 40, 96
    pic = Picture(width, height)
    left, baseline = 20.0, 74.0
    segs, box = word_layout(text, unit, left, baseline)
    cover = stroke_cover(segs, STROKE * unit)
    grid = [[cover(x + 0.5, y + 0.5) if box[0] - 2 <= x <= box[2] + 2 and box[1] - 2 <= y <= box[3] + 2
             else 0.0 for x in range(width)] for y in range(height)]
    glow = blur(grid, 7, 3)
    colour = rainbow_along(box[0], box[2], 0.75, 1.0)
    for y in range(height):
        for x in range(width):
            col = colour(x + 0.5, y + 0.5)
            g = glow[y][x] * 0.7
            pic.add(x, y, col, g)
            c = grid[y][x]
            if c > 0:
                letter = mix(col, (255, 255, 255), 0.45)
                pic.blend(x, y, letter, c)
    return pic


def blur(grid, radius, passes):
    h, w = len(grid), len(grid[0])
    out = [row[:] for row in grid]
    for _ in range(passes):
        tmp = [[0.0] * w for _ in range(h)]
        for y in range(h):
            row = out[y]
            acc = 0.0
            window = 2 * radius + 1
            for x in range(-radius, w + radius):
                if 0 <= x + radius < w:
                    acc += row[x + radius]
                if 0 <= x - radius - 1 < w:
                    acc -= row[x - radius - 1]
                if 0 <= x < w:
                    tmp[y][x] = acc / window
        out = [[0.0] * w for _ in range(h)]
        for x in range(w):
            acc = 0.0
            window = 2 * radius + 1
            for y in range(-radius, h + radius):
                if 0 <= y + radius < h:
                    acc += tmp[y + radius][x]
                if 0 <= y - radius - 1 < h:
                    acc -= tmp[y - radius - 1][x]
                if 0 <= y < h:
                    out[y][x] = acc / window
    return out


LENS_BG = (250, 250, 252)


def make_lens(width=200, height=150):
    """A converging lens: red, green and blue rays parallel to the axis meet at the focus."""
    pic = Picture(width, height, LENS_BG)
    axis_y = height / 2
    lens_x = 70.0
    focus_x = 160.0
    half_h, bulge = 52.0, 10.0
    # The optical axis, dashed.
    dashes = [(x, axis_y, min(x + 6, width - 6), axis_y) for x in range(6, width - 6, 10)]
    pic.paint(stroke_cover(dashes, 1.0), (150, 156, 170))
    # The lens: two circular faces meeting at the rim.
    r = (half_h ** 2 + bulge ** 2) / (2 * bulge)

    def lens_dist(x, y):
        d1 = r - math.hypot(x - (lens_x - bulge + r), y - axis_y)
        d2 = r - math.hypot(x - (lens_x + bulge - r), y - axis_y)
        return min(d1, d2)

    box = (lens_x - bulge - 2, axis_y - half_h - 2, lens_x + bulge + 2, axis_y + half_h + 2)
    pic.paint(lambda x, y: edge(lens_dist(x, y)),
              lambda x, y: mix((214, 236, 250), (178, 212, 240), abs(y - axis_y) / half_h), box)
    pic.paint(lambda x, y: edge(0.6 - abs(lens_dist(x, y))), (70, 110, 160), box)
    # A highlight on the glass.
    pic.paint(stroke_cover(polyline(arc_points(lens_x - bulge + r, axis_y, r - 3.5, 166, 174, 6)), 1.6),
              (250, 252, 255), box)
    # Rays: red above, green on the axis side, blue below; they bend at the lens and
    # cross at the focus, then spread again.
    rays = [(axis_y - 36, (220, 30, 40)), (axis_y - 18, (30, 170, 60)),
            (axis_y + 18, (30, 170, 60)), (axis_y + 36, (40, 80, 220))]
    for y0, col in rays:
        xin = lens_x - bulge * (1 - ((y0 - axis_y) / half_h) ** 2) * 0.9
        slope = (axis_y - y0) / (focus_x - lens_x)
        xend = width - 4
        yend = y0 + slope * (xend - lens_x)
        segs = [(4, y0, xin, y0), (lens_x, y0, xend, yend)]
        inside = [(xin, y0, lens_x, y0)]
        pic.paint(stroke_cover(segs, 1.6), col)
        pic.paint(stroke_cover(inside, 1.6), mix(col, (214, 236, 250), 0.45))
        # An arrow head on the incoming part.
        ax = 30.0
        head = [(ax + 5, y0), (ax - 2, y0 - 3.2), (ax - 2, y0 + 3.2)]
        pic.paint(polygon_cover(head), col, (ax - 4, y0 - 5, ax + 7, y0 + 5))
    # The focus.
    pic.paint(disc_cover(focus_x, axis_y, 2.6), (40, 40, 60))
    nudge_key(pic, LENS_BG)
    return pic


# ------------------------------------------------------------------------ cursors


def sdf_union(*dists):
    return lambda x, y: max(d(x, y) for d in dists)


def capsule_dist(ax, ay, bx, by, radius):
    return lambda x, y: radius - seg_dist(x, y, ax, ay, bx, by)


def cursor_from(dist, fill, outline=(0, 0, 0), width=1.0, extra=None):
    """A 32 x 32 cursor: the shape filled, with a dark outline, on transparency."""
    pic = Picture(32, 32, (0, 0, 0), alpha=0.0)
    pic.paint(lambda x, y: edge(dist(x, y) + width), outline)
    pic.paint(lambda x, y: edge(dist(x, y)), fill)
    if extra:
        extra(pic)
    return pic


def make_hand():
    """The pointing hand; its finger tip is the hot spot."""
    finger = capsule_dist(11.5, 3.5, 11.5, 15, 2.6)
    knuckles = [capsule_dist(16.0, 12.5, 16.0, 17, 2.5), capsule_dist(20.5, 13.5, 20.5, 18, 2.5),
                capsule_dist(25.0, 15.0, 25.0, 19, 2.3)]
    palm = lambda x, y: round_rect_dist(x, y, 9.0, 14.0, 27.3, 28.5, 4.0)
    thumb = capsule_dist(5.3, 17.5, 10.5, 23.5, 2.4)
    dist = sdf_union(finger, palm, thumb, *knuckles)

    def creases(pic):
        lines = [(14.0, 15.5, 14.0, 19.5), (18.3, 16.5, 18.3, 20.0), (22.8, 17.5, 22.8, 20.5)]
        pic.paint(stroke_cover(lines, 0.9), (90, 90, 90))

    return cursor_from(dist, (255, 255, 255), extra=creases), (11, 1)


def tool_axis(tip_x, tip_y, degrees=45.0):
    """Coordinates along a tool lying from its tip towards the upper right: u from the tip
    along the tool, v across it."""
    a = math.radians(degrees)
    ux, uy = math.cos(a), -math.sin(a)

    def along(x, y):
        dx, dy = x - tip_x, y - tip_y
        return dx * ux + dy * uy, -dx * uy + dy * ux

    return along


def make_pencil():
    """A pencil, its point at the lower left (the hot spot)."""
    along = tool_axis(1.5, 30.5)

    def body(x, y):
        u, v = along(x, y)
        return min(u - 8.0, 38.5 - u, 3.4 - abs(v))

    def point(x, y):
        u, v = along(x, y)
        return min(u - 0.2, 8.5 - u, 3.4 * u / 8.0 - abs(v))

    def detail(pic):
        # Wood, the lead, a yellow body with a shaded side, a metal band and the rubber.
        pic.paint(lambda x, y: edge(point(x, y)), (240, 212, 164))
        pic.paint(lambda x, y: edge(min(point(x, y), 2.8 - along(x, y)[0])), (50, 50, 56))
        pic.paint(lambda x, y: edge(body(x, y)), (246, 190, 40))
        pic.paint(lambda x, y: edge(min(body(x, y), along(x, y)[1] - 0.8)), (214, 150, 24))
        pic.paint(lambda x, y: edge(min(body(x, y), along(x, y)[0] - 32.5)), (236, 128, 146))
        pic.paint(lambda x, y: edge(min(body(x, y), 1.2 - abs(along(x, y)[0] - 31.5))),
                  (160, 164, 176))

    return cursor_from(sdf_union(body, point), (246, 190, 40), extra=detail), (1, 30)


def make_brush():
    """A paint brush, its bristles at the lower left (the hot spot at their tip)."""
    along = tool_axis(1.5, 30.5)

    def bristles(x, y):
        u, v = along(x, y)
        # A tuft that narrows to a point.
        half = 0.6 + 2.6 * math.sqrt(clamp01(u / 7.0))
        return min(u - 0.2, 10.5 - u, half - abs(v))

    def ferrule(x, y):
        u, v = along(x, y)
        return min(u - 10.0, 16.0 - u, 3.3 - abs(v))

    def handle(x, y):
        u, v = along(x, y)
        half = 2.5 - 1.1 * clamp01((u - 16.0) / 22.0)
        return min(u - 15.5, 39.0 - u, half - abs(v))

    def detail(pic):
        pic.paint(lambda x, y: edge(bristles(x, y)), (214, 44, 52))
        pic.paint(lambda x, y: edge(min(bristles(x, y), along(x, y)[1] - 0.6)), (170, 24, 36))
        pic.paint(lambda x, y: edge(ferrule(x, y)), (196, 202, 212))
        pic.paint(lambda x, y: edge(min(ferrule(x, y), 0.6 - abs(along(x, y)[0] - 13.0))),
                  (120, 126, 138))
        pic.paint(lambda x, y: edge(handle(x, y)), (150, 96, 50))
        pic.paint(lambda x, y: edge(min(handle(x, y), along(x, y)[1] - 0.4)), (118, 72, 34))

    dist = sdf_union(bristles, ferrule, handle)
    return cursor_from(dist, (214, 44, 52), extra=detail), (1, 30)


def make_flood():
    """A paint pot tipped to the left, pouring; the point of the falling drop is the hot
    spot."""
    tilt = math.radians(-40)
    pivot = (18.5, 15.0)
    ct, st = math.cos(tilt), math.sin(tilt)

    def upright(x, y):
        # Screen point back to the pot drawn upright.
        dx, dy = x - pivot[0], y - pivot[1]
        return pivot[0] + dx * ct + dy * st, pivot[1] - dx * st + dy * ct

    def on_screen(u, v):
        du, dv = u - pivot[0], v - pivot[1]
        return pivot[0] + du * ct - dv * st, pivot[1] + du * st + dv * ct

    def pot(x, y):
        u, v = upright(x, y)
        # Slightly narrower at the bottom.
        narrowing = (v - 8.0) / 17.0 * 1.5
        return min(round_rect_dist(u, v, 11.0 + narrowing, 8.0, 27.0 - narrowing, 25.0, 2.0),
                   25.0 - v)

    def rim(x, y):
        u, v = upright(x, y)
        return round_rect_dist(u, v, 10.0, 6.5, 28.0, 9.5, 1.5)

    lip_x, lip_y = on_screen(11.0, 8.5)
    drop_x, drop_y = 4.0, 25.0

    def paint_flow(x, y):
        # The stream leaves the lip and falls to a drop with a pointed tip.
        stream = capsule_dist(lip_x, lip_y, drop_x, drop_y - 4.0, 1.5)(x, y)
        drop = 2.5 - math.hypot(x - drop_x, y - drop_y)
        return max(stream, drop)

    def handle(x, y):
        u, v = upright(x, y)
        return 0.9 - abs(math.hypot(u - 19.0, v - 9.0) - 8.0) if v < 7.0 else -9.0

    def detail(pic):
        pic.paint(lambda x, y: edge(handle(x, y) + 0.8), (0, 0, 0))
        pic.paint(lambda x, y: edge(handle(x, y) - 0.1), (110, 114, 126))
        pic.paint(lambda x, y: edge(pot(x, y) + 1.0), (0, 0, 0))
        pic.paint(lambda x, y: edge(pot(x, y)), (188, 196, 210))
        pic.paint(lambda x, y: edge(min(pot(x, y), upright(x, y)[0] - 22.5)), (160, 170, 186))
        pic.paint(lambda x, y: edge(min(pot(x, y), 2.4 - abs(upright(x, y)[1] - 17.0))),
                  (40, 120, 226))
        pic.paint(lambda x, y: edge(rim(x, y) + 1.0), (0, 0, 0))
        pic.paint(lambda x, y: edge(rim(x, y)), (140, 150, 168))
        pic.paint(lambda x, y: edge(paint_flow(x, y)), (40, 120, 226))

    dist = sdf_union(pot, rim, paint_flow)
    return cursor_from(dist, (188, 196, 210), extra=detail), (int(drop_x), int(drop_y + 2.5))


def make_eraser():
    """A rubber lying from the lower left upwards; the hot spot is the middle of its
    rubbing end."""
    along = tool_axis(6.5, 25.5, 40.0)

    def block(x, y):
        u, v = along(x, y)
        return round_rect_dist(u, v, 0.0, -5.5, 27.0, 5.5, 2.0)

    def sleeve(x, y):
        u, v = along(x, y)
        return round_rect_dist(u, v, 9.5, -5.5, 27.0, 5.5, 2.0)

    def detail(pic):
        pic.paint(lambda x, y: edge(block(x, y)), (248, 156, 176))
        pic.paint(lambda x, y: edge(min(block(x, y), along(x, y)[1] - 3.0)), (222, 120, 142))
        pic.paint(lambda x, y: edge(sleeve(x, y)), (70, 120, 204))
        pic.paint(lambda x, y: edge(min(sleeve(x, y), along(x, y)[1] - 3.0)), (46, 90, 170))
        pic.paint(lambda x, y: edge(min(sleeve(x, y), 0.5 - abs(along(x, y)[0] - 10.2))),
                  (30, 60, 120))

    return cursor_from(block, (248, 156, 176), extra=detail), (6, 25)


# ------------------------------------------------------------------------ files


def write_bmp(path, pic):
    """24-bit bottom-up BMP, rows padded to 4 bytes."""
    rows = pic.bytes_rgb()
    stride = (3 * pic.w + 3) & ~3
    pad = b"\0" * (stride - 3 * pic.w)
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += pad
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, pic.w, pic.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + bytes(data))


def write_png(path, pic):
    """RGBA PNG, straight (not premultiplied) alpha."""
    raw = bytearray()
    for y in range(pic.h):
        raw.append(0)
        for x in range(pic.w):
            r, g, b = (clamp_byte(v) for v in pic.px[y][x])
            raw += bytes((r, g, b, clamp_byte(pic.alpha[y][x] * 255)))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + \
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", pic.w, pic.h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def main():
    os.makedirs(BITMAPS, exist_ok=True)
    os.makedirs(CURSORS, exist_ok=True)
    bitmaps = {
        "PuceR": make_bullet((222, 40, 36)),
        "PuceG": make_bullet((150, 150, 154)),
        "PuceB": make_bullet((40, 96, 214)),
        # Light faces (mean above 200): marks a little darker and tinted.
        "Motif": make_motif((236, 236, 236), [(228, 218, 218), (216, 228, 218), (218, 222, 234)],
                            (222, 224, 232)),
        # Dark faces: the same marks, drawn for a mid-grey face.
        "MotifF": make_motif((184, 184, 188), [(172, 156, 156), (152, 172, 158), (154, 158, 180)],
                             (162, 162, 174)),
        "Logo": make_logo(),
        "MiniLogo": make_minilogo(),
        "Tips": make_tips(),
        "LogoBlue": make_logo_blue(),
        "SplashNova": make_nova(),
        "LogoXL": make_logo_xl(),
        "Lens": make_lens(),
    }
    for name, pic in bitmaps.items():
        write_bmp(os.path.join(BITMAPS, name + ".bmp"), pic)
        print("%-10s %3d x %3d" % (name, pic.w, pic.h))
    cursors = {
        "C_Main": make_hand(),
        "C_Brosse": make_brush(),
        "C_Crayon": make_pencil(),
        "C_Flood": make_flood(),
        "C_Gomme": make_eraser(),
    }
    lines = []
    for name, (pic, (hx, hy)) in cursors.items():
        write_png(os.path.join(CURSORS, name + ".png"), pic)
        lines.append("%s %d %d" % (name, hx, hy))
        print("%-10s hot spot %d, %d" % (name, hx, hy))
    with open(os.path.join(CURSORS, "hotspots.txt"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
