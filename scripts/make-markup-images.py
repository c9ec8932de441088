#!/usr/bin/env python3
"""Writes the picture fixtures of the markup tests into tests/Fixtures/Markup:
PNGs with alpha, a two-size .ico, a 32-bit icon whose alpha is all zero
(so its mask decides), a three-frame GIF with frame delays 10, 0 and 25
hundredths of a second, and a JPEG of two flat colours. Run it again after
changing it; the files are kept in the repository."""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', 'tests', 'Fixtures', 'Markup')


def png(width, height, pixel):
    """pixel(x, y) -> (r, g, b, a)"""
    raw = b''.join(b'\0' + b''.join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw)) + chunk(b'IEND', b''))


def icon_image(size, pixel, alpha_zero=False, mask=None):
    """A 32-bit BMP-in-ICO image; pixel(x, y) -> (r, g, b, a); mask(x, y) -> 1 transparent."""
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        row = b''
        for x in range(size):
            r, g, b, a = pixel(x, y)
            row += bytes((b, g, r, 0 if alpha_zero else a))
        rows.append(row)
    stride = ((size + 31) // 32) * 4
    mask_rows = []
    for y in range(size - 1, -1, -1):
        bits = 0
        row = bytearray(stride)
        for x in range(size):
            if mask and mask(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(row))
    return header + b''.join(rows) + b''.join(mask_rows)


def ico(images):
    """images: list of (size, data)"""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for size, data in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    return out + body


def gif(width, height, frames):
    """frames: list of (delay in 1/100 s, palette index); a 4-colour palette."""
    palette = bytes((255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255))
    out = b'GIF89a' + struct.pack('<HHBBB', width, height, 0x81, 0, 0) + palette
    out += b'\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00'
    for delay, index in frames:
        out += b'\x21\xf9\x04' + struct.pack('<BHBB', 0x04, delay, 0, 0)
        out += b'\x2c' + struct.pack('<HHHHB', 0, 0, width, height, 0)
        out += bytes((2,)) + lzw_solid(width * height, index) + b'\x00'
    return out + b'\x3b'


def lzw_solid(count, index):
    """LZW data of count pixels of one index, code size 2: a clear code
    before every code keeps every code 3 bits wide."""
    clear, end = 4, 5
    codes = []
    for _ in range(count):
        codes += [clear, index]
    codes.append(end)
    bits = 0
    nbits = 0
    data = bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += 3
        while nbits >= 8:
            data.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        data.append(bits & 0xFF)
    blocks = b''
    for i in range(0, len(data), 255):
        part = bytes(data[i:i + 255])
        blocks += bytes((len(part),)) + part
    return blocks


def jpeg(width, height, pixel):
    """A baseline JPEG of flat 8 x 8 blocks: pixel(bx, by) -> (y, cb, cr) of
    block (bx, by). Every quantiser is 1 and every block has only its DC
    value, so a decoder gives back exactly the colour the values stand for."""
    assert width % 8 == 0 and height % 8 == 0

    def segment(marker, data):
        return struct.pack('>BBH', 0xFF, marker, len(data) + 2) + data

    # One Huffman table per class, shared by the three components: the DC
    # sizes 0..11 as 4-bit codes, and the AC end-of-block as the code 0.
    dc_bits = [0, 0, 0, 12] + [0] * 12
    ac_bits = [1] + [0] * 15
    out = b'\xff\xd8'
    out += segment(0xE0, b'JFIF\0' + struct.pack('>BBBHHBB', 1, 1, 0, 1, 1, 0, 0))
    out += segment(0xDB, b'\0' + bytes([1] * 64))
    out += segment(0xC0, struct.pack('>BHHB', 8, height, width, 3) + bytes((1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0)))
    out += segment(0xC4, b'\x00' + bytes(dc_bits) + bytes(range(12)) + b'\x10' + bytes(ac_bits) + b'\x00')
    out += segment(0xDA, bytes((3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0)))

    bits = []

    def put(value, count):
        for i in range(count - 1, -1, -1):
            bits.append((value >> i) & 1)

    predictors = [0, 0, 0]
    for by in range(height // 8):
        for bx in range(width // 8):
            for component, value in enumerate(pixel(bx, by)):
                dc = 8 * (value - 128)
                diff = dc - predictors[component]
                predictors[component] = dc
                size = abs(diff).bit_length()
                put(size, 4)
                if size:
                    put(diff if diff > 0 else diff + (1 << size) - 1, size)
                put(0, 1)  # end of block
    while len(bits) % 8:
        bits.append(1)
    data = bytearray()
    for i in range(0, len(bits), 8):
        byte = int(''.join(map(str, bits[i:i + 8])), 2)
        data.append(byte)
        if byte == 0xFF:
            data.append(0)
    return out + bytes(data) + b'\xff\xd9'


def main():
    os.makedirs(OUT, exist_ok=True)
    # 40 x 40: opaque red with a transparent 10-pixel band on the right.
    with open(os.path.join(OUT, 'red-alpha.png'), 'wb') as f:
        f.write(png(40, 40, lambda x, y: (255, 0, 0, 0) if x >= 30 else (255, 0, 0, 255)))
    # 16 x 16 blue and 32 x 32 green, opaque.
    with open(os.path.join(OUT, 'two-sizes.ico'), 'wb') as f:
        f.write(ico([(16, icon_image(16, lambda x, y: (0, 0, 255, 255))),
                     (32, icon_image(32, lambda x, y: (0, 128, 0, 255)))]))
    # 16 x 16, alpha all zero: the mask leaves the left half transparent
    # (black there, as an icon's screen pixels must be), the right half red.
    with open(os.path.join(OUT, 'zero-alpha.ico'), 'wb') as f:
        f.write(ico([(16, icon_image(16, lambda x, y: (0, 0, 0, 255) if x < 8 else (255, 0, 0, 255),
                                     alpha_zero=True, mask=lambda x, y: x < 8))]))
    with open(os.path.join(OUT, 'three-frames.gif'), 'wb') as f:
        f.write(gif(4, 4, [(10, 0), (0, 1), (25, 2)]))
    # 32 x 16: pure green on the left half, red on the right (YCbCr values
    # that decode to 0, 255, 0 and 254, 0, 0). Without alpha, the green is
    # the mask colour that the GDI+ device keys out.
    with open(os.path.join(OUT, 'green-red.jpg'), 'wb') as f:
        f.write(jpeg(32, 16, lambda bx, by: (150, 43, 21) if bx < 2 else (76, 85, 255)))
    # 20 x 10 with alpha: opaque pure green on the left half, transparent on
    # the right; its green is drawn, not keyed.
    with open(os.path.join(OUT, 'green-alpha.png'), 'wb') as f:
        f.write(png(20, 10, lambda x, y: (0, 255, 0, 255) if x < 10 else (0, 0, 0, 0)))


if __name__ == '__main__':
    main()
