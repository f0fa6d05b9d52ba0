#!/usr/bin/python3
"""Draws N lines i = 0..N-1 from (i, 0) to (i, 10) with pen 1 through the bulk
path of the Plamor drawing server and waits until the file is written.

    many_lines.py N OUT.dxf"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../../clients/python"))
import plamor  # noqa: E402


def main():
    if len(sys.argv) != 3 or not sys.argv[1].isdigit():
        sys.exit("usage: many_lines.py N OUT.dxf")
    n = int(sys.argv[1])
    with plamor.Drawing() as d:
        d.put_FileName(os.path.abspath(sys.argv[2]))
        # One run of N calls of Sen, each with vPen 1; their coordinates in one array.
        numbers = [v for i in range(n) for v in (float(i), 0.0, float(i), 10.0)]
        d.register_runs([("Sen", n, {"vPen": 1})], numbers)
        result = d.output("M_G_L.KVD")
    if result.state != plamor.WRITTEN:
        sys.exit("many_lines.py: the run ended without a file (state %d): %s" % (result.state, result.message))
    print(result.path)


if __name__ == "__main__":
    main()
