#!/usr/bin/env python3
"""Draws the tool-bar bitmaps of the command-bar tests: three 16 x 16 images
and two 24 x 24 images, each a filled square of its own colour on a grey
ground. Run from any folder; writes the files beside itself."""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

COLOURS = [(200, 40, 40), (40, 160, 40), (40, 40, 200)]


def bmp_bytes(width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += bytes(row - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 14 + len(header))
    return file_header + header + data


def strip(size, count):
    def pixel(x, y):
        index, inner = divmod(x, size)
        if 2 <= inner < size - 2 and 2 <= y < size - 2:
            return COLOURS[index % len(COLOURS)]
        return (192, 192, 192)
    return bmp_bytes(size * count, size, pixel)


def main():
    with open(os.path.join(HERE, "ToolBar16.bmp"), "wb") as f:
        f.write(strip(16, 3))
    with open(os.path.join(HERE, "ToolBar24.bmp"), "wb") as f:
        f.write(strip(24, 2))


if __name__ == "__main__":
    main()
