#!/usr/bin/env python3
"""Draws the standard controls' resources: the drag and split cursors, the
hand cursor, the edit tool bar's images and the browse button's drop-down
icon. Run from this folder; writes the files beside itself."""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The shared writers of cursor and bitmap files live in the repository's scripts folder.
sys.path.insert(0, os.path.join(HERE, "..", "..", "..", "scripts"))
from resource_files import bmp24_file, cursor_file  # noqa: E402

# ---- cursors: 32 x 32 monochrome, drawn as text ---------------------------
# 'X' black, 'o' white, anything else transparent.

ARROW = [
    "X",
    "XX",
    "XoX",
    "XooX",
    "XoooX",
    "XooooX",
    "XoooooX",
    "XooooooX",
    "XoooooooX",
    "XooooooooX",
    "XoooooXXXXX",
    "XooXooX",
    "XoX XooX",
    "XX  XooX",
    "X    XooX",
    "     XooX",
    "      XX",
]


def blank():
    return [[" "] * 32 for _ in range(32)]


def paste(grid, rows, x0, y0):
    for dy, row in enumerate(rows):
        for dx, ch in enumerate(row):
            if ch != " " and 0 <= y0 + dy < 32 and 0 <= x0 + dx < 32:
                grid[y0 + dy][x0 + dx] = ch


def box(grid, x0, y0, x1, y1, fill):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            edge = x in (x0, x1) or y in (y0, y1)
            grid[y][x] = "X" if edge else fill


# Drag with copy: the arrow and a small box with a plus.
def drag_copy():
    g = blank()
    paste(g, ARROW, 0, 0)
    box(g, 12, 16, 22, 26, "o")
    for i in range(14, 21):
        g[21][i] = "X"
        g[i + 2][17] = "X"
    return g, (0, 0)


# Drag to move: the arrow and a dotted box.
def drag_move():
    g = blank()
    paste(g, ARROW, 0, 0)
    for x in range(12, 23):
        for y in (17, 25):
            g[y][x] = "X" if x % 2 == 0 else "o"
    for y in range(17, 26):
        for x in (12, 22):
            g[y][x] = "X" if y % 2 == 1 else "o"
    return g, (0, 0)


# Dropping is not possible here: a circle with a slash.
def drag_none():
    g = blank()
    cx, cy, r = 15.5, 15.5, 10.5
    for y in range(32):
        for x in range(32):
            d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
            if r - 3 <= d <= r:
                g[y][x] = "X"
            elif r < d <= r + 1 or r - 4 <= d < r - 3:
                g[y][x] = "o"
    for i in range(-7, 8):
        for w in (-1, 0, 1):
            x, y = int(cx + i + w), int(cy - i)
            g[y][x] = "X"
    return g, (15, 15)


# Splitters: a double bar with an arrow head on each side of it. vertical:
# the bar stands upright and the arrows point left and right.
def split(vertical):
    g = blank()

    def put(a, b, ch):
        # a runs along the bar, b across it.
        if vertical:
            g[a][b] = ch
        else:
            g[b][a] = ch

    for a in range(6, 26):
        put(a, 14, "X")
        put(a, 15, "o")
        put(a, 16, "o")
        put(a, 17, "X")
    for b in list(range(4, 13)) + list(range(19, 28)):
        put(15, b, "X")
        put(16, b, "X")
    for k in range(5):
        for a in range(15 - k, 17 + k):
            put(a, 3 + k, "X")
            put(a, 28 - k, "X")
    return g, (15, 15)


# The hand of a link: a pointing finger.
HAND = [
    "     XX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooX",
    "    XooXXX",
    "    XooXooXXX",
    "    XooXooXooXX",
    " XX XooXooXooXoX",
    "XooXXooooooooXoX",
    "XoooXoooooooooooX",
    " XooXoooooooooooX",
    "  XoXoooooooooooX",
    "  XooooooooooooX",
    "   XoooooooooooX",
    "   XooooooooooX",
    "    XoooooooooX",
    "    XooooooooX",
    "     XoooooooX",
    "     XXXXXXXXX",
]


def hand():
    g = blank()
    paste(g, HAND, 0, 0)
    return g, (5, 0)


# ---- 32-bit images -----------------------------------------------------------


def ico32(size, pixel):
    """pixel(x, y) -> (r, g, b, a)."""
    xor = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    and_ = bytearray()
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            if pixel(x, y)[3] == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        and_ += bits.to_bytes(mask_row, "big")
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(and_), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(and_)
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22) + image


# The edit tool bar: Undo, Cut, Copy, Paste, Delete, 16 x 15 each, on the
# tool bar's transparent grey.
GREY = (192, 192, 192)
INK = (32, 32, 32)
BLUE = (40, 90, 200)
RED = (200, 40, 40)
PAPER = (255, 255, 255)
BROWN = (150, 110, 60)


def toolbar_pixel(x, y):
    i, x = divmod(x, 16)
    if i == 0:  # Undo: a curved arrow to the left
        if 9 <= y <= 10 and 4 <= x <= 11 or 11 <= x <= 12 and 6 <= y <= 10 or 6 <= y <= 7 and 8 <= x <= 11:
            return BLUE
        if abs(y - 10) + (x - 2) <= 3 and x >= 2 and 7 <= y <= 13:
            return BLUE
        if 12 <= x <= 13 and 7 <= y <= 9:
            return BLUE
    elif i == 1:  # Cut: two blades and two rings
        if x - 4 == y - 1 and 1 <= y <= 8 or 11 - x == y - 1 and 1 <= y <= 8:
            return INK
        for cx in (4, 11):
            d = (x - cx) ** 2 + (y - 11) ** 2
            if 4 <= d <= 8:
                return BLUE
    elif i == 2:  # Copy: two sheets
        for ox, oy in ((1, 1), (6, 5)):
            if ox <= x <= ox + 8 and oy <= y <= oy + 9:
                edge = x in (ox, ox + 8) or y in (oy, oy + 9)
                return INK if edge else PAPER
    elif i == 3:  # Paste: a clipboard with a sheet
        if 7 <= x <= 14 and 6 <= y <= 14:
            return INK if x in (7, 14) or y in (6, 14) else PAPER
        if 1 <= x <= 10 and 2 <= y <= 13:
            return INK if x in (1, 10) or y in (2, 13) else BROWN
        if 4 <= x <= 7 and 1 <= y <= 3:
            return INK
    elif i == 4:  # Delete: a red cross
        if 3 <= x <= 12 and 3 <= y <= 12 and (abs(x - y) <= 1 or abs(x + y - 15) <= 1):
            return RED
    return GREY


def dropdown_pixel(x, y):
    # A small down-pointing triangle, centred, for the drop-down browse button.
    top = 6
    if top <= y <= top + 4:
        half = 4 - (y - top)
        if 8 - half - 1 <= x <= 8 + half:
            return (0, 0, 0, 255)
    return (0, 0, 0, 0)


def main():
    cursors = {
        "DragCopy.cur": drag_copy(),
        "DragMove.cur": drag_move(),
        "DragNone.cur": drag_none(),
        "SplitVertical.cur": split(True),
        "SplitHorizontal.cur": split(False),
        "Hand.cur": hand(),
    }
    for name, (grid, hotspot) in cursors.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(cursor_file(grid, hotspot))
    with open(os.path.join(HERE, "EditToolbar.bmp"), "wb") as f:
        f.write(bmp24_file(80, 15, toolbar_pixel))
    with open(os.path.join(HERE, "BrowseDropDown.ico"), "wb") as f:
        f.write(ico32(16, dropdown_pixel))


if __name__ == "__main__":
    main()
