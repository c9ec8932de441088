#!/usr/bin/env python3
"""Draws the tool-bar images of the gallery's "commandbars" page: for each of
its three tool bars a strip of 16 x 16 images on a magenta ground (the image
manager takes the top-left pixel as the clear colour), one image per button
in the order of the bar's tool-bar resource in ControlGallery.rc. Run from
any folder; writes GalleryTopBar.bmp, GalleryLeftBar.bmp and
GalleryFormatBar.bmp beside itself."""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
SIZE = 16
CLEAR = (255, 0, 255)
INK = (40, 40, 40)
WHITE = (250, 250, 250)


class Image:
    def __init__(self):
        self.px = [[CLEAR] * SIZE for _ in range(SIZE)]

    def set(self, x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def box(self, x0, y0, x1, y1, inside, outline=INK):
        self.fill(x0, y0, x1, y1, inside)
        self.frame(x0, y0, x1, y1, outline)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def disc(self, cx, cy, r, colour, ring=None):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if d <= r:
                    self.set(x, y, ring if ring and d > r - 1.2 else colour)


def page(img, x0=3, y0=1, colour=WHITE):
    img.box(x0, y0, x0 + 9, y0 + 13, colour)
    img.fill(x0 + 7, y0, x0 + 9, y0 + 2, CLEAR)
    img.line(x0 + 7, y0, x0 + 9, y0 + 2, INK)


def arrow(img, left, colour):
    y = 8
    if left:
        img.line(2, y, 7, y - 5, colour)
        img.line(2, y, 7, y + 5, colour)
        img.fill(3, y - 1, 13, y + 1, colour)
    else:
        img.line(13, y, 8, y - 5, colour)
        img.line(13, y, 8, y + 5, colour)
        img.fill(2, y - 1, 12, y + 1, colour)


def glyph_new(img, hue):
    page(img)
    img.disc(11, 11, 3, hue)


def glyph_open(img, hue):
    img.box(1, 4, 13, 13, (240, 200, 80))
    img.box(1, 3, 6, 5, (240, 200, 80))
    img.line(3, 13, 6, 7, INK)
    img.line(6, 7, 15, 7, INK)
    img.line(15, 7, 13, 13, INK)


def glyph_save(img, hue):
    img.box(1, 1, 14, 14, hue)
    img.box(4, 1, 11, 6, WHITE)
    img.box(4, 9, 11, 14, (200, 200, 200))


def glyph_cut(img, hue):
    img.line(4, 1, 10, 10, INK)
    img.line(11, 1, 5, 10, INK)
    img.disc(4, 12, 2.5, WHITE, hue)
    img.disc(11, 12, 2.5, WHITE, hue)


def glyph_copy(img, hue):
    page(img, 1, 1)
    page(img, 5, 2, (220, 230, 250))


def glyph_paste(img, hue):
    img.box(2, 2, 12, 14, (170, 120, 60))
    img.box(5, 1, 9, 3, (200, 200, 200))
    page(img, 6, 5)


def glyph_undo(img, hue):
    arrow(img, True, hue)


def glyph_redo(img, hue):
    arrow(img, False, hue)


def glyph_find(img, hue):
    img.disc(6, 6, 4.5, WHITE, INK)
    img.line(9, 9, 14, 14, hue)
    img.line(10, 9, 14, 13, hue)


def glyph_print(img, hue):
    img.box(4, 1, 11, 6, WHITE)
    img.box(1, 6, 14, 12, (180, 180, 180))
    img.box(4, 10, 11, 14, WHITE)
    img.set(12, 8, hue)


def glyph_help(img, hue):
    img.disc(7.5, 7.5, 7, hue, INK)
    img.fill(6, 3, 9, 4, WHITE)
    img.fill(9, 4, 10, 7, WHITE)
    img.fill(7, 7, 8, 9, WHITE)
    img.fill(7, 11, 8, 12, WHITE)


def glyph_square(img, hue):
    img.box(2, 2, 13, 13, hue)


def glyph_circle(img, hue):
    img.disc(7.5, 7.5, 6.5, hue, INK)


def glyph_line(img, hue):
    for d in range(-1, 2):
        img.line(2 + d, 13, 13 + d, 2, hue)


def glyph_pen(img, hue):
    img.line(3, 12, 12, 3, INK)
    img.line(4, 13, 13, 4, INK)
    img.line(4, 12, 12, 4, hue)
    img.line(2, 14, 3, 13, INK)


def glyph_bold(img, hue):
    img.fill(4, 2, 6, 13, INK)
    img.fill(7, 2, 10, 3, INK)
    img.fill(7, 7, 10, 8, INK)
    img.fill(7, 12, 11, 13, INK)
    img.fill(10, 3, 11, 6, INK)
    img.fill(11, 8, 12, 12, INK)


def glyph_align(img, hue, shift):
    for i, width in enumerate((11, 7, 11, 7)):
        x0 = 2 if shift == 0 else (13 - width if shift == 2 else (15 - width) // 2)
        img.fill(x0, 3 + i * 3, x0 + width - 1, 4 + i * 3, hue)


# Each button's image: a drawing and its colour, bar by bar in the order of
# the buttons in the resources.
BLUE = (40, 90, 200)
GREEN = (40, 150, 60)
RED = (200, 50, 40)
ORANGE = (230, 140, 30)
PURPLE = (130, 60, 170)
TEAL = (30, 140, 150)
BARS = {
    "GalleryTopBar.bmp": [
        (glyph_new, GREEN), (glyph_open, None), (glyph_save, BLUE), (glyph_print, RED),
        (glyph_cut, RED), (glyph_copy, None), (glyph_paste, None),
        (glyph_undo, BLUE), (glyph_redo, BLUE),
        (glyph_find, ORANGE), (glyph_find, PURPLE), (glyph_help, BLUE),
        (glyph_new, ORANGE), (glyph_open, None), (glyph_save, GREEN), (glyph_save, PURPLE),
        (glyph_square, TEAL), (glyph_circle, ORANGE), (glyph_square, PURPLE), (glyph_circle, GREEN),
        (glyph_help, PURPLE), (glyph_help, GREEN),
    ],
    "GalleryLeftBar.bmp": [
        (glyph_pen, RED), (glyph_line, BLUE), (glyph_square, GREEN), (glyph_circle, RED),
    ],
    "GalleryFormatBar.bmp": [
        (glyph_bold, None),
        (lambda img, hue: glyph_align(img, hue, 0), INK),
        (lambda img, hue: glyph_align(img, hue, 1), INK),
        (lambda img, hue: glyph_align(img, hue, 2), INK),
    ],
}


def bmp_bytes(images):
    width = SIZE * len(images)
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(SIZE)):
        line = bytearray()
        for img in images:
            for x in range(SIZE):
                r, g, b = img.px[y][x]
                line += bytes((b, g, r))
        line += bytes(row - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, SIZE, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    return file_header + header + data


def main():
    for name, drawings in BARS.items():
        images = []
        for draw, hue in drawings:
            img = Image()
            draw(img, hue)
            # The clear colour is read from the top-left pixel of the strip.
            img.set(0, 0, CLEAR)
            images.append(img)
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp_bytes(images))


if __name__ == "__main__":
    main()
