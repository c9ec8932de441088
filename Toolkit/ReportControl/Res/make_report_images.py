#!/usr/bin/python3
"""Draws the report control's glyph strips and cursors.

Strips: eleven square cells side by side, magenta (255,0,255) where the
background shows through, 24-bit BMP:
  0 minus in a box, 1 plus in a box, 2 check box clear, 3 checked,
  4 clear (disabled look), 5 checked (disabled look), 6 triangle right,
  7 triangle left, 8 filled square in a box, 9 closed padlock, 10 open padlock.
ReportGlyphsNN.bmp are the classic look (9550-9553); ReportFlatGlyphsNN.bmp
the flat look of the Office 2013 and VS2015 themes (9568-9571), drawn in a
middle grey that reads on white and on the dark theme's background.
Cursors: ReportRowResize.cur (9971, up-down arrows over a bar) and
ReportColumnRemove.cur (9555, an arrow with a cross).

Run it after changing a drawing and commit the outputs:
    /usr/bin/python3 Toolkit/ReportControl/Res/make_report_images.py
The output is byte-for-byte reproducible.
"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)


class Canvas:
    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def bmp(self):
        row = (self.w * 3 + 3) & ~3
        data = bytearray()
        for y in range(self.h - 1, -1, -1):
            line = bytearray()
            for (r, g, b) in self.px[y]:
                line += bytes((b, g, r))
            line += b"\0" * (row - len(line))
            data += line
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
        return header + info + bytes(data)


def draw_cell(cv, ox, n, glyph, style):
    s = n / 12.0
    flat = style == "flat"
    frame = (153, 153, 153) if flat else (128, 128, 128)
    mark = (153, 153, 153) if flat else (0, 0, 0)
    fill = MAGENTA if flat else (255, 255, 255)
    disabled_fill = MAGENTA if flat else (212, 208, 200)
    disabled_mark = (110, 110, 110) if flat else (128, 128, 128)
    m = max(1, round(1 * s))
    x0, y0, x1, y1 = ox + m, m, ox + n - 1 - m, n - 1 - m
    cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
    if glyph in (0, 1, 8):
        cv.rect(x0, y0, x1, y1, fill)
        cv.frame(x0, y0, x1, y1, frame)
        d = (x1 - x0) // 2 - max(1, round(1.5 * s))
        if glyph == 8:
            cv.rect(cx - d + 1, cy - d + 1, cx + d - 1 + ((x1 - x0) & 1), cy + d - 1 + ((y1 - y0) & 1), mark)
        else:
            t = max(1, round(s)) - 1
            cv.rect(cx - d, cy, cx + d + ((x1 - x0) & 1), cy + t, mark)
            if glyph == 1:
                cv.rect(cx, cy - d, cx + t, cy + d + ((y1 - y0) & 1), mark)
    elif glyph in (2, 3, 4, 5):
        disabled = glyph in (4, 5)
        cv.rect(x0, y0, x1, y1, disabled_fill if disabled else fill)
        cv.frame(x0, y0, x1, y1, frame)
        if glyph in (3, 5):
            c = disabled_mark if disabled else mark
            # a check mark: down-right then up-right
            w = x1 - x0
            ax, ay = x0 + round(w * 0.22), cy
            bx, by = x0 + round(w * 0.42), y1 - round(w * 0.25)
            qx, qy = x1 - round(w * 0.2), y0 + round(w * 0.25)
            t = max(2, round(2 * s))
            for i in range(bx - ax + 1):
                for k in range(t):
                    cv.set(ax + i, ay + round(i * (by - ay) / max(1, bx - ax)) + k - 1, c)
            for i in range(qx - bx + 1):
                for k in range(t):
                    cv.set(bx + i, by + round(i * (qy - by) / max(1, qx - bx)) + k - 1, c)
    elif glyph in (6, 7):
        tw = (y1 - y0) // 2
        start = cx - tw // 2
        for i in range(tw + 1):
            x = start + i if glyph == 6 else start + tw - i
            for y in range(cy - (tw - i), cy + (tw - i) + 1 + ((y1 - y0) & 1)):
                cv.set(x, y, mark)
    elif glyph in (9, 10):
        body_top = cy - round(0.5 * s)
        cv.rect(x0 + m, body_top, x1 - m, y1, (190, 150, 40) if not flat else frame)
        shackle = frame if flat else (100, 100, 100)
        sx0, sx1 = x0 + 2 * m, x1 - 2 * m
        top = y0
        if glyph == 10:
            sx0, sx1 = sx0 + round(2 * s), sx1 + round(2 * s)
            top = y0 - 1 if y0 > 0 else y0
        for y in range(top, body_top):
            cv.set(sx0, y, shackle)
            if glyph == 9 or y < body_top - round(2 * s):
                cv.set(sx1, y, shackle)
        for x in range(sx0, sx1 + 1):
            cv.set(x, top, shackle)


def strip(n, style):
    cv = Canvas(11 * n, n, MAGENTA)
    for g in range(11):
        draw_cell(cv, g * n, n, g, style)
    return cv.bmp()


def cursor(kind):
    size = 32
    # 1-bit XOR and AND masks, drawn in a 32x32 grid: 'b' black, 'w' white.
    grid = [[" "] * size for _ in range(size)]

    def put(x, y, v):
        if 0 <= x < size and 0 <= y < size:
            grid[y][x] = v

    if kind == "rowresize":
        hx, hy = 15, 15
        for x in range(6, 26):
            for y in (14, 16):
                put(x, y, "b")
            put(x, 15, "w")
        for i in range(6):
            for x in range(15 - i, 16 + i):
                put(x, 5 + i, "b")
                put(x, 25 - i, "b")
        for y in range(10, 21):
            put(15, y, "b")
    else:
        hx, hy = 0, 0
        for y in range(17):
            for x in range(min(y, 11) + 1):
                put(x, y, "w" if 0 < x < y and y < 16 else "b")
        for i in range(9):
            put(18 + i, 18 + i, "b")
            put(19 + i, 18 + i, "b")
            put(26 - i, 18 + i, "b")
            put(27 - i, 18 + i, "b")
    xor_rows, and_rows = [], []
    for y in range(size - 1, -1, -1):
        xr, ar = 0, 0
        for x in range(size):
            v = grid[y][x]
            bit = 1 << (31 - x)
            if v == " ":
                ar |= bit
            elif v == "w":
                xr |= bit
        xor_rows.append(struct.pack(">I", xr))
        and_rows.append(struct.pack(">I", ar))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hx, hy, len(image), 6 + 16)
    return header + entry + image


def main():
    outputs = {}
    for n in (12, 15, 18, 24):
        outputs["ReportGlyphs%d.bmp" % n] = strip(n, "classic")
        outputs["ReportFlatGlyphs%d.bmp" % n] = strip(n, "flat")
    outputs["ReportRowResize.cur"] = cursor("rowresize")
    outputs["ReportColumnRemove.cur"] = cursor("remove")
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
