#!/usr/bin/python3
"""Writes the expected files of the conformance corpus from the file-format
tables, never from the server: each case lists its elements with their fields
already resolved by hand (pen, style, pitch, layer as registration settles
them), and the writers below turn them into bytes the way the DXF, standard
drawing (.plm) and standard text (.atz) formats define them.

Run it after changing a case: python3 make_expected.py (writes into cases/)."""
import copy
import decimal
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
CRLF = "\r\n"

# Pen number to DXF colour number.
DXF_PEN_COLOR = [0, 3, 1, 6, 5, 4, 2, 7]
DXF_LINE_TYPE = {1: "HIDDEN2", 3: "CENTER2", 4: "PHANTOM2"}
STYLE_CODE = {1: 1, 3: 2, 4: 3}  # ktpdash, ktpdashdot, ktpdashdotdot

# Paper size code: (short side, long side, older-generation size code).
PAPERS = {0: (841, 1189, 1), 1: (594, 841, 2), 2: (420, 594, 3), 3: (297, 420, 4), 4: (210, 297, 5),
          15: (0, 0, 1)}


def fixed(value, decimals):
    """A real value in the pattern "0.00..": taken to 15 significant digits, then
    rounded half away from zero (3.15 gives 3.2 with one decimal); a negative
    value that rounds to zero is written without its minus sign."""
    exact = decimal.Decimal(format(value, ".15g"))
    text = "%s" % exact.quantize(decimal.Decimal(1).scaleb(-decimals), rounding=decimal.ROUND_HALF_UP)
    return text[1:] if text.startswith("-") and not text.strip("-0.") else text


def ansi(text):
    return text.encode("cp932")


class Line:
    def __init__(self, x1, y1, x2, y2, pen=1, style=0, pich=0.0, layer=1):
        self.x1, self.y1, self.x2, self.y2 = x1, y1, x2, y2
        self.pen, self.style, self.layer = pen, style, layer
        self.pich = 0.0 if style == 0 else pich


class Circle:
    def __init__(self, x, y, xr, yr=None, sang=0.0, mang=360.0, lang=0.0, pen=1, style=0, pich=0.0, layer=1):
        self.x, self.y, self.xr, self.yr = x, y, xr, xr if yr is None else yr
        self.sang, self.mang, self.lang = sang, mang, lang
        self.pen, self.style, self.layer = pen, style, layer
        self.pich = 0.0 if style == 0 else pich


class Text:
    def __init__(self, x, y, text, style=0, sang=0.0, lang=0.0, height=3.0, width=2.7, between=0.3,
                 pen=1, layer=1, font=0):
        self.x, self.y, self.text, self.style = x, y, text, style
        self.sang, self.lang, self.height, self.width, self.between = sang, lang, height, width, between
        self.pen, self.layer, self.font = pen, layer, font


class Sheet:
    def __init__(self, size=3, scale=1.0, layer_names=None, keta=3, memo="", portrait=False, sides=None,
                 atz_code=None):
        self.size, self.scale, self.keta, self.memo, self.portrait = size, scale, keta, memo, portrait
        self.tate, self.yoko, self.dos = PAPERS[size]
        if sides:
            self.tate, self.yoko = sides
        self.atz_code = size if atz_code is None else atz_code
        names = dict(layer_names or {})
        self.layer_names = names or {i: "Layer-%03d" % i for i in range(1, 129)}


# ---------------------------------------------------------------- DXF

def dxf_real(code, value):
    return code + CRLF + fixed(value, 4)


HEADER_PART1 = [
    ("  0", "SECTION"), ("  2", "HEADER"), ("  9", "$ACADVER"), ("  1", "AC1009"), ("  0", "ENDSEC"),
    ("  0", "SECTION"), ("  2", "TABLES"), ("  0", "TABLE"), ("  2", "LTYPE"), (" 70", "     1"),
    ("  0", "LTYPE"), ("  2", "CONTINUOUS"), (" 70", " 64"), ("  3", "Solid Line"), (" 72", " 65"),
    (" 73", "  0"), (" 40", "0.0"),
    ("  0", "LTYPE"), ("  2", "HIDDEN2"), (" 70", " 64"), ("  3", "Hidden"), (" 72", " 65"), (" 73", "  2"),
    (" 40", "3.0"), (" 49", "1.8"), (" 49", "-1.2"),
    ("  0", "LTYPE"), ("  2", "CENTER2"), (" 70", "    64"), ("  3", "CENTER"), (" 72", "    65"),
    (" 73", "     4"), (" 40", "0.375"), (" 49", "0.2625"), (" 49", "-0.0375"), (" 49", "0.0375"),
    (" 49", "-0.0375"),
    ("  0", "LTYPE"), ("  2", "PHANTOM2"), (" 70", "    64"), ("  3", "PHANTOM"), (" 72", "    65"),
    (" 73", "     6"), (" 40", "0.45"), (" 49", "0.2625"), (" 49", "-0.0375"), (" 49", "0.0375"),
    (" 49", "-0.0375"), (" 49", "0.0375"), (" 49", "-0.0375"),
    ("  0", "ENDTAB"), ("  0", "TABLE"), ("  2", "STYLE"), (" 70", "     1"),
    ("  0", "STYLE"), ("  2", "YOKOGAKI"), (" 70", "     0"), (" 40", "0.0"), (" 41", "1.0"), (" 50", "0.0"),
    (" 71", "     0"), (" 42", "0.2"), ("  3", "romans.shx"), ("  4", "bigfont.shx"),
    ("  0", "STYLE"), ("  2", "TATEGAKI"), (" 70", "     4"), (" 40", "0.0"), (" 41", "1.0"), (" 50", "0.0"),
    (" 71", "     0"), (" 42", "0.2"), ("  3", "romans.shx"), ("  4", "bigfont.shx"),
    ("  0", "ENDTAB"), ("  0", "TABLE"),
]
HEADER_PART2 = [
    ("  0", "ENDTAB"), ("  0", "TABLE"), ("  2", "STYLE"), (" 70", "     1"),
    ("  0", "STYLE"), ("  2", "STANDARD"), (" 70", "     0"), (" 40", "0.0"), (" 41", "1.0"), (" 50", "0.0"),
    (" 71", "     0"), (" 42", "0.2"), ("  3", "romans.shx"), ("  4", "bigfont.shx"),
    ("  0", "ENDTAB"), ("  0", "TABLE"), ("  2", "VIEW"), (" 70", "     0"), ("  0", "ENDTAB"),
    ("  0", "ENDSEC"), ("  0", "SECTION"), ("  2", "BLOCKS"), ("  0", "ENDSEC"),
    ("  0", "SECTION"), ("  2", "ENTITIES"),
]


def dxf_header(sheet):
    lines = [l for pair in HEADER_PART1 for l in pair]
    lines += ["  2", "LAYER", " 70", "   %d" % (len(sheet.layer_names) + 1)]
    for index in sorted(sheet.layer_names):
        lines += [" 0", "LAYER", " 2", sheet.layer_names[index], "70", " 0", "62", " 7", " 6", "CONTINUOUS"]
    lines += [l for pair in HEADER_PART2 for l in pair]
    return CRLF.join(lines) + CRLF


def dxf_prologue(entity, sheet, element, line_type):
    # A layer without a name is written on layer "0", which every DXF reader knows.
    layer = sheet.layer_names.get(element.layer) or "0"
    return CRLF.join(["  0", entity, "  8", layer, " 62", str(DXF_PEN_COLOR[element.pen]), "  6", line_type])


def dxf_entity(sheet, e):
    if e.pen == 0:
        return ""
    if isinstance(e, Text):
        single = len(ansi(e.text)) == len(e.text)
        factor = "0.5000" if e.style == 0 and single else "0.8200"
        parts = [dxf_prologue("TEXT", sheet, e, "CONTINUOUS"), dxf_real("10", e.x), dxf_real("20", e.y),
                 dxf_real("30", 0), dxf_real("40", e.height), "  1" + CRLF + e.text, dxf_real("50", e.lang),
                 " 41" + CRLF + factor, " 51" + CRLF + "0.000",
                 "  7" + CRLF + ("YOKOGAKI" if e.style == 0 else "TATEGAKI")]
        return CRLF.join(parts) + CRLF
    line_type = "CONTINUOUS" if e.pen == 7 else DXF_LINE_TYPE.get(e.style, "CONTINUOUS")
    if isinstance(e, Line):
        parts = [dxf_prologue("LINE", sheet, e, line_type), dxf_real("10", e.x1), dxf_real("20", e.y1),
                 dxf_real("30", 0), dxf_real("11", e.x2), dxf_real("21", e.y2), dxf_real("31", 0)]
    elif e.mang == 360:
        parts = [dxf_prologue("CIRCLE", sheet, e, line_type), dxf_real("10", e.x), dxf_real("20", e.y),
                 dxf_real("30", 0), dxf_real("40", e.xr)]
    else:
        if e.mang > 0:
            start, end = e.sang, e.sang + e.mang
        else:
            start, end = e.sang + e.mang, e.sang
            if start < 0:
                start += 360
        parts = [dxf_prologue("ARC", sheet, e, line_type), dxf_real("10", e.x), dxf_real("20", e.y),
                 dxf_real("30", 0), dxf_real("40", e.xr), dxf_real("50", start), dxf_real("51", end)]
    return CRLF.join(parts) + CRLF


def dxf_file(sheet, elements):
    text = dxf_header(sheet) + "".join(dxf_entity(sheet, e) for e in elements)
    text += CRLF.join(["  0", "ENDSEC", "  0", "EOF"]) + CRLF
    return ansi(text)


# ---------------------------------------------------------------- standard text file (.atz)

def atz_file(sheet, elements):
    real = lambda v: fixed(v, sheet.keta)
    lines = ["0,%d,%s,1" % (sheet.atz_code, real(sheet.scale))]
    for e in elements:
        if e.pen == 0:
            continue
        code = str((e.layer - 1) * 10 + e.pen)
        if isinstance(e, Text):
            lines.append(",".join(["4", real(e.x), real(e.y), real(e.sang), real(e.height), real(e.width),
                                   real(e.between), real(e.lang), code, str(e.style),
                                   str(len(ansi(e.text))), '"' + e.text + '"']))
            continue
        if isinstance(e, Line) and e.pen == 7:
            kind = ["4", real(e.pich)]
        elif e.style in STYLE_CODE:
            kind = [str(STYLE_CODE[e.style]), real(e.pich)]
        else:
            kind = ["0", real(0)]
        if isinstance(e, Line):
            fields = ["1", real(e.x1), real(e.y1), real(e.x2), real(e.y2)]
        else:
            fields = ["3", real(e.x), real(e.y), real(e.xr), real(e.yr), real(e.sang), real(e.sang + e.mang),
                      real(e.lang)]
        lines.append(",".join(fields + [code] + kind))
    return ansi(CRLF.join(lines) + CRLF)


# ---------------------------------------------------------------- standard drawing file (.plm)

def layer_code(layer):
    if 1 <= layer <= 7:
        return 64 >> (layer - 1)
    if layer == 128:
        return 0
    others = [v for v in range(3, 128) if v & (v - 1)]
    return others[layer - 8]


def attribute_word(kind, sub, pen, layer):
    word = 1 | kind << 2 | sub << 4 | pen << 6 | layer_code(layer) << 9
    return struct.pack("<h", word - 65536 if word >= 32768 else word)


def field(data, size):
    assert len(data) <= size
    return data + b"\0" * (size - len(data))


def plm_header(sheet):
    thumbnail = field(struct.pack("<hh", 84, 59), 2200)   # the pixel planes are not compared
    stamp = field(b"00/00/0000 00:00:00", 20)              # time stamps are not compared
    out = thumbnail + stamp + stamp + field(b"", 80)       # nor the font path
    out += field(ansi("ＭＳ 明朝"), 32) + field(ansi("ＭＳ ゴシック"), 32) + field(b"", 320 + 56)
    out += struct.pack("<i", 0) + struct.pack("<ddd", 0.0, 0.0, 0.0) + struct.pack("<h", 0)
    out += b"\xff" * 32 + field(b"mm", 10)
    first, second = (sheet.tate, sheet.yoko) if sheet.portrait else (sheet.yoko, sheet.tate)
    out += struct.pack("<ddd", 1.0, first, second) + struct.pack("<h", sheet.size + (16 if sheet.portrait else 1))
    out += struct.pack("<dd", 1.0, sheet.scale) + b"PLMV2\0"
    out += struct.pack("<hhh", 0, sheet.dos, 1) + struct.pack("<dd", 1.0, sheet.scale)
    out += struct.pack("<hh", 517, 0x8041 - 65536)
    assert len(out) == 2906
    return out


def plm_record(e):
    if e.pen == 0:
        return b""
    if isinstance(e, Text):
        text = ansi(e.text) + b"\0"
        return (attribute_word(3, 1 if e.style else 0, e.pen, e.layer) + struct.pack("<h", 0)
                + struct.pack("<7d", e.x, e.y, e.width, e.height, e.between, e.lang, e.sang)
                + struct.pack("<hi", e.font, len(text)) + text)
    sub = STYLE_CODE.get(e.style, 0)
    pitch = e.pich if sub else 0.0
    if isinstance(e, Line):
        kind = 1
        if e.pen == 7:
            kind, sub, pitch = 0, 0, 0.0
        return (attribute_word(kind, sub, e.pen, e.layer) + struct.pack("<h", 0)
                + struct.pack("<5d", e.x1, e.y1, e.x2, e.y2, pitch))
    return (attribute_word(2, sub, e.pen, e.layer) + struct.pack("<h", 0)
            + struct.pack("<8d", e.x, e.y, e.xr, e.yr, e.sang, e.mang, e.lang, pitch))


def plm_file(sheet, elements):
    return plm_header(sheet) + b"".join(plm_record(e) for e in elements)


def met_file(sheet):
    return ansi(sheet.memo + CRLF)


# ---------------------------------------------------------------- cases

def write_case(name, sheet, elements, kinds):
    writers = {"dxf": lambda: dxf_file(sheet, elements), "atz": lambda: atz_file(sheet, elements),
               "plm": lambda: plm_file(sheet, elements), "MET": lambda: met_file(sheet)}
    for kind in kinds:
        with open(os.path.join(HERE, "cases", name + "." + kind), "wb") as f:
            f.write(writers[kind]())


ALL = ("dxf", "atz", "plm", "MET")


def anchored(x, text, width=2.7, between=0.3):
    """x of a horizontal text at angle 0 moved from its right-bottom anchor to its left-bottom corner."""
    n, d = len(text), len(ansi(text)) - len(text)
    return x + -((n - 1) * between + d * width + (n - d) * width / 2)


def scaled(elements, scale):
    """The elements as the output run leaves them: pitches and text sizes times the scale."""
    result = []
    for e in elements:
        e = copy.copy(e)
        if isinstance(e, Text):
            e.height, e.width, e.between = e.height * scale, e.width * scale, e.between * scale
        else:
            e.pich = e.pich * scale
        result.append(e)
    return result


PORTRAIT_A4 = [
    Line(0, 0, 1000, 0, pen=2, style=1, pich=3),
    Circle(500, 500, 100, pen=3, style=4, pich=2),
    Text(0, 0, "A"),
]

CASES = [
    ("line_pens_styles", Sheet(memo="線"), [
        Line(0, 0, 100, 0),
        Line(10, 20, 110.5, -20.25, pen=2, style=1, pich=3),
        Line(0, 0, 0, 50, pen=3, style=3, pich=2.5, layer=2),
        Line(1, 2, 3, 4, pen=7, style=1, pich=2),
        Line(5, 5, 6, 6, pen=0),
        Line(0, 0, 10, 10, pen=5, style=4, pich=1, layer=9),
        Line(0, 0, 10, 10, pen=6, style=0, pich=4),
    ], ALL),
    ("circles_arcs", Sheet(), [
        Circle(10, 20, 5),
        Circle(0, 0, 10, sang=30, mang=90, pen=2, style=1, pich=2),
        Circle(0, 0, 10, sang=10, mang=-30, pen=4),
        Circle(50, 50, 5, 2, lang=15, pen=3),
        Circle(0, 0, 8, 4, sang=0, mang=359.9, pen=7, style=3, pich=1),
        Circle(-0.5, 1234.56789, 3, pen=6),
    ], ("dxf", "atz", "plm")),
    ("texts", Sheet(), [
        Text(10, 10, "ABC"),
        Text(20, 30, "河川", style=1, pen=2),
        Text(5, 5, "AB川", sang=10, lang=45, height=5, width=4, between=0.5, pen=3, layer=4),
        Text(anchored(100, "ABC"), 50, "ABC"),
        Text(0, 0, "明", font=1, pen=5),
        Text(0, 0, "Go", font=2, pen=6),
    ], ("dxf", "atz", "plm")),
    ("layer_names", Sheet(layer_names={3: "護岸", 10: "Text"}), [
        Line(0, 0, 10, 0, pen=2, layer=3),
        Line(0, 0, 10, 0, layer=5),
        Text(1, 1, "護岸", pen=4, layer=10),
    ], ("dxf", "atz", "plm")),
    # Portrait A4 at 1:100: every output run turns pitches and text sizes into
    # drawing units once more, so the second file of the script has them twice.
    ("portrait_scaled", Sheet(size=4, scale=100.0, portrait=True, memo="A4 縦"),
     scaled(PORTRAIT_A4, 100.0), ("plm", "MET")),
    ("portrait_scaled", Sheet(size=4, scale=100.0, portrait=True),
     scaled(scaled(PORTRAIT_A4, 100.0), 100.0), ("atz",)),
    # A free sheet of 400 x 500 fits A2 first among B0, A0, A1, A2, A3, A4.
    ("free_size_one_decimal", Sheet(size=15, sides=(400, 500), keta=1, atz_code=2), [
        Line(12.26, -3.04, 0, 0),
        Line(1, 1, 2, 2, pen=7, style=3, pich=2, layer=2),
        Circle(1.04, 2.06, 3.15, sang=10, mang=-30, pen=4, style=1, pich=1.5),
        Text(7.77, 8.88, "AB川", pen=3, layer=12),
    ], ("atz", "plm")),
    ("registration_rules", Sheet(), [
        Line(0.123457, 0, 1, 0),
        Line(0, 0, 5, 5),
        Line(0, 0, 5, 6),
        Text(1, 1, "X"),
        Line(0, 0, 1, 1, pen=3, style=1, pich=2, layer=4),
        Circle(0, 0, 1, pen=3, style=1, pich=5, layer=4),
        Line(0, 0, 1, 2, pen=3, style=1, pich=0, layer=4),
        Text(2, 2, "Y", height=4, width=3.5, between=0, pen=3, layer=4),
    ], ("atz", "plm")),
    ("pen_zero_only", Sheet(size=2), [
        Line(0, 0, 10, 10, pen=0), Circle(5, 5, 2, pen=0), Text(1, 1, "A", pen=0),
    ], ("dxf", "atz", "plm")),
    # Written as DXF although the name ends in .atz.
    ("dxf_only", Sheet(), [Line(0, 0, 10, 0, pen=4)], ("dxf",)),
    # A pen number beyond the pen table (set through the unchecked pen
    # property) is written as pen 7.
    ("pen_beyond_table", Sheet(), [
        Line(0, 0, 10, 0, pen=7, style=1, pich=2),
        Circle(0, 0, 5, pen=7, style=1, pich=2),
        Text(0, 0, "P", pen=7),
    ], ("dxf", "atz", "plm")),
]

if __name__ == "__main__":
    for name, sheet, elements, kinds in CASES:
        write_case(name, sheet, elements, kinds)
    os.replace(os.path.join(HERE, "cases", "dxf_only.dxf"), os.path.join(HERE, "cases", "dxf_only.atz"))
