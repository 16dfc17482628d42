#!/usr/bin/env python3
"""Draw Quorvane's icons from simple shapes.

Writes, relative to the repository root:
  resources/icon_app.xpm, icon_unknown.xpm, icon_mismatch.xpm,
  icon_match.xpm, icon_folder.xpm      32x32, 16-colour palette + None
  resources/icons/quorvane-N.png       the application icon, N = 16..256

Every picture is a list of shapes in a 32x32 design space, painted back to
front.  Each pixel is supersampled; the XPM versions then snap every pixel to
the nearest colour of the classic 16-colour palette (that is the only
antialiasing they get), while the PNG versions keep full RGBA.

Standard library only, so the icons can be rebuilt on any machine.

    python3 scripts/draw_icons.py [--preview SHEET.png]

--preview also writes an enlarged contact sheet for checking by eye.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# The classic 16-colour palette; the XPM files use one character per colour.
PALETTE = [
    ("black", (0, 0, 0), "k"),
    ("maroon", (128, 0, 0), "m"),
    ("green", (0, 128, 0), "g"),
    ("olive", (128, 128, 0), "o"),
    ("navy", (0, 0, 128), "n"),
    ("purple", (128, 0, 128), "p"),
    ("teal", (0, 128, 128), "t"),
    ("silver", (192, 192, 192), "s"),
    ("gray", (128, 128, 128), "a"),
    ("red", (255, 0, 0), "r"),
    ("lime", (0, 255, 0), "l"),
    ("yellow", (255, 255, 0), "y"),
    ("blue", (0, 0, 255), "b"),
    ("fuchsia", (255, 0, 255), "f"),
    ("aqua", (0, 255, 255), "q"),
    ("white", (255, 255, 255), "w"),
]
RGB = {name: rgb for name, rgb, _ in PALETTE}
TRANSPARENT_CHAR = " "


# ---------------------------------------------------------------- shapes
# A shape is (bbox, inside(x, y) -> bool, rgb).  Coordinates are in the
# 32x32 design space, y pointing down, pixel (i, j) covering [i, i+1).

def _seg_dist2(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    L = dx * dx + dy * dy
    t = 0.0 if L == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / L))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return qx * qx + qy * qy


def disc(cx, cy, r, color):
    r2 = r * r
    return ((cx - r, cy - r, cx + r, cy + r),
            lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r2, RGB[color] if isinstance(color, str) else color)


def ring(cx, cy, r_in, r_out, color):
    a, b = r_in * r_in, r_out * r_out
    return ((cx - r_out, cy - r_out, cx + r_out, cy + r_out),
            lambda x, y: a <= (x - cx) ** 2 + (y - cy) ** 2 <= b, RGB[color])


def polygon(points, color):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    n = len(points)

    def inside(x, y):
        c = False
        j = n - 1
        for i in range(n):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                c = not c
            j = i
        return c
    return ((min(xs), min(ys), max(xs), max(ys)), inside, RGB[color])


def stroke(points, width, color, closed=False):
    """A polyline of the given width with round joins and caps."""
    h = width / 2.0
    h2 = h * h
    pts = list(points) + ([points[0]] if closed else [])
    segs = list(zip(pts, pts[1:]))
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]

    def inside(x, y):
        for (ax, ay), (bx, by) in segs:
            if _seg_dist2(x, y, ax, ay, bx, by) <= h2:
                return True
        return False
    return ((min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h), inside, RGB[color])


def arc_points(cx, cy, r, a0, a1, steps=24):
    """Points along a circle, angles in degrees, 0 = right, 90 = down."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * k / steps)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * k / steps)))
            for k in range(steps + 1)]


# ---------------------------------------------------------------- glyphs
# Glyphs are drawn in a box (x0, y0, size): bold strokes, so that they still
# read when the list shrinks the icons to 16x16.

def question_mark(x0, y0, size, width, color):
    def P(u, v):
        return (x0 + u * size, y0 + v * size)
    cx, cy, r = 0.5, 0.32, 0.22
    hook = [P(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
            for a in range(190, 360 + 50, 10)]
    path = hook + [P(0.5, 0.58), P(0.5, 0.66)]
    dot_x, dot_y = P(0.5, 0.88)
    return [stroke(path, width, color), disc(dot_x, dot_y, width * 0.62, color)]


def cross(cx, cy, half, width, color):
    return [stroke([(cx - half, cy - half), (cx + half, cy + half)], width, color),
            stroke([(cx - half, cy + half), (cx + half, cy - half)], width, color)]


def tick(cx, cy, s, width, color):
    return [stroke([(cx - 0.50 * s, cy + 0.02 * s),
                    (cx - 0.15 * s, cy + 0.38 * s),
                    (cx + 0.52 * s, cy - 0.40 * s)], width, color)]


# ---------------------------------------------------------------- pictures

def status_disc(fill, rim):
    # The disc fills nearly the whole square; a dark rim of the same hue keeps
    # it apart from a white or a light grey list background.
    return [disc(16, 16, 15.4, rim), disc(16, 16, 14.0, fill)]


def picture_unknown():
    return status_disc("fuchsia", "purple") + question_mark(5.5, 4.0, 21.0, 4.6, "black")


def picture_mismatch():
    return status_disc("red", "maroon") + cross(16, 16, 6.6, 4.8, "black")


def picture_match():
    return status_disc("yellow", "olive") + tick(16, 16.4, 16.0, 4.8, "black")


def picture_folder():
    back = [(1.5, 7.0), (2.5, 5.0), (11.0, 5.0), (13.5, 8.0), (29.5, 8.0),
            (30.5, 9.0), (30.5, 27.0), (1.5, 27.0)]
    front = [(1.5, 27.0), (1.5, 12.0), (30.5, 12.0), (30.5, 27.0)]
    return [
        polygon(back, "olive"),
        stroke(back, 1.4, "black", closed=True),
        polygon(front, "olive"),
        stroke([(3.2, 13.6), (28.8, 13.6)], 1.2, "yellow"),
        stroke(front, 1.4, "black", closed=True),
    ]


def picture_app():
    shapes = []
    # A sheet of paper with a folded corner, lines of text on it.
    sheet = [(2.5, 1.5), (15.5, 1.5), (21.5, 7.5), (21.5, 29.5), (2.5, 29.5)]
    shapes.append(polygon(sheet, "white"))
    for y in (8.0, 12.0, 16.0, 20.0, 24.0):
        shapes.append(stroke([(6.0, y), (17.5 if y > 8 else 12.0, y)], 1.3, "silver"))
    shapes.append(polygon([(15.5, 1.5), (15.5, 7.5), (21.5, 7.5)], "silver"))
    shapes.append(stroke(sheet, 1.2, "gray", closed=True))
    shapes.append(stroke([(15.5, 1.5), (15.5, 7.5), (21.5, 7.5)], 1.0, "gray"))
    # The magnifying glass over it: handle, rim, lens, question mark.
    cx, cy, r = 18.0, 13.5, 9.5
    shapes.append(stroke([(24.5, 20.0), (27.0, 22.5)], 3.2, "gray"))
    shapes.append(stroke([(26.6, 22.1), (29.4, 24.9)], 4.6, "maroon"))
    shapes.append(disc(cx, cy, r - 1.2, (224, 255, 255)))
    shapes.append(ring(cx, cy, r - 1.6, r + 0.6, "navy"))
    shapes += question_mark(cx - 7.0, cy - 7.6, 14.5, 3.4, "red")
    return shapes


ICONS = [
    ("icon_app", picture_app),
    ("icon_unknown", picture_unknown),
    ("icon_mismatch", picture_mismatch),
    ("icon_match", picture_match),
    ("icon_folder", picture_folder),
]


# ---------------------------------------------------------------- rendering

def render(shapes, size, samples):
    """Rasterise to a size x size list of rows of (r, g, b, a) floats 0..1.

    r, g, b are the mean colour of the covered samples (not premultiplied),
    a the covered fraction."""
    scale = 32.0 / size
    n = samples
    offs = [(k + 0.5) / n for k in range(n)]
    image = []
    for j in range(size):
        row = []
        ys = [(j + o) * scale for o in offs]
        # shapes whose box reaches this row, front first
        live_row = [s for s in reversed(shapes) if s[0][1] <= ys[-1] and s[0][3] >= ys[0]]
        for i in range(size):
            xs = [(i + o) * scale for o in offs]
            live = [s for s in live_row if s[0][0] <= xs[-1] and s[0][2] >= xs[0]]
            r = g = b = 0.0
            hits = 0
            if live:
                for y in ys:
                    for x in xs:
                        for _, inside, rgb in live:
                            if inside(x, y):
                                r += rgb[0]
                                g += rgb[1]
                                b += rgb[2]
                                hits += 1
                                break
            if hits:
                row.append((r / hits / 255.0, g / hits / 255.0, b / hits / 255.0, hits / (n * n)))
            else:
                row.append((0.0, 0.0, 0.0, 0.0))
        image.append(row)
    return image


def nearest_palette(rgb):
    best = None
    for name, prgb, ch in PALETTE:
        d = sum((a - b) ** 2 for a, b in zip(rgb, prgb))
        if best is None or d < best[0]:
            best = (d, name, ch)
    return best[1], best[2]


def quantise(image):
    """Each pixel becomes a palette name, or None where mostly uncovered."""
    out = []
    for row in image:
        qrow = []
        for r, g, b, a in row:
            if a < 0.5:
                qrow.append(None)
            else:
                qrow.append(nearest_palette((r * 255, g * 255, b * 255))[0])
        out.append(qrow)
    return out


def xpm_text(var, qimage):
    size = len(qimage)
    used = sorted({p for row in qimage for p in row if p is not None},
                  key=lambda n: [p[0] for p in PALETTE].index(n))
    chars = {name: ch for name, _, ch in PALETTE}
    lines = ['"%d %d %d 1",' % (size, size, len(used) + 1),
             '"%s c None",' % TRANSPARENT_CHAR]
    for name in used:
        lines.append('"%s c #%02X%02X%02X",' % ((chars[name],) + RGB[name]))
    for k, row in enumerate(qimage):
        text = "".join(TRANSPARENT_CHAR if p is None else chars[p] for p in row)
        lines.append('"%s"%s' % (text, "," if k + 1 < size else ""))
    return ("/* XPM */\n"
            "/* Drawn by scripts/draw_icons.py; edit the script, not this file. */\n"
            "static const char* const %s[] = {\n%s\n};\n" % (var, "\n".join(lines)))


def png_bytes(rgba_rows):
    """rgba_rows: rows of (r, g, b, a) ints 0..255."""
    h = len(rgba_rows)
    w = len(rgba_rows[0])
    raw = bytearray()
    for row in rgba_rows:
        raw.append(0)
        for px in row:
            raw.extend(px)

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def to_rgba8(image):
    return [[(round(r * 255), round(g * 255), round(b * 255), round(a * 255))
             for r, g, b, a in row] for row in image]


def q_to_rgba8(qimage):
    return [[(0, 0, 0, 0) if p is None else RGB[p] + (255,) for p in row] for row in qimage]


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    mode = "w" if isinstance(data, str) else "wb"
    with open(path, mode) as f:
        f.write(data)


# ---------------------------------------------------------------- preview

def shrink_half(rgba):
    """2x2 box filter with alpha weighting, as a list control scales 32 to 16."""
    out = []
    for j in range(0, len(rgba), 2):
        row = []
        for i in range(0, len(rgba[0]), 2):
            px = [rgba[j][i], rgba[j][i + 1], rgba[j + 1][i], rgba[j + 1][i + 1]]
            a = sum(p[3] for p in px)
            if a == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(sum(p[c] * p[3] for p in px) / a) for c in range(3))
                           + (round(a / 4),))
        out.append(row)
    return out


def blit(canvas, img, x0, y0, zoom, bg):
    for j, row in enumerate(img):
        for i, (r, g, b, a) in enumerate(row):
            t = a / 255.0
            c = (round(r * t + bg[0] * (1 - t)), round(g * t + bg[1] * (1 - t)),
                 round(b * t + bg[2] * (1 - t)), 255)
            for dy in range(zoom):
                line = canvas[y0 + j * zoom + dy]
                for dx in range(zoom):
                    line[x0 + i * zoom + dx] = c


def contact_sheet(icons32, app_pngs):
    """Row 1: XPMs at 8x; row 2: shrunk to 16 at 8x; row 3: XPMs at 1x and
    16x16 at 1x on white and on grey; row 4: the PNG sizes."""
    pad = 8
    width = pad + 5 * (256 + pad)
    height = pad + 256 + pad + 128 + pad + 40 + pad + 256 + pad
    bg = (236, 236, 236)
    canvas = [[bg + (255,)] * width for _ in range(height)]
    canvas = [list(r) for r in canvas]
    for k, img in enumerate(icons32):
        x = pad + k * (256 + pad)
        blit(canvas, img, x, pad, 8, (255, 255, 255))
        small = shrink_half(img)
        blit(canvas, small, x, pad + 256 + pad, 8, (255, 255, 255))
        y = pad + 256 + pad + 128 + pad
        blit(canvas, img, x, y, 1, (255, 255, 255))
        blit(canvas, small, x + 40, y, 1, (255, 255, 255))
        blit(canvas, small, x + 64, y, 1, (190, 190, 190))
        blit(canvas, small, x + 88, y, 1, (51, 102, 204))
        blit(canvas, img, x + 112, y, 1, (60, 60, 60))
    x = pad
    y = pad + 256 + pad + 128 + pad + 40 + pad
    for size, img in app_pngs:
        if x + size > width:
            break
        blit(canvas, img, x, y, 1, (255, 255, 255))
        x += size + pad
    return png_bytes(canvas)


# ---------------------------------------------------------------- main

def main(argv):
    preview = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview = argv[2]
    elif len(argv) != 1:
        sys.stderr.write("usage: draw_icons.py [--preview SHEET.png]\n")
        return 2

    res = os.path.join(ROOT, "resources")
    icons32 = []
    for name, picture in ICONS:
        q = quantise(render(picture(), 32, 8))
        write(os.path.join(res, name + ".xpm"), xpm_text(name + "_xpm", q))
        icons32.append(q_to_rgba8(q))
        colours = len({p for row in q for p in row if p})
        print("%s.xpm: %d colours + None" % (name, colours))

    app_pngs = []
    for size in (16, 32, 48, 64, 128, 256):
        samples = 8 if size <= 64 else 4 if size <= 128 else 3
        img = to_rgba8(render(picture_app(), size, samples))
        write(os.path.join(res, "icons", "quorvane-%d.png" % size), png_bytes(img))
        app_pngs.append((size, img))
        print("icons/quorvane-%d.png" % size)

    if preview:
        write(preview, contact_sheet(icons32, app_pngs))
        print("preview:", preview)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
