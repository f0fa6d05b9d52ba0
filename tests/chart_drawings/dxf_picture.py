#!/usr/bin/python3
"""Draws the lines, circles and texts of a DXF file as a PNG picture of an
A3 sheet, to look at a drawing without a CAD program.

Usage: dxf_picture.py FILE.dxf PICTURE.png [PIXELS_PER_MM]
"""
import sys

import ezdxf
from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
COLORS = {1: (255, 0, 0), 2: (200, 170, 0), 3: (0, 160, 0), 4: (0, 170, 200), 5: (0, 0, 255),
          6: (200, 0, 200), 7: (0, 0, 0)}
# DXF text alignment to the anchors of the picture library.
HALIGN = {0: "l", 1: "m", 2: "r", 4: "m"}
VALIGN = {0: "s", 1: "d", 2: "m", 3: "a"}


def main():
    path, png = sys.argv[1], sys.argv[2]
    scale = float(sys.argv[3]) if len(sys.argv) > 3 else 4.0
    width_mm, height_mm = 420, 297
    image = Image.new("RGB", (int(width_mm * scale), int(height_mm * scale)), "white")
    draw = ImageDraw.Draw(image)

    def at(x, y):
        return (x * scale, (height_mm - y) * scale)

    doc = ezdxf.readfile(path, encoding="cp932")  # texts are in the system code page
    for e in doc.modelspace():
        color = COLORS.get(e.dxf.color if e.dxf.color not in (0, 256) else 7, (0, 0, 0))
        kind = e.dxftype()
        if kind == "LINE":
            draw.line([at(e.dxf.start.x, e.dxf.start.y), at(e.dxf.end.x, e.dxf.end.y)], fill=color, width=1)
        elif kind == "CIRCLE":
            cx, cy = at(e.dxf.center.x, e.dxf.center.y)
            r = e.dxf.radius * scale
            draw.ellipse([cx - r, cy - r, cx + r, cy + r], outline=color)
        elif kind == "TEXT":
            h, v = e.dxf.get("halign", 0), e.dxf.get("valign", 0)
            point = e.dxf.align_point if (h or v) and e.dxf.hasattr("align_point") else e.dxf.insert
            font = ImageFont.truetype(FONT, max(1, int(round(e.dxf.height * scale * 1.1))))
            draw.text(at(point.x, point.y), e.dxf.text, fill=color, font=font,
                      anchor=HALIGN.get(h, "l") + VALIGN.get(v, "s"))
    image.save(png)


if __name__ == "__main__":
    main()
