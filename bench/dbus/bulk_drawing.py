#!/usr/bin/python3
"""The benchmark's mixed drawing (every tenth element a circle, every tenth a
text, the rest lines) from Python through the bulk path; prints the seconds
from the first host call to the finished file.   bulk_drawing.py N OUT.dxf"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../clients/python"))
import plamor  # noqa: E402

n, out = int(sys.argv[1]), os.path.abspath(sys.argv[2])
bus = plamor.session_bus()
start = time.monotonic()
with plamor.Drawing(bus) as d:
    d.put_FileName(out)
    d.put_PaperSize(3)
    batch = d.batch()
    for i in range(n):
        x, y = i % 400, i % 280
        kind = i % 10
        if kind == 0:
            batch.En(x, y, 5)
        elif kind == 1:
            batch.Moji(x, y, "河川")
        else:
            batch.Sen(x, y, x + 10, y)
    d.register(batch)
    result = d.output(os.path.join(os.environ.get("PLAMOR_BIN_DIR", ""), "M_G_L.KVD"))
if result.state != plamor.WRITTEN:
    sys.exit("bulk_drawing.py: %s" % (result,))
print("%.3f" % (time.monotonic() - start))
