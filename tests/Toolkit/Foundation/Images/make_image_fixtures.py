#!/usr/bin/env python3
"""Writes the picture fixtures of the foundation tests: small PNGs of every
colour type the decoder transforms, damaged and oversized PNG headers, 24- and
32-bit bitmaps (files and bare DIB resources, good and damaged) and .ico files.
Run from this folder; the outputs are committed beside this script."""
import struct
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(width, height, bit_depth, color_type, rows, extra=b""):
    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, color_type, 0, 0, 0)
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + extra + chunk(b"IDAT", zlib.compress(raw)) +
            chunk(b"IEND", b""))


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


# RGBA: two pixels (10, 20, 30, 40) and (50, 60, 70, 255).
rgba = png(2, 1, 8, 6, [bytes([10, 20, 30, 40, 50, 60, 70, 255])])
write("rgba.png", rgba)
# Palette of two entries, the first half transparent through tRNS.
palette = chunk(b"PLTE", bytes([200, 0, 0, 0, 0, 200])) + chunk(b"tRNS", bytes([128]))
write("palette_trns.png", png(2, 1, 8, 3, [bytes([0, 1])], palette))
# Grey: two pixels 0 and 200.
write("grey.png", png(2, 1, 8, 0, [bytes([0, 200])]))
# 16 bits per channel: (0x1234, 0x5678, 0x9ABC) reduces to (0x12, 0x56, 0x9A).
write("rgb16.png", png(1, 1, 16, 2, [struct.pack(">HHH", 0x1234, 0x5678, 0x9ABC)]))
# RGBA on a white bKGD: a transparent red pixel shows the background, an
# opaque blue one stays blue.
write("bkgd.png", png(2, 1, 8, 6, [bytes([255, 0, 0, 0, 0, 0, 255, 255])], chunk(b"bKGD", struct.pack(">HHH", 255, 255, 255))))
# Damage: the IHDR's checksum is wrong.
damaged = bytearray(rgba)
damaged[29] ^= 0xFF
write("damaged.png", bytes(damaged))
# Cut inside the image data.
write("truncated.png", rgba[:len(rgba) - 20])
# Nine bytes: too short to be a picture at all.
write("nine_bytes.png", rgba[:9])
# Headers that claim pictures far too large to hold, with no data after them.
sig = b"\x89PNG\r\n\x1a\n"
write("huge_side.png", sig + chunk(b"IHDR", struct.pack(">IIBBBBB", 100000, 100000, 8, 6, 0, 0, 0)) +
      chunk(b"IEND", b""))
write("huge_bytes.png", sig + chunk(b"IHDR", struct.pack(">IIBBBBB", 16000, 16000, 8, 6, 0, 0, 0)) +
      chunk(b"IEND", b""))


def dib(width, height, bits, pixels, size_image=None):
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                         len(pixels) if size_image is None else size_image, 2835, 2835, 0, 0)
    return header + pixels


def bmp_file(d):
    return struct.pack("<2sIHHI", b"BM", 14 + len(d), 0, 0, 14 + 40) + d


# 2 x 2, bottom-up. 24-bit rows are padded to 8 bytes.
px24 = bytes([255, 0, 0, 0, 255, 0, 0, 0]) + bytes([0, 0, 255, 255, 255, 255, 0, 0])
write("bgr24.bmp", bmp_file(dib(2, 2, 24, px24)))
# 32-bit with alpha: (B 1, G 2, R 3, A 4), (B 5, G 6, R 7, A 255) in each row.
px32 = bytes([1, 2, 3, 4, 5, 6, 7, 255]) * 2
write("bgra32.bmp", bmp_file(dib(2, 2, 32, px32)))
# Bare DIB resources (RT_BITMAP holds no file header).
write("bgra32.dib", dib(2, 2, 32, px32))
write("bgra32_short.dib", dib(2, 2, 32, px32)[:-1])
write("bgra32_topdown.dib", dib(2, -2, 32, px32))
write("bgra32_zero_height.dib", dib(2, 0, 32, px32))
write("bgra32_huge.dib", dib(0x10000, 0x10000, 32, px32))


def icon_image_32(size, bgra):
    """An icon image: the header's height covers colour and mask rows."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = ((size + 31) // 32) * 4
    return header + bgra * (size * size) + b"\x00" * (mask_row * size)


def ico(entries):
    """entries: (width byte, height byte, image bytes)."""
    out = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    images = b""
    for w, h, image in entries:
        out += struct.pack("<BBBBHHII", w, h, 0, 0, 1, 32, len(image), offset + len(images))
        images += image
    return out + images


img16 = icon_image_32(16, bytes([10, 20, 30, 255]))
img256 = icon_image_32(256, bytes([40, 50, 60, 128]))
write("two_sizes.ico", ico([(16, 16, icon_image_32(16, bytes([10, 20, 30, 255]))),
                           (32, 32, icon_image_32(32, bytes([40, 50, 60, 255])))]))

# A tool-bar strip of four 16 x 16 cells in blue 60, 120, 180 and 240, with a
# magenta top-left pixel (the strip's transparent colour).
strip = bytearray()
for y in range(16):
    row = bytearray()
    for x in range(64):
        row += bytes([60 * (x // 16 + 1), 0, 0])
    strip += row
strip[(15 * 64) * 3:(15 * 64) * 3 + 3] = bytes([255, 0, 255])  # bottom-up: the last row is the top
write("toolbar_strip.bmp", bmp_file(dib(64, 16, 24, bytes(strip))))
