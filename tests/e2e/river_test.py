#!/usr/bin/python3
"""plamor-draw's river commands end to end on the example river: the table of
hydraulic quantities checked against its own definitions (the shapes whose
answers are known in closed form are in tests/hydraulics), and refused input
that writes nothing."""
import csv
import os
import subprocess
import unittest

from e2e_support import BIN, SOURCE, FolderTestCase

RIVER = os.path.join(SOURCE, "examples", "river")
FILES = sorted(os.path.join(RIVER, f) for f in os.listdir(RIVER) if f.endswith(".csv"))
HIGH_WATER = os.path.join(RIVER, "plan", "high_water.csv")
HEADER = ["distance_mark", "date", "stage", "area", "wetted_perimeter", "top_width", "hydraulic_radius",
          "hydraulic_depth", "mean_bed", "deepest_bed"]


def run(*args):
    return subprocess.run([os.path.join(BIN, "plamor-draw"), "river", *args], capture_output=True, text=True,
                          timeout=120)


class RiverTableTest(FolderTestCase):
    def table(self, *args):
        out = self.path("table.csv")
        p = run("table", *args, "-o", out)
        self.assertEqual(p.returncode, 0, p.stderr)
        with open(out, encoding="utf-8", newline="") as f:
            return list(csv.reader(f))

    def test_every_section_and_survey_with_consistent_quantities(self):
        rows = self.table(*FILES, "--stage-file", HIGH_WATER, "--compare", "2015-12-31")
        self.assertEqual(rows[0], HEADER + ["deposition", "scour"])
        body = rows[1:]
        self.assertEqual(len(body), 36)  # twelve sections, three surveys each
        self.assertEqual(sorted({r[1][:4] for r in body}), ["2015", "2019", "2023"])  # each survey over a few days
        marks = [float(r[0]) for r in body]
        self.assertEqual(marks, sorted(marks), "sections in river order")
        for r in body:
            stage, area, perimeter, width, radius, depth, mean, deepest = map(float, r[2:10])
            self.assertAlmostEqual(radius, area / perimeter, places=9)
            self.assertAlmostEqual(depth, area / width, places=9)
            self.assertAlmostEqual(mean, stage - area / width, places=9)
            self.assertLess(deepest, mean)
            # Compared with the bed as it stood at the end of 2015: the 2015 survey itself.
            if r[1].startswith("2015"):
                self.assertEqual((float(r[10]), float(r[11])), (0, 0), "a survey against itself")
            else:
                self.assertGreaterEqual(float(r[10]) + float(r[11]), 0)

    def test_own_water_surface_and_a_given_stage(self):
        water = self.table(*FILES, "--water")
        self.assertEqual(water[0], HEADER)
        given = self.table(*FILES[:3], "--stage", "31.3")
        self.assertEqual([r[2] for r in given[1:]], ["31.3"] * 3)
        # The wetter the section, the larger the area: the high water holds more than the low.
        self.assertGreater(float(given[1][3]), float(water[1][3]))

    def test_bad_input_is_refused_and_writes_nothing(self):
        out = self.path("old.csv")
        with open(out, "w") as f:
            f.write("earlier table")
        broken = self.path("broken.csv")
        with open(FILES[0], encoding="cp932", newline="") as f:
            lines = f.read().split("\r\n")
        lines[2] = lines[2].replace(",", ",x", 1)
        with open(broken, "w", encoding="utf-8", newline="") as f:
            f.write("\r\n".join(lines))
        cases = [
            (("table", broken, "--water"), 1, "broken.csv: line 3, field 2"),
            (("table", FILES[0], FILES[0], "--water"), 1, "one file per section and date"),
            (("table", *FILES), 2, "give the stage one way"),
            (("table", *FILES, "--water", "--compare", "2015-13-40"), 2, "is not a date"),
            (("table", *FILES, "--stage", "high"), 2, "is not an elevation"),
        ]
        p = run()
        self.assertEqual(p.returncode, 2)
        self.assertIn('"river" takes a second word: table', p.stderr)
        for args, status, message in cases:
            before = sorted(os.listdir(self.folder))
            p = run(*args, "-o", out)
            self.assertEqual(p.returncode, status, (args, p.stderr))
            self.assertIn(message, p.stderr)
            self.assertEqual(sorted(os.listdir(self.folder)), before, "a refused run wrote something")
            with open(out) as f:
                self.assertEqual(f.read(), "earlier table")


if __name__ == "__main__":
    unittest.main()
