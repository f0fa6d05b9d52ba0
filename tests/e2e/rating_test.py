#!/usr/bin/python3
"""plamor-draw's use of a fitted H-Q formula end to end: the rating table and
a stage record turned into discharges, each value on the formula, and refused
input that writes nothing."""
import csv
import json
import os
import subprocess
import unittest

import ezdxf

from e2e_support import BIN, SOURCE, FolderTestCase

HQ_TABLE = os.path.join(SOURCE, "examples", "hq", "arami_bashi_2023.csv")

FORMULA = {"method": "q", "segments": [
    {"a": 12.345, "b": 0.21, "from": 0.38, "to": 1.2, "n": 12, "se_percent": 3.1, "r2": 0.998},
    {"a": 15.0, "b": 0.0, "from": 1.2, "to": 2.4, "n": 8, "se_percent": 2.5, "r2": 0.997}]}


def run(*args):
    return subprocess.run([os.path.join(BIN, "plamor-draw"), "hq", *args], capture_output=True, text=True,
                          timeout=60)


def discharge(stage):
    segment = FORMULA["segments"][0 if stage < 1.2 else 1]
    return segment["a"] * (stage + segment["b"]) ** 2


class RatingUseTest(FolderTestCase):
    def setUp(self):
        super().setUp()
        self.formula = self.path("formula.json")
        with open(self.formula, "w", encoding="utf-8") as f:
            json.dump(FORMULA, f)

    def rows(self, path):
        with open(path, encoding="utf-8", newline="") as f:
            return list(csv.reader(f))

    def test_rating_table_and_stage_record_lie_on_the_formula(self):
        table = self.path("table.csv")
        p = run("rating", "--formula", self.formula, "--from", "0.4", "--to", "2.4", "--step", "0.05", "-o", table)
        self.assertEqual(p.returncode, 0, p.stderr)
        rows = self.rows(table)
        self.assertEqual(rows[0], ["stage", "discharge"])
        self.assertEqual(len(rows) - 1, 41)
        for stage, q in rows[1:]:
            self.assertAlmostEqual(float(q), discharge(float(stage)), delta=0.00051)
        record = self.path("stages.csv")
        with open(record, "w", encoding="utf-8") as f:
            f.write("time,stage\n2023-06-01 00:00,0.50\n2023-06-01 00:10,1.80\n2023-06-01 00:20,3.10\n")
        out = self.path("discharges.csv")
        p = run("convert", "--formula", self.formula, record, "-o", out)
        self.assertEqual(p.returncode, 0, p.stderr)
        rows = self.rows(out)
        self.assertEqual(rows[0][:3], ["time", "stage", "discharge"])
        self.assertAlmostEqual(float(rows[1][2]), discharge(0.5), delta=0.00051)
        self.assertAlmostEqual(float(rows[2][2]), discharge(1.8), delta=0.00051)
        self.assertEqual(rows[3][-1], "above-range")

    def test_fit_drawn_on_the_sheet_and_written(self):
        dxf, formula, report = self.path("hq.dxf"), self.path("fit.json"), self.path("fit.csv")
        p = run(HQ_TABLE, "--kind", "Q", "--fit", "--segments", "1.0", "--exclude", "3", "--extend-to", "3.5",
                "--formula", formula, "--report", report, "--inproc", "-o", dxf)
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("segment     from       to", p.stderr)
        with open(formula, encoding="utf-8") as f:
            segments = json.load(f)["segments"]
        self.assertEqual(len(segments), 2)
        low, high = segments
        self.assertAlmostEqual(low["a"] * (1.0 + low["b"]) ** 2, high["a"] * (1.0 + high["b"]) ** 2, places=9)
        rows = self.rows(report)
        self.assertEqual([r[6] for r in rows[1:] if r[0] == "3"], ["1"], "measurement 3 left out")
        doc = ezdxf.readfile(dxf, encoding="cp932")
        curve = [e for e in doc.modelspace() if e.dxftype() == "LINE" and e.dxf.layer == "Layer-003"]
        self.assertGreater(len(curve), 50)
        self.assertTrue(any(e.dxf.linetype == "HIDDEN2" for e in curve), "the extrapolated part dashed")
        texts = [e.dxf.text for e in doc.modelspace() if e.dxftype() == "TEXT"]
        self.assertTrue(any(t.startswith("Q = ") for t in texts), texts)

    def test_the_sixth_pen_draws_the_curve(self):
        colours = []
        for pens in ("7,1,7,2,7", "7,1,7,2,7,4"):
            dxf = self.path("pens.dxf")
            p = run(HQ_TABLE, "--kind", "Q", "--fit", "--pens", pens, "--inproc", "-o", dxf)
            self.assertEqual(p.returncode, 0, p.stderr)
            doc = ezdxf.readfile(dxf, encoding="cp932")
            colours.append({e.dxf.color for e in doc.modelspace() if e.dxf.layer == "Layer-003"})
        self.assertEqual(len(colours[0]), 1)
        self.assertEqual(len(colours[1]), 1)
        self.assertNotEqual(colours[0], colours[1], "the curve keeps the pen --pens gave it")

    def test_bad_fit_options_are_refused_and_write_nothing(self):
        out = self.path("hq.dxf")
        cases = [
            (("--kind", "Q", "--fit", "--exclude", "99"), "99"),
            (("--kind", "Q", "--fit", "--segments", "2,1"), "--segments"),
            (("--kind", "Q", "--fit", "--fit-method", "cubic"), "--fit-method"),
            (("--kind", "A", "--fit"), "--kind Q and SQ"),
            (("--kind", "Q", "--segments", "1"), "goes with --fit"),
        ]
        for args, message in cases:
            before = sorted(os.listdir(self.folder))
            p = run(HQ_TABLE, *args, "--inproc", "-o", out)
            self.assertEqual(p.returncode, 2, (args, p.stderr))
            self.assertIn(message, p.stderr)
            self.assertEqual(sorted(os.listdir(self.folder)), before, "a refused run wrote something")

    def test_bad_input_is_refused_and_writes_nothing(self):
        damaged = self.path("damaged.json")
        with open(damaged, "w") as f:
            f.write('{"method": "q", "segments": [')
        foreign = self.path("foreign.json")
        with open(foreign, "w") as f:
            f.write('{"name": "something else"}')
        out = self.path("out.csv")
        cases = [
            (("rating", "--formula", damaged, "--from", "0.4", "--to", "1", "-o", out), 1, "damaged.json"),
            (("rating", "--formula", foreign, "--from", "0.4", "--to", "1", "-o", out), 1, "foreign.json"),
            (("rating", "--formula", self.formula, "--from", "0", "--to", "3", "-o", out), 1, "beyond"),
            (("rating", "--formula", self.formula, "--from", "x", "--to", "1", "-o", out), 2, "--from"),
            (("convert", "--formula", self.formula, self.path("none.csv"), "-o", out), 1, "none.csv"),
        ]
        for args, status, message in cases:
            before = sorted(os.listdir(self.folder))
            p = run(*args)
            self.assertEqual(p.returncode, status, (args, p.stderr))
            self.assertIn(message, p.stderr)
            self.assertEqual(sorted(os.listdir(self.folder)), before, "a refused run wrote something")


if __name__ == "__main__":
    unittest.main()
