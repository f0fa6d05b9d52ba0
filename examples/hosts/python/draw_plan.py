#!/usr/bin/python3
"""Draws the small example plan through the Plamor drawing server and waits
until the file is written.   draw_plan.py OUT.dxf"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../clients/python"))
import plamor  # noqa: E402


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: draw_plan.py OUT.dxf")
    with plamor.Drawing() as d:
        d.put_PaperSize(3)
        d.put_FileName(os.path.abspath(sys.argv[1]))
        d.put_LayerName(1, "外枠")
        d.put_LayerName(2, "護岸")
        d.Sen(0, 0, 400, 0)
        d.Sen(400, 0, 400, 280, vPen=2)
        d.Sen(0, 280, 400, 280, vPen=3, vStyl=1)
        d.En(200, 140, 50, vLayer=2)
        d.Enko(100, 100, 30, 0, 90)
        d.Moji(200, 20, "河川横断図", vHeight=5.0, vKiten=1)
        result = d.output("M_G_L.KVD")
    if result.state != plamor.WRITTEN:
        sys.exit("draw_plan.py: the run ended without a file (state %d): %s" % (result.state, result.message))
    print(result.path)


if __name__ == "__main__":
    main()
