#!/usr/bin/env python3
"""Draws the images of the emulated task dialog and writes them beside this script.

    python3 make_task_dialog_images.py

Icons (16, 32 and 48 pixels, 32-bit with an AND mask):
  TaskDialogError.ico        a red disc with a white cross
  TaskDialogWarning.ico      a yellow triangle with a black exclamation mark
  TaskDialogInformation.ico  a blue disc with a white "i"
  TaskDialogShield.ico       a blue and yellow quartered shield
  TaskDialogQuestion.ico     a blue disc with a white question mark
Bitmaps (20 x 20, 32-bit, premultiplied alpha, bottom-up):
  CommandLinkArrow.bmp       the command links' green arrow
  CommandLinkArrowHot.bmp    the same arrow, lighter, while the pointer is over it

Shapes are signed distance functions in a unit square, rendered with 4 x 4
supersampling. Only the standard library is used.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def seg(ax, ay, bx, by, r):
    def d(x, y):
        px, py, vx, vy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * vx + py * vy) / (vx * vx + vy * vy)))
        return math.hypot(px - vx * t, py - vy * t) - r
    return d


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def arc(cx, cy, r, w, a0, a1):
    """A band of width 2w around the circle, between angles a0 and a1 (degrees,
    clockwise from the right, y down)."""
    def d(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        lo, hi = a0 % 360, a1 % 360
        inside = lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)
        if inside:
            return abs(math.hypot(x - cx, y - cy) - r) - w
        ends = [(cx + r * math.cos(math.radians(t)), cy + r * math.sin(math.radians(t))) for t in (a0, a1)]
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - w
    return d


def polygon(points):
    def d(x, y):
        best = min(seg(*points[i], *points[(i + 1) % len(points)], 0.0)(x, y) for i in range(len(points)))
        inside = False
        for i in range(len(points)):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % len(points)]
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                inside = not inside
        return -best if inside else best
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def gradient(top, bottom, y0=0.0, y1=1.0):
    def paint(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return paint


def solid(c):
    return lambda x, y: c


def render(size, layers):
    """Rows (top first) of (r, g, b, a) tuples, straight alpha."""
    grid = 4
    offs = [(i + 0.5) / grid for i in range(grid)]
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for oy in offs:
                for ox in offs:
                    x, y = (px + ox) / size, (py + oy) / size
                    r = g = b = a = 0.0
                    for shape, paint in layers:
                        if shape(x, y) <= 0:
                            cr, cg, cb, ca = paint(x, y)
                            ca /= 255.0
                            r, g, b = r * (1 - ca) + cr * ca, g * (1 - ca) + cg * ca, b * (1 - ca) + cb * ca
                            a = a + ca * (1 - a)
                    # r, g, b are premultiplied here
                    acc[0] += r; acc[1] += g; acc[2] += b; acc[3] += a
            n = grid * grid
            a = acc[3] / n
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(min(255, int(round(acc[i] / n / a))) for i in range(3)) + (int(round(a * 255)),))
        rows.append(row)
    return rows


def bmp_pixels(rows, premultiply):
    data = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            if premultiply:
                r, g, b = (r * a + 127) // 255, (g * a + 127) // 255, (b * a + 127) // 255
            data += bytes((b, g, r, a))
    return bytes(data)


def icon_image(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    return header + bmp_pixels(rows, False) + bytes(mask)


def write_ico(name, draw):
    images = [(s, icon_image(render(s, draw(s)))) for s in (16, 32, 48)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in images:
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(out)


def write_bmp(name, rows):
    size = len(rows)
    pixels = bmp_pixels(rows, True)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
    head = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(head + info + pixels)


def round_badge(top, bottom, edge):
    body = disc(0.5, 0.5, 0.46)
    ring = lambda x, y: max(body(x, y), -(body(x, y) + 0.05))
    return [(body, gradient(top, bottom, 0.04, 0.96)), (ring, solid(edge))]


def pen(size, w):
    return max(w, 0.7 / size)


WHITE = (255, 255, 255, 255)


def error_icon(s):
    w = pen(s, 0.07)
    return round_badge((240, 90, 80, 255), (190, 20, 20, 255), (130, 10, 10, 255)) + [
        (union(seg(0.33, 0.33, 0.67, 0.67, w), seg(0.67, 0.33, 0.33, 0.67, w)), solid(WHITE))]


def information_icon(s):
    return round_badge((90, 160, 240, 255), (20, 80, 190, 255), (10, 50, 130, 255)) + [
        (union(disc(0.5, 0.28, pen(s, 0.075)), seg(0.5, 0.45, 0.5, 0.75, pen(s, 0.07))), solid(WHITE))]


def question_icon(s):
    w = pen(s, 0.065)
    return round_badge((90, 160, 240, 255), (20, 80, 190, 255), (10, 50, 130, 255)) + [
        (union(arc(0.5, 0.37, 0.14, w, 180, 80), seg(0.52, 0.51, 0.5, 0.6, w), disc(0.5, 0.76, pen(s, 0.07))),
         solid(WHITE))]


def warning_icon(s):
    tri = polygon([(0.5, 0.05), (0.96, 0.92), (0.04, 0.92)])
    edge = lambda x, y: max(tri(x, y), -(tri(x, y) + 0.05))
    black = (30, 30, 30, 255)
    return [(tri, gradient((255, 225, 90, 255), (240, 180, 20, 255), 0.05, 0.92)),
            (edge, solid((160, 110, 0, 255))),
            (union(seg(0.5, 0.35, 0.5, 0.62, pen(s, 0.065)), disc(0.5, 0.78, pen(s, 0.07))), solid(black))]


def shield_icon(s):
    outline = [(0.5, 0.04), (0.9, 0.16), (0.88, 0.55), (0.5, 0.96), (0.12, 0.55), (0.1, 0.16)]
    body = polygon(outline)
    blue, yellow = (40, 100, 210, 255), (250, 200, 40, 255)

    def quarter(x, y):
        return blue if (x < 0.5) == (y < 0.48) else yellow
    edge = lambda x, y: max(body(x, y), -(body(x, y) + 0.045))
    return [(body, quarter), (edge, solid((40, 40, 60, 255)))]


def arrow(colour_top, colour_bottom):
    def draw(s):
        w = 0.09
        shape = union(seg(0.15, 0.5, 0.78, 0.5, w), seg(0.5, 0.2, 0.8, 0.5, w), seg(0.5, 0.8, 0.8, 0.5, w))
        return [(shape, gradient(colour_top, colour_bottom, 0.2, 0.8))]
    return draw


def main():
    write_ico('TaskDialogError.ico', error_icon)
    write_ico('TaskDialogWarning.ico', warning_icon)
    write_ico('TaskDialogInformation.ico', information_icon)
    write_ico('TaskDialogShield.ico', shield_icon)
    write_ico('TaskDialogQuestion.ico', question_icon)
    write_bmp('CommandLinkArrow.bmp', render(20, arrow((60, 170, 60, 255), (20, 120, 30, 255))(20)))
    write_bmp('CommandLinkArrowHot.bmp', render(20, arrow((110, 220, 110, 255), (40, 170, 50, 255))(20)))


if __name__ == '__main__':
    main()
