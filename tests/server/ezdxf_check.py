#!/usr/bin/python3
"""Reads a DXF file with ezdxf and prints what a CAD program would see, as JSON.

Usage: ezdxf_check.py FILE [ENCODING]
Without ENCODING, ezdxf decides the encoding from the file's header.
The JSON holds: audit errors, layers (name, colour, line type), line types,
and every entity of model space with its layer, colour, line type and
geometry (or text, height, rotation, width factor, style).
"""
import json
import sys

import ezdxf


def entity_json(e):
    d = {
        "type": e.dxftype(),
        "layer": e.dxf.layer,
        "color": e.dxf.color,
        "linetype": e.dxf.linetype,
    }
    kind = e.dxftype()
    if kind == "LINE":
        d["start"] = list(e.dxf.start)
        d["end"] = list(e.dxf.end)
    elif kind in ("CIRCLE", "ARC"):
        d["center"] = list(e.dxf.center)
        d["radius"] = e.dxf.radius
        if kind == "ARC":
            d["start_angle"] = e.dxf.start_angle
            d["end_angle"] = e.dxf.end_angle
    elif kind == "TEXT":
        d["text"] = e.dxf.text
        d["insert"] = list(e.dxf.insert)
        d["height"] = e.dxf.height
        d["rotation"] = e.dxf.rotation
        d["width"] = e.dxf.width
        d["oblique"] = e.dxf.oblique
        d["style"] = e.dxf.style
    return d


def main():
    path = sys.argv[1]
    if len(sys.argv) > 2:
        doc = ezdxf.readfile(path, encoding=sys.argv[2])
    else:
        doc = ezdxf.readfile(path)
    auditor = doc.audit()
    result = {
        "dxfversion": doc.dxfversion,
        "audit_errors": [str(err.message) for err in auditor.errors],
        "layers": sorted(
            [{"name": l.dxf.name, "color": l.dxf.color, "linetype": l.dxf.linetype} for l in doc.layers],
            key=lambda l: l["name"]),
        "linetypes": sorted(lt.dxf.name for lt in doc.linetypes),
        "styles": sorted(s.dxf.name for s in doc.styles),
        "entities": [entity_json(e) for e in doc.modelspace()],
    }
    json.dump(result, sys.stdout, ensure_ascii=True, sort_keys=True)


if __name__ == "__main__":
    main()
