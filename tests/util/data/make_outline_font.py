"""Writes the small fonts the outline tests know by heart.

Usage: make_outline_font.py FOLDER   (writes outline-test.ttf and cubic-test.otf)

outline-test.ttf, TrueType (quadratic outlines):

Family "PlamorOutlineTest", 1000 units an em, cell ascent 800 and descent
200 (so a cell height of 1000 pixels is an em of 1000 pixels), average width
500. Glyphs:
  "a"  a straight contour of four points (-1,0) (-1,600) (3,600) (3,0)
  "b"  on (0,0), off (0,400), off (400,400), on (400,0): one quadratic curve
       of three points, closed by a straight piece back to (0,0)
  "d"  a box from (100,-200) to (500,800), advance 600: ink over the whole
       cell, centred in its advance
  " "  no outline, advance 300
Kerning (kern table): "a" then "b" -50; "b" then "d" -164 (-10.496 pixels at
64 pixels an em, -10.5 when rounded to 1/64 pixel first). "c" is not in the
font.

cubic-test.otf, CFF (cubic outlines), family "PlamorCubicTest", 1000 units an
em: "e" is (0,0), a cubic piece with controls (0,400) (400,400) to (400,0),
and a straight piece back.
"""
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import newTable
from fontTools.ttLib.tables._k_e_r_n import KernTable_format_0


def glyph(draw):
    pen = TTGlyphPen(None)
    draw(pen)
    return pen.glyph()


def square(pen):
    pen.moveTo((-1, 0))
    pen.lineTo((-1, 600))
    pen.lineTo((3, 600))
    pen.lineTo((3, 0))
    pen.closePath()


def curve(pen):
    pen.moveTo((0, 0))
    pen.qCurveTo((0, 400), (400, 400), (400, 0))
    pen.closePath()


def box(pen):
    pen.moveTo((100, -200))
    pen.lineTo((100, 800))
    pen.lineTo((500, 800))
    pen.lineTo((500, -200))
    pen.closePath()


def nothing(pen):
    pass


def write_truetype(path):
    fb = FontBuilder(1000, isTTF=True)
    order = [".notdef", "space", "a", "b", "d"]
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap({0x20: "space", ord("a"): "a", ord("b"): "b", ord("d"): "d"})
    fb.setupGlyf({".notdef": glyph(box), "space": glyph(nothing), "a": glyph(square),
                  "b": glyph(curve), "d": glyph(box)})
    fb.setupHorizontalMetrics({".notdef": (600, 100), "space": (300, 0), "a": (500, -1),
                               "b": (500, 0), "d": (600, 100)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": "PlamorOutlineTest", "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200,
                xAvgCharWidth=500)
    fb.setupPost()
    kern = newTable("kern")
    kern.version = 0
    table = KernTable_format_0()
    table.version = 0
    table.coverage = 1
    table.format = 0
    table.kernTable = {("a", "b"): -50, ("b", "d"): -164}
    kern.kernTables = [table]
    fb.font["kern"] = kern
    fb.save(path)


def charstring(width, draw):
    pen = T2CharStringPen(width, None)
    draw(pen)
    return pen.getCharString()


def cubic(pen):
    pen.moveTo((0, 0))
    pen.curveTo((0, 400), (400, 400), (400, 0))
    pen.closePath()


def write_cff(path):
    fb = FontBuilder(1000, isTTF=False)
    fb.setupGlyphOrder([".notdef", "e"])
    fb.setupCharacterMap({ord("e"): "e"})
    fb.setupCFF("PlamorCubicTest-Regular", {"FullName": "PlamorCubicTest"},
                {".notdef": charstring(500, nothing), "e": charstring(500, cubic)}, {})
    fb.setupHorizontalMetrics({".notdef": (500, 0), "e": (500, 0)})
    fb.setupHorizontalHeader(ascent=800, descent=-200)
    fb.setupNameTable({"familyName": "PlamorCubicTest", "styleName": "Regular"})
    fb.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200,
                xAvgCharWidth=500)
    fb.setupPost()
    fb.save(path)


if __name__ == "__main__":
    write_truetype(f"{sys.argv[1]}/outline-test.ttf")
    write_cff(f"{sys.argv[1]}/cubic-test.otf")
