#!/usr/bin/env python3
"""Draws Lorvane's two icons and writes them as .ico files.

    python3 make_icons.py [--preview DIR]

Writes Lorvane.ico (the program and local drives) and NetworkDrive.ico
(network drives) next to this script, each with 16, 32, 48 and 256 pixel
images: the 256 pixel image is stored as PNG, the smaller ones as 32-bit
bitmaps with an AND mask, which every icon loader understands. With
--preview the images are also written as separate PNG files into DIR.

The pictures are a grey drive body with a blue letter plate carrying an
"L"; the network variant stands the drive on a small network cable with
three nodes. Shapes are described as signed distance functions in a unit
square and rendered with supersampling, so the edges are anti-aliased at
every size. Only the standard library is used.
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)


# --- Shapes -------------------------------------------------------------------
# Every shape answers the signed distance of a point in unit coordinates
# (negative inside) and knows its bounding box, so the renderer can skip it.

class RoundRect:
    def __init__(self, x0, y0, x1, y1, radius):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.r = min(radius, (x1 - x0) / 2, (y1 - y0) / 2)
        self.bbox = (x0, y0, x1, y1)

    def distance(self, x, y):
        cx, cy = (self.x0 + self.x1) / 2, (self.y0 + self.y1) / 2
        hx, hy = (self.x1 - self.x0) / 2 - self.r, (self.y1 - self.y0) / 2 - self.r
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r


class Circle:
    def __init__(self, cx, cy, radius):
        self.cx, self.cy, self.r = cx, cy, radius
        self.bbox = (cx - radius, cy - radius, cx + radius, cy + radius)

    def distance(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes
        self.bbox = (min(s.bbox[0] for s in shapes), min(s.bbox[1] for s in shapes),
                     max(s.bbox[2] for s in shapes), max(s.bbox[3] for s in shapes))

    def distance(self, x, y):
        return min(s.distance(x, y) for s in self.shapes)


class Ring:
    """The band of a shape between its edge and `width` inside it."""

    def __init__(self, shape, width):
        self.shape, self.width = shape, width
        self.bbox = shape.bbox

    def distance(self, x, y):
        d = self.shape.distance(x, y)
        return max(d, -d - self.width)


# --- Paints -------------------------------------------------------------------

def solid(rgba):
    return lambda x, y: rgba


def vertical_gradient(y0, y1, top, bottom):
    def paint(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return paint


def radial_glow(cx, cy, radius, centre, edge):
    def paint(x, y):
        t = min(math.hypot(x - cx, y - cy) / radius, 1.0)
        return tuple(a + (b - a) * t for a, b in zip(centre, edge))
    return paint


# --- The two pictures -----------------------------------------------------------

def line_width(size, unit_width):
    """A stroke of `unit_width`, but never thinner than one pixel."""
    return max(unit_width, 1.0 / size)


def pixel_snapper(size):
    """Rounds unit coordinates to whole pixels at the small sizes, so that
    outlines and slots fall on pixel edges instead of smearing over two."""
    if size > 48:
        return lambda v: v
    return lambda v: round(v * size) / size


def drive_layers(size, top, bottom):
    """The drive body between `top` and `bottom`, with its plate and LED."""
    snap = pixel_snapper(size)
    pixel = 1.0 / size
    top, bottom = snap(top), snap(bottom)
    layers = []
    body = RoundRect(snap(0.06), top, snap(0.94), bottom, max(0.09, 1.5 * pixel))
    if size > 16:
        shadow = RoundRect(0.08, top + 0.035, 0.96, bottom + 0.035, 0.09)
        layers.append((shadow, solid((0, 0, 0, 70))))
    layers.append((body, vertical_gradient(top, bottom, (222, 226, 232, 255), (150, 157, 168, 255))))
    # A lighter band along the top edge reads as the drive's upper face.
    if size > 16:
        highlight = RoundRect(0.10, top + 0.03, 0.90, top + 0.10, 0.04)
        layers.append((highlight, solid((248, 250, 252, 150))))
    layers.append((Ring(body, line_width(size, 0.025)), solid((78, 84, 96, 255))))

    # Ventilation slots and the activity LED on the right half.
    height = bottom - top
    slot_h = line_width(size, 0.035)
    for i in range(1 if size <= 16 else 3):
        y = snap(top + height * (0.45 + 0.17 * i))
        layers.append((RoundRect(snap(0.56), y, snap(0.74), y + slot_h, slot_h / 2), solid((98, 104, 116, 255))))
    led = Circle(0.83, top + height * 0.70, max(0.05, 1.2 * pixel))
    layers.append((led, radial_glow(0.82, top + height * 0.68, led.r, (170, 255, 170, 255), (30, 165, 70, 255))))

    # The letter plate: a blue tile on the left of the front with a white L.
    px0, py0 = snap(0.13), snap(top + height * 0.20)
    px1, py1 = snap(0.50), snap(bottom - height * 0.14)
    if size <= 16:
        # No room for a margin inside a 16 pixel drive: the plate fills
        # the body's height between the outlines.
        px0, py0, px1, py1 = snap(0.06) + pixel, top + pixel, snap(0.50), bottom - pixel
    plate = RoundRect(px0, py0, px1, py1, max(0.05, 1.0 * pixel))
    layers.append((plate, vertical_gradient(py0, py1, (64, 150, 240, 255), (22, 92, 196, 255))))
    if size > 16:
        layers.append((Ring(plate, line_width(size, 0.018)), solid((14, 62, 140, 255))))
    w, h = px1 - px0, py1 - py0
    stroke = snap(max(0.17 * w, 1.4 * pixel)) or pixel
    sx0 = snap(px0 + 0.30 * w)
    sy0, sy1 = snap(py0 + 0.18 * h), snap(py1 - 0.16 * h)
    stem = RoundRect(sx0, sy0, sx0 + stroke, sy1, stroke * 0.15)
    foot = RoundRect(sx0, sy1 - stroke, max(snap(px0 + 0.74 * w), sx0 + 2 * stroke), sy1, stroke * 0.15)
    layers.append((Union(stem, foot), solid((255, 255, 255, 255))))
    return layers


def local_drive_layers(size):
    return drive_layers(size, 0.22, 0.80)


def network_drive_layers(size):
    snap = pixel_snapper(size)
    layers = drive_layers(size, 0.08, 0.62)
    cable = (40, 46, 58, 255)
    node = vertical_gradient(0.78, 0.96, (255, 196, 70, 255), (226, 132, 20, 255))
    thick = line_width(size, 0.06)
    mid, bar = snap(0.5 - thick / 2), snap(0.86 - thick / 2)
    layers.append((RoundRect(mid, snap(0.62), mid + thick, bar, 0.0), solid(cable)))
    layers.append((RoundRect(snap(0.10), bar, snap(0.90), bar + thick, thick / 2), solid(cable)))
    for cx in (0.13, 0.5, 0.87):
        box = RoundRect(snap(cx - 0.09), snap(0.77), snap(cx + 0.09), snap(0.95), 0.03)
        layers.append((box, node))
        if size > 16:
            layers.append((Ring(box, line_width(size, 0.02)), solid((150, 84, 10, 255))))
    return layers


# --- Rendering ------------------------------------------------------------------

def render(size, layers):
    """Rows of (r, g, b, a) bytes, top row first, non-premultiplied."""
    grid = 4 if size <= 64 else 3
    offsets = [(i + 0.5) / grid for i in range(grid)]
    samples = grid * grid
    rows = []
    for py in range(size):
        row = bytearray()
        # Shapes that touch this pixel row, found once per row.
        y_top, y_bottom = py / size, (py + 1) / size
        row_layers = [(s, p) for s, p in layers if s.bbox[1] <= y_bottom and s.bbox[3] >= y_top]
        for px in range(size):
            x_left, x_right = px / size, (px + 1) / size
            active = [(s, p) for s, p in row_layers if s.bbox[0] <= x_right and s.bbox[2] >= x_left]
            acc_r = acc_g = acc_b = acc_a = 0.0
            for oy in offsets:
                y = (py + oy) / size
                for ox in offsets:
                    x = (px + ox) / size
                    # Composite the layers "over" each other at this sample.
                    r = g = b = a = 0.0
                    for shape, paint in active:
                        if shape.distance(x, y) > 0.0:
                            continue
                        cr, cg, cb, ca = paint(x, y)
                        ca /= 255.0
                        r = cr * ca + r * (1.0 - ca)
                        g = cg * ca + g * (1.0 - ca)
                        b = cb * ca + b * (1.0 - ca)
                        a = ca + a * (1.0 - ca)
                    acc_r += r
                    acc_g += g
                    acc_b += b
                    acc_a += a
            alpha = acc_a / samples
            if alpha <= 0.0:
                row += b"\0\0\0\0"
                continue
            # The accumulated colours are premultiplied; undo that for storage.
            row += bytes((min(255, round(acc_r / samples / alpha)),
                          min(255, round(acc_g / samples / alpha)),
                          min(255, round(acc_b / samples / alpha)),
                          min(255, round(alpha * 255))))
        rows.append(bytes(row))
    return rows


# --- File formats -----------------------------------------------------------------

def png_bytes(size, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\0" + row for row in rows)                    # filter 0 per row
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp_icon_bytes(size, rows):
    """A 32-bit icon image: BITMAPINFOHEADER, BGRA rows and the AND mask, bottom up."""
    mask_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[4 * x:4 * x + 4]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def ico_bytes(images):
    """images: list of (size, image bytes) in the order they are to be stored."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b"".join(data for _, data in images)


def build_icon(name, layer_factory, out_dir, preview_dir):
    images = []
    for size in SIZES:
        rows = render(size, layer_factory(size))
        png = png_bytes(size, rows)
        images.append((size, png if size >= 256 else bmp_icon_bytes(size, rows)))
        if preview_dir:
            stem = os.path.splitext(name)[0]
            with open(os.path.join(preview_dir, "%s-%d.png" % (stem, size)), "wb") as f:
                f.write(png)
    with open(os.path.join(out_dir, name), "wb") as f:
        f.write(ico_bytes(images))


def main(argv):
    preview_dir = None
    if len(argv) == 3 and argv[1] == "--preview":
        preview_dir = argv[2]
        os.makedirs(preview_dir, exist_ok=True)
    elif len(argv) != 1:
        sys.stderr.write(__doc__)
        return 2
    out_dir = os.path.dirname(os.path.abspath(__file__))
    build_icon("Lorvane.ico", local_drive_layers, out_dir, preview_dir)
    build_icon("NetworkDrive.ico", network_drive_layers, out_dir, preview_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
