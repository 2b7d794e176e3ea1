#!/usr/bin/env python3
"""Writes the camera's pictures as placeable Windows metafiles under resources/camera/.

Run once from anywhere: python3 tools/make_camera_shapes.py. The outputs are committed;
the build never runs this script. Standard library only.

Five photographed shapes, each as white filled polygons in a 1000 x 1000 frame, and each
with its twin turned by 180 degrees (x' = 1000 - x, y' = 1000 - y), the picture the lens
forms on the film:
  R / RInv            the letter R, five polygons
  Palmier / PalmierR  an island with a palm tree, one polygon
  Chat / ChatR        a sitting cat, one polygon
  Chien / ChienR      a dog, one polygon
  Cycle / CycleR      a cyclist on a bicycle, fifty polygons
and Lens, a biconvex lens seen edge-on in 64 strips of graded colour (400 x 1000 frame).

The shapes fill with the winding rule, so a frond or a tail that crosses the outline
never punches a hole in the silhouette.
"""

import math
import os
import struct

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
OUTPUT = os.path.join(ROOT, "resources", "camera")

FRAME = 1000
UNITS_PER_INCH = 1024
WHITE = (255, 255, 255)

# Record functions and constants of the metafile format.
META_SETWINDOWORG = 0x020B
META_SETWINDOWEXT = 0x020C
META_SETPOLYFILLMODE = 0x0106
META_CREATEPENINDIRECT = 0x02FA
META_CREATEBRUSHINDIRECT = 0x02FC
META_SELECTOBJECT = 0x012D
META_DELETEOBJECT = 0x01F0
META_POLYGON = 0x0324
META_EOF = 0x0000
PS_SOLID = 0
PS_NULL = 5
BS_SOLID = 0
WINDING = 2


# --- Metafile writing -------------------------------------------------------------------

def record(function, words):
    return struct.pack("<IH", 3 + len(words), function) + b"".join(
        struct.pack("<h" if w < 0 else "<H", w) for w in words)


def colour_words(rgb):
    r, g, b = rgb
    colorref = r | (g << 8) | (b << 16)
    return [colorref & 0xFFFF, colorref >> 16]


def polygon_record(points):
    words = [len(points)]
    for x, y in points:
        words += [int(round(x)), int(round(y))]
    return record(META_POLYGON, words)


def metafile(width, height, body, objects):
    """A placeable metafile of the frame (0, 0)-(width, height) around the records."""
    records = [
        record(META_SETWINDOWORG, [0, 0]),
        record(META_SETWINDOWEXT, [height, width]),  # y first, as the format has it
        record(META_SETPOLYFILLMODE, [WINDING]),
    ] + body + [record(META_EOF, [])]
    data = b"".join(records)
    max_record = max(len(r) // 2 for r in records)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(data) // 2, objects, max_record, 0)
    placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, width, height, UNITS_PER_INCH, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", placeable):
        checksum ^= word
    return placeable + struct.pack("<H", checksum) + header + data


def white_shape(polygons):
    """White polygons, outlined in white so that pieces that touch leave no seam."""
    body = [
        record(META_CREATEPENINDIRECT, [PS_SOLID, 0, 0] + colour_words(WHITE)),
        record(META_CREATEBRUSHINDIRECT, [BS_SOLID] + colour_words(WHITE) + [0]),
        record(META_SELECTOBJECT, [0]),
        record(META_SELECTOBJECT, [1]),
    ]
    body += [polygon_record(p) for p in polygons]
    return metafile(FRAME, FRAME, body, 2)


def turned(polygons, width=FRAME, height=FRAME):
    return [[(width - x, height - y) for x, y in p] for p in polygons]


# --- Geometry helpers --------------------------------------------------------------------

def arc(cx, cy, r, start_deg, end_deg, steps):
    """Points of a circle in screen coordinates (y down), angles measured clockwise."""
    return [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
            for a in (start_deg + (end_deg - start_deg) * i / steps for i in range(steps + 1))]


def capsule(p, q, half_width, cap_steps=5):
    """A bar from p to q with round ends: limbs and tubes."""
    (x0, y0), (x1, y1) = p, q
    angle = math.degrees(math.atan2(y1 - y0, x1 - x0))
    return (arc(x1, y1, half_width, angle - 90, angle + 90, cap_steps)
            + arc(x0, y0, half_width, angle + 90, angle + 270, cap_steps))


def disc(cx, cy, r, steps=20):
    return arc(cx, cy, r, 0, 360, steps)[:-1]


def knee(hip, foot, thigh, shin, forward=True):
    """The knee of a leg from hip to foot, bent forwards (towards +x)."""
    (hx, hy), (fx, fy) = hip, foot
    d = math.hypot(fx - hx, fy - hy)
    d = min(d, thigh + shin - 1)
    a = (thigh * thigh - shin * shin + d * d) / (2 * d)
    h = math.sqrt(max(thigh * thigh - a * a, 0))
    ux, uy = (fx - hx) / d, (fy - hy) / d
    mx, my = hx + a * ux, hy + a * uy
    k1 = (mx - h * uy, my + h * ux)
    k2 = (mx + h * uy, my - h * ux)
    return max(k1, k2) if forward else min(k1, k2)


# --- The shapes --------------------------------------------------------------------------

def letter_r():
    stem = [(150, 60), (340, 60), (340, 940), (150, 940)]
    top = [(330, 60), (600, 60), (600, 220), (330, 220)]
    # The bowl: half a ring from the top bar round to the middle bar.
    bowl = arc(600, 320, 260, -90, 90, 16) + arc(600, 320, 100, 90, -90, 10)
    middle = [(330, 420), (600, 420), (600, 580), (330, 580)]
    leg = [(420, 560), (620, 560), (880, 940), (670, 940)]
    return [stem, top, bowl, middle, leg]


def palm_island():
    crown = (560, 300)
    outline = []
    # The island: a low hump over the sea line, from the left shore.
    outline += [(40, 950), (960, 950)]
    outline += [(900, 900), (800, 860), (680, 835)]
    # Trunk, right edge, leaning and tapering up to the crown.
    trunk_right = [(560, 830), (585, 700), (595, 560), (590, 430), (575, 320)]
    trunk_left = [(545, 320), (540, 430), (535, 560), (515, 700), (470, 830)]
    outline += trunk_right
    # Fronds round the crown, from the right one drooping over to the left one. Each is a
    # curved blade: out along one edge to its tip and back along the other.
    fronds = [(-35, 330, 0.55), (5, 360, 0.45), (45, 300, 0.35), (90, 200, 0.25),
              (135, 300, 0.35), (175, 360, 0.45), (215, 330, 0.55)]
    for direction, length, droop in fronds:
        a = math.radians(direction)
        ux, uy = math.cos(a), -math.sin(a)  # screen y down
        centre = []
        for i in range(9):
            t = i / 8
            # Gravity bends the blade down more and more towards its tip.
            x = crown[0] + ux * length * t
            y = crown[1] + uy * length * t + droop * length * t * t
            centre.append((x, y))
        edge_a, edge_b = [], []
        for i, (x, y) in enumerate(centre):
            t = i / 8
            if i < 8:
                dx, dy = centre[i + 1][0] - x, centre[i + 1][1] - y
            else:
                dx, dy = x - centre[i - 1][0], y - centre[i - 1][1]
            n = math.hypot(dx, dy)
            nx, ny = -dy / n, dx / n
            w = 38 * math.sin(math.pi * min(t, 0.97)) + 4 * (1 - t)
            edge_a.append((x + nx * w, y + ny * w))
            edge_b.append((x - nx * w, y - ny * w))
        # Walk counter-clockwise on screen: the edge on the clockwise side goes out first.
        outline += edge_b + list(reversed(edge_a))
    outline += trunk_left
    outline += [(330, 835), (200, 860), (100, 900)]
    return [outline]


def sitting_cat():
    outline = [
        # Bottom, with the front paws.
        (270, 945), (440, 945), (470, 915), (500, 905), (530, 915), (560, 945), (750, 945),
        # Tail, curled round the right side and up.
        (830, 925), (890, 880), (925, 820), (935, 740), (915, 670), (875, 660), (890, 720),
        (885, 790), (860, 845), (820, 875), (762, 880),
        # Body, right side, up to the neck.
        (770, 760), (740, 620), (680, 500), (620, 425),
        # Head, right cheek, right ear, crown, left ear, left cheek.
        (640, 345), (652, 270), (632, 175), (650, 45), (550, 120), (500, 115), (450, 120),
        (350, 45), (368, 175), (348, 270), (360, 345),
        # Neck and body, left side, down to the bottom.
        (380, 425), (320, 500), (260, 620), (230, 760), (240, 870),
    ]
    return [outline]


def dog():
    outline = [
        # Rump, then the tail, raised behind.
        (150, 420), (130, 400), (100, 350), (80, 280), (78, 210), (108, 215), (122, 285),
        (150, 345), (185, 385),
        # Back and neck, the head held up.
        (240, 400), (420, 410), (590, 400), (640, 370), (675, 300), (690, 240),
        # Pricked ear, skull, long muzzle and nose, mouth and jaw.
        (685, 200), (700, 100), (740, 180), (775, 175), (810, 190), (870, 215), (935, 235),
        (962, 250), (960, 285), (900, 300), (835, 305), (790, 320),
        # Throat and deep chest.
        (745, 370), (725, 440), (735, 520), (720, 590),
        # Front legs, the near one in front.
        (722, 620), (730, 845), (765, 862), (765, 885), (680, 885), (675, 630), (662, 620),
        (656, 630), (654, 850), (676, 866), (676, 885), (600, 885), (598, 620),
        # Belly.
        (575, 612), (450, 618), (350, 605),
        # Hind legs under a strong thigh.
        (345, 640), (335, 720), (340, 850), (365, 865), (365, 885), (285, 885), (282, 760),
        (270, 660), (258, 650), (250, 700), (242, 760), (250, 850), (275, 866), (275, 885),
        (195, 885), (188, 760), (170, 650), (155, 540), (148, 470),
    ]
    return [outline]


def cyclist():
    polygons = []
    rear, front = (230, 720), (770, 720)
    rim_outer, rim_inner = 200, 170
    # Rims: twelve pieces of ring per wheel.
    for cx, cy in (rear, front):
        for k in range(12):
            a0, a1 = k * 30, (k + 1) * 30
            polygons.append(arc(cx, cy, rim_outer, a0, a1, 3) + arc(cx, cy, rim_inner, a1, a0, 3))
    # Spokes: three diameters per wheel.
    for cx, cy in (rear, front):
        for a in (0, 60, 120):
            r = math.radians(a)
            dx, dy = rim_inner * math.cos(r), rim_inner * math.sin(r)
            polygons.append(capsule((cx - dx, cy - dy), (cx + dx, cy + dy), 5, 2))
    bracket = (480, 720)
    seat_top = (420, 470)
    head_top, head_bottom = (700, 440), (715, 520)
    # Frame: seat, top, down tubes, chain and seat stays, and the fork to the front hub.
    for p, q in ((bracket, seat_top), (seat_top, head_top), (bracket, head_bottom),
                 (rear, bracket), (rear, seat_top), (head_top, front)):
        polygons.append(capsule(p, q, 14, 3))
    # Handlebar: stem up, then the bar curving forwards and down.
    polygons.append([(690, 445), (685, 385), (720, 370), (770, 380), (790, 410), (775, 420),
                     (755, 398), (720, 392), (710, 440)])
    # Saddle.
    polygons.append([(355, 440), (370, 425), (470, 428), (480, 445), (430, 452), (380, 455)])
    # Chainring and the near crank arm.
    polygons.append(disc(bracket[0], bracket[1], 45, 16))
    crank = math.radians(115)
    near_pedal = (bracket[0] + 85 * math.cos(crank), bracket[1] + 85 * math.sin(crank))
    far_pedal = (2 * bracket[0] - near_pedal[0], 2 * bracket[1] - near_pedal[1])
    polygons.append(capsule(bracket, near_pedal, 10, 2))
    # Rider: head, torso bent over the bar, arm to the handlebar, both legs on the pedals.
    hip, shoulder = (430, 400), (610, 250)
    polygons.append(disc(665, 175, 58, 18))
    polygons.append(capsule(hip, shoulder, 45, 5))
    elbow = (665, 330)
    polygons.append(capsule(shoulder, elbow, 22, 3))
    polygons.append(capsule(elbow, (752, 390), 18, 3))
    for pedal in (far_pedal, near_pedal):
        k = knee(hip, pedal, 230, 240)
        polygons.append(capsule(hip, k, 30, 4))
        polygons.append(capsule(k, pedal, 22, 3))
        polygons.append([(pedal[0] - 30, pedal[1] - 18), (pedal[0] + 55, pedal[1] - 12),
                         (pedal[0] + 60, pedal[1] + 12), (pedal[0] - 30, pedal[1] + 14)])
    return polygons


# --- The lens ----------------------------------------------------------------------------

LENS_WIDTH = 400
LENS_STRIPS = 64
# A biconvex lens: the overlap of two discs of radius R whose centres are 2D apart,
# 400 units thick on the axis and 1000 high.
LENS_RADIUS = 725.0
LENS_OFFSET = 525.0


def lens_half_height(x):
    """Half-height of the lens at x, measured from its left vertex."""
    centre = LENS_WIDTH / 2
    # Left of the middle the left surface bounds the lens; its circle is centred right.
    c = centre + LENS_OFFSET if x <= centre else centre - LENS_OFFSET
    return math.sqrt(max(LENS_RADIUS ** 2 - (x - c) ** 2, 0.0))


def lens_colour(t):
    """Glass seen edge-on: dark blue at the rims, a highlight a little left of centre."""
    edge, body, light = (40, 70, 140), (110, 170, 230), (235, 248, 255)
    shade = math.sin(math.pi * t) ** 0.6
    glint = math.exp(-((t - 0.38) / 0.12) ** 2)
    colour = [e + (b - e) * shade for e, b in zip(edge, body)]
    colour = [c + (l - c) * glint * 0.85 for c, l in zip(colour, light)]
    return tuple(int(round(c)) for c in colour)


def lens():
    body = [record(META_CREATEPENINDIRECT, [PS_NULL, 0, 0, 0, 0]), record(META_SELECTOBJECT, [0])]
    mid = FRAME / 2
    previous = None
    for k in range(LENS_STRIPS):
        x0 = LENS_WIDTH * k / LENS_STRIPS
        x1 = LENS_WIDTH * (k + 1) / LENS_STRIPS
        xs = [x0 + (x1 - x0) * i / 4 for i in range(5)]
        top = [(x, mid - lens_half_height(x)) for x in xs]
        bottom = [(x, mid + lens_half_height(x)) for x in reversed(xs)]
        # Object slots: the pen in 0, the brushes alternate between 1 and 2, each deleted
        # once its successor is selected.
        slot = 1 + k % 2
        body.append(record(META_CREATEBRUSHINDIRECT,
                           [BS_SOLID] + colour_words(lens_colour((k + 0.5) / LENS_STRIPS)) + [0]))
        body.append(record(META_SELECTOBJECT, [slot]))
        if previous is not None:
            body.append(record(META_DELETEOBJECT, [previous]))
        body.append(polygon_record(top + bottom))
        previous = slot
    return metafile(LENS_WIDTH, FRAME, body, 3)


SHAPES = [
    ("R", "RInv", letter_r),
    ("Palmier", "PalmierR", palm_island),
    ("Chat", "ChatR", sitting_cat),
    ("Chien", "ChienR", dog),
    ("Cycle", "CycleR", cyclist),
]


def main():
    os.makedirs(OUTPUT, exist_ok=True)
    files = {}
    for upright_name, turned_name, draw in SHAPES:
        polygons = draw()
        files[upright_name] = white_shape(polygons)
        files[turned_name] = white_shape(turned(polygons))
    files["Lens"] = lens()
    for name, data in files.items():
        with open(os.path.join(OUTPUT, name + ".wmf"), "wb") as out:
            out.write(data)
    counts = {name: len(draw()) for _, name, draw in SHAPES}
    print("wrote", len(files), "metafiles to", OUTPUT, counts)


if __name__ == "__main__":
    main()
