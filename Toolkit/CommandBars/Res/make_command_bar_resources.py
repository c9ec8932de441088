#!/usr/bin/env python3
"""Draws the command bars' resources: the column-resize cursor (a single
upright bar with an arrow on each side, also shown over the report
control's column dividers) and the four window buttons a menu bar shows for
a maximized document (restore, minimize, maximize, close). Run from any
folder; writes the files beside itself."""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The shared writers of cursor and bitmap files live in the repository's scripts folder.
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "scripts"))
from resource_files import bmp24_file, cursor_file  # noqa: E402


# ---- the cursor: 32 x 32 monochrome; 'X' black, 'o' white, else transparent

def column_resize():
    g = [[" "] * 32 for _ in range(32)]
    # The bar: one white column framed by black, from row 5 to row 26.
    for y in range(5, 27):
        g[y][14] = "X"
        g[y][15] = "o"
        g[y][16] = "X"
    # A shaft and a head on each side, pointing away from the bar.
    for x in list(range(5, 13)) + list(range(19, 27)):
        g[15][x] = "X"
        g[16][x] = "X"
    for k in range(5):
        for y in range(15 - k, 17 + k):
            g[y][4 + k] = "X"
            g[y][27 - k] = "X"
    return g, (15, 15)


# ---- the window buttons: four 16 x 16 images on magenta (the mask colour)

MAGENTA = (255, 0, 255)
INK = (0, 0, 0)

RESTORE = [
    "................",
    "................",
    ".....XXXXXXXX...",
    ".....XXXXXXXX...",
    ".....X......X...",
    "...XXXXXXXX.X...",
    "...XXXXXXXX.X...",
    "...X......X.X...",
    "...X......XXX...",
    "...X......X.....",
    "...X......X.....",
    "...X......X.....",
    "...XXXXXXXX.....",
    "................",
    "................",
    "................",
]

MINIMIZE = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "....XXXXXXX.....",
    "....XXXXXXX.....",
    "................",
    "................",
    "................",
]

MAXIMIZE = [
    "................",
    "................",
    "...XXXXXXXXXX...",
    "...XXXXXXXXXX...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...X........X...",
    "...XXXXXXXXXX...",
    "................",
    "................",
    "................",
]

CLOSE = [
    "................",
    "................",
    "................",
    "....XX....XX....",
    ".....XX..XX.....",
    "......XXXX......",
    ".......XX.......",
    "......XXXX......",
    ".....XX..XX.....",
    "....XX....XX....",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
]


def window_buttons_bmp():
    images = [RESTORE, MINIMIZE, MAXIMIZE, CLOSE]

    def pixel(x, y):
        return INK if images[x // 16][y][x % 16] == "X" else MAGENTA

    return bmp24_file(16 * len(images), 16, pixel)


def main():
    grid, hotspot = column_resize()
    with open(os.path.join(HERE, "ColumnResize.cur"), "wb") as f:
        f.write(cursor_file(grid, hotspot))
    with open(os.path.join(HERE, "WindowButtons.bmp"), "wb") as f:
        f.write(window_buttons_bmp())


if __name__ == "__main__":
    main()
