#!/usr/bin/python3
"""Builds Veltrine.ttf, the toolkit's glyph font: the small symbols the themes
draw (arrows, check marks, pins, crosses...) as characters 0x27 to 0x52 and
0x55 of a fixed-pitch TrueType font, drawn at whatever size fits a rectangle.

Run it after changing an outline and commit the .ttf with it:
    /usr/bin/python3 Toolkit/Foundation/Fonts/make_glyph_font.py
Needs Debian's python3-fonttools. The output is byte-for-byte reproducible.

Outlines are polygons in a 2048-unit square cell whose bottom is the
descender; the baseline is BASELINE units above it.
"""
import math
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables.O_S_2f_2 import Panose

UPM = 2048
BASELINE = 256          # cell units below the baseline (the descent)
ASCENT = UPM - BASELINE
FACE = "Veltrine"
# 2020-01-01 in seconds since 1904-01-01, so the file does not change per run.
FIXED_TIME = 3660595200


# --- polygon helpers (cell coordinates, y up) --------------------------------

def area(poly):
    return sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1])) / 2


def outer(poly):
    """TrueType fills clockwise contours: negative signed area with y up."""
    return poly if area(poly) < 0 else poly[::-1]


def hole(poly):
    return poly[::-1] if area(poly) < 0 else poly


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def frame(x0, y0, x1, y1, t, top=None):
    """A rectangle outline of thickness t (top edge `top` thick)."""
    return [outer(rect(x0, y0, x1, y1)), hole(rect(x0 + t, y0 + t, x1 - t, y1 - (top or t)))]


def bar(p, q, t):
    """A straight stroke of thickness t from p to q."""
    (x0, y0), (x1, y1) = p, q
    length = math.hypot(x1 - x0, y1 - y0)
    nx, ny = -(y1 - y0) / length * t / 2, (x1 - x0) / length * t / 2
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def disc(cx, cy, r, n=32):
    return [(cx + r * math.cos(2 * math.pi * i / n), cy + r * math.sin(2 * math.pi * i / n)) for i in range(n)]


def tri_left(x0, y0, w, h):
    """Triangle pointing left in the box (x0, y0, w, h)."""
    return [(x0, y0 + h / 2), (x0 + w, y0 + h), (x0 + w, y0)]


def tri_up(x0, y0, w, h):
    return [(x0, y0), (x0 + w / 2, y0 + h), (x0 + w, y0)]


def mirror_x(contours):
    return [[(UPM - x, y) for x, y in c] for c in contours]


def mirror_y(contours):
    return [[(x, UPM - y) for x, y in c] for c in contours]


def transpose(contours):
    """Swaps the axes: a shape pointing left then points down."""
    return [[(y, x) for x, y in c] for c in contours]


def chevron_left(x0, h=1024, w=448, t=224):
    """An open chevron stroke pointing left with its tip at x0."""
    c = UPM / 2
    return [(x0, c), (x0 + w, c + h / 2), (x0 + w + t, c + h / 2), (x0 + t, c), (x0 + w + t, c - h / 2),
            (x0 + w, c - h / 2)]


def cross():
    return [bar((448, 448), (1600, 1600), 256), bar((448, 1600), (1600, 448), 256)]


def question_mark():
    return [
        rect(576, 1408, 1472, 1600),     # top
        rect(1280, 1088, 1472, 1600),    # right side
        rect(896, 960, 1472, 1152),      # middle
        rect(896, 704, 1088, 1152),      # stem
        rect(896, 384, 1088, 576),       # dot
        rect(576, 1280, 768, 1600),      # left hook
    ]


def house():
    walls = [(448, 256), (448, 1024), (1600, 1024), (1600, 256), (1152, 256), (1152, 704), (896, 704),
             (896, 256)]
    return [walls, [(256, 1024), (1024, 1792), (1792, 1024)], rect(1344, 1216, 1536, 1664)]


def check_mark():
    return [[(320, 960), (832, 448), (1728, 1344), (1568, 1504), (832, 768), (480, 1120)]]


def pin_left():
    """A push-pin lying on its side, needle to the left."""
    return [rect(256, 960, 960, 1088),    # needle
            rect(896, 640, 1024, 1408),   # plate
            rect(1024, 832, 1472, 1216),  # body
            rect(1472, 704, 1600, 1344)]  # head


def outlined_tri_left():
    return [outer(tri_left(576, 384, 896, 1280)), hole(tri_left(800, 608, 528, 816))]


def two_tri_left():
    return [tri_left(448, 512, 512, 1024), tri_left(1024, 512, 512, 1024)]


def tri_left_then_bar():
    return [tri_left(448, 448, 768, 1152), rect(1344, 448, 1536, 1600)]


def glyph_shapes():
    s = {}
    s[0x27] = [rect(128, 256, 1920, 512)]
    s[0x28] = frame(384, 384, 1664, 1664, 128, top=320)
    s[0x29] = frame(384, 384, 1280, 1280, 128) + frame(768, 768, 1664, 1664, 128)
    s[0x2A] = question_mark()
    s[0x2B] = cross()
    s[0x2C] = house()
    s[0x2D] = check_mark()
    s[0x2E] = mirror_x(check_mark())
    s[0x2F] = [disc(1024, 1024, 576)]
    s[0x30] = [tri_left(704, 384, 640, 1280)]
    s[0x31] = mirror_x(s[0x30])
    s[0x32] = [tri_up(384, 704, 1280, 640)]
    s[0x33] = mirror_y(s[0x32])
    s[0x34] = [tri_left(768, 512, 512, 1024)]
    s[0x35] = mirror_x(s[0x34])
    s[0x36] = [tri_up(512, 768, 1024, 512)]
    s[0x37] = mirror_y(s[0x36])
    s[0x38] = two_tri_left()
    s[0x39] = mirror_x(two_tri_left())
    s[0x3B] = transpose(two_tri_left())          # pointing down
    s[0x3A] = mirror_y(s[0x3B])
    s[0x3C] = [chevron_left(448), chevron_left(960)]
    s[0x3D] = mirror_x(s[0x3C])
    s[0x3E] = transpose(s[0x3C])                 # pointing down
    s[0x3F] = mirror_y(s[0x3E])
    s[0x40] = tri_left_then_bar()
    s[0x41] = mirror_x(s[0x40])                  # bar, then triangle right
    s[0x44] = [rect(512, 448, 704, 1600), tri_left(832, 448, 768, 1152)]   # bar, then triangle left
    s[0x45] = mirror_x(s[0x44])                  # triangle right, then bar
    s[0x43] = transpose(s[0x40])                 # bar over triangle down
    s[0x42] = mirror_y(s[0x43])                  # triangle up over bar
    s[0x47] = transpose(s[0x44])                 # triangle down over bar
    s[0x46] = mirror_y(s[0x47])                  # bar over triangle up
    s[0x48] = pin_left()
    s[0x49] = mirror_x(pin_left())
    s[0x4A] = transpose(pin_left())              # needle down
    s[0x4B] = [rect(896, 384, 1152, 1664), rect(384, 896, 1664, 1152)]
    s[0x4C] = [rect(384, 896, 1664, 1152)]
    s[0x4D] = [rect(256 + i * 576, 256, 512 + i * 576, 512) for i in range(3)]
    s[0x4E] = cross()
    s[0x4F] = [tri_left(832, 256, 384, 1536)]
    s[0x50] = mirror_x(s[0x4F])
    s[0x51] = outlined_tri_left()
    s[0x52] = mirror_x(outlined_tri_left())
    s[0x55] = []
    return s


def draw(contours):
    pen = TTGlyphPen(None)
    for contour in contours:
        points = [(round(x), round(y) - BASELINE) for x, y in contour]
        pen.moveTo(points[0])
        for point in points[1:]:
            pen.lineTo(point)
        pen.closePath()
    return pen.glyph()


def monospaced_panose():
    panose = Panose()
    for name in ("bFamilyType", "bSerifStyle", "bWeight", "bProportion", "bContrast", "bStrokeVariation",
                 "bArmStyle", "bLetterForm", "bMidline", "bXHeight"):
        setattr(panose, name, 0)
    panose.bFamilyType = 5      # pictorial
    panose.bProportion = 3      # monospaced for family 5
    return panose


def build(path):
    shapes = glyph_shapes()
    codes = sorted(shapes)
    names = [".notdef"] + ["g%02X" % code for code in codes]
    glyphs = {".notdef": draw([outer(rect(256, 256, 1792, 1792)), hole(rect(384, 384, 1664, 1664))])}
    for code in codes:
        glyphs["g%02X" % code] = draw(orient(shapes[code]))

    fb = FontBuilder(UPM, isTTF=True)
    fb.setupGlyphOrder(names)
    fb.setupCharacterMap({code: "g%02X" % code for code in codes})
    fb.setupGlyf(glyphs)
    metrics = {}
    glyf = fb.font["glyf"]
    for name in names:
        glyph = glyf[name]
        glyph.recalcBounds(glyf)
        metrics[name] = (UPM, getattr(glyph, "xMin", 0) if glyph.numberOfContours else 0)
    fb.setupHorizontalMetrics(metrics)
    fb.setupHorizontalHeader(ascent=ASCENT, descent=-BASELINE)
    fb.setupNameTable({"familyName": FACE, "styleName": "Regular", "uniqueFontIdentifier": FACE,
                       "fullName": FACE, "psName": FACE, "version": "Version 1.0"})
    fb.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-BASELINE, sTypoLineGap=0, usWinAscent=ASCENT,
                usWinDescent=BASELINE, ulCodePageRange1=1, achVendID="LVK ", fsType=0,
                usFirstCharIndex=min(codes), usLastCharIndex=max(codes),
                panose=monospaced_panose())
    fb.setupPost(isFixedPitch=1)
    fb.updateHead(created=FIXED_TIME, modified=FIXED_TIME)
    # Without this fontTools stamps "modified" with the time of the run.
    fb.font.recalcTimestamp = False
    fb.save(path)


def orient(contours):
    """Outer contours clockwise, holes (contours inside another) counter-clockwise."""
    result = []
    for i, contour in enumerate(contours):
        inside = any(j != i and contains(other, contour[0]) and abs(area(other)) > abs(area(contour))
                     for j, other in enumerate(contours))
        result.append(hole(contour) if inside and is_hole_candidate(contours, i) else outer(contour))
    return result


def is_hole_candidate(contours, i):
    # Only frames and outlined shapes carry holes: their inner contour lies
    # wholly inside another contour.
    contour = contours[i]
    return any(j != i and all(contains(other, p) for p in contour) for j, other in enumerate(contours))


def contains(poly, point):
    x, y = point
    inside = False
    for (x0, y0), (x1, y1) in zip(poly, poly[1:] + poly[:1]):
        if (y0 > y) != (y1 > y) and x < (x1 - x0) * (y - y0) / (y1 - y0) + x0:
            inside = not inside
    return inside


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                               "Veltrine.ttf")
    build(out)
    print("%s: %d bytes" % (out, os.path.getsize(out)))
