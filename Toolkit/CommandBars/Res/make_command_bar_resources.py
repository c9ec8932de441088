#!/usr/bin/env python3
"""Draws the command bars' resources: the column-resize cursor (a single
upright bar with an arrow on each side, also shown over the report
control's column dividers) and the four window buttons a menu bar shows for
a maximized document (restore, minimize, maximize, close). Run from any
folder; writes the files beside itself."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


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


def cur_bytes(grid, hotspot):
    w = h = 32
    xor = bytearray()
    and_ = bytearray()
    for y in reversed(range(h)):
        xr = 0
        ar = 0
        for x in range(w):
            ch = grid[y][x]
            bit = 1 << (31 - x)
            if ch == "o":
                xr |= bit
            elif ch != "X":
                ar |= bit
        xor += struct.pack(">I", xr)
        and_ += struct.pack(">I", ar)
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + bytes(xor) + bytes(and_)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", w, h, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


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
    width, height = 16 * len(images), 16
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for x in range(width):
            r, g, b = INK if images[x // 16][y][x % 16] == "X" else MAGENTA
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data


def main():
    grid, hotspot = column_resize()
    with open(os.path.join(HERE, "ColumnResize.cur"), "wb") as f:
        f.write(cur_bytes(grid, hotspot))
    with open(os.path.join(HERE, "WindowButtons.bmp"), "wb") as f:
        f.write(window_buttons_bmp())


if __name__ == "__main__":
    main()
