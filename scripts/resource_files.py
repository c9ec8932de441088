"""Writers of the Windows resource file formats that the toolkit's image
scripts share: monochrome cursors drawn in a character grid and 24-bit
bitmaps drawn by a pixel function. The scripts that draw the resources import
this module; it draws nothing itself."""

import struct


def cursor_file(grid, hotspot):
    """A 32 x 32 monochrome .cur file. grid[y][x] is 'X' for black, 'o' for
    white and anything else for transparent; hotspot is (x, y)."""
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


def bmp24_file(width, height, pixel):
    """A 24-bit .bmp file; pixel(x, y) gives (r, g, b), rows top first."""
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in reversed(range(height)):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)) + header + data
