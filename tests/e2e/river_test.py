#!/usr/bin/python3
"""plamor-draw's river commands end to end on the example river: the table of
hydraulic quantities checked against its own definitions (the shapes whose
answers are known in closed form are in tests/hydraulics), the profile sheets
drawn through the drawing server and read back by ezdxf and poppler, and
refused input that writes nothing."""
import csv
import os
import subprocess
import unittest

import ezdxf

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


def make_long_river(folder, sections):
    """The example river's first section repeated upstream every 200 m, its
    elevations rising 1 m a kilometre: a river long enough for several sheets."""
    with open(FILES[2], "rb") as f:  # bytes: the names stay in the file's own encoding
        header, *points = f.read().splitlines()
    fields = header.split(b",")
    names = []
    for i in range(sections):
        km = 22.0 + 0.2 * i
        fields[0] = f"{km:.1f}".encode()
        lines = [b",".join(fields)]
        for p in points:
            point = p.decode().split(",")  # flag, distance, elevation (and an empty field after a last comma)
            point[2] = f"{float(point[2]) + 0.2 * i:.3f}"
            lines.append(",".join(point).encode())
        name = os.path.join(folder, f"long_{km:.1f}k.csv")
        with open(name, "wb") as f:
            f.write(b"\r\n".join(lines) + b"\r\n")
        names.append(name)
    return names


class RiverProfileTest(FolderTestCase):
    def test_sheets_through_the_server_and_one_pdf(self):
        out, pdf = self.path("profile.dxf"), self.path("profile.pdf")
        p = run("profile", *FILES, "--stage-file", HIGH_WATER, "-o", out, "--pdf", pdf)
        self.assertEqual(p.returncode, 0, p.stderr)
        doc = ezdxf.readfile(out, encoding="cp932")  # an R12 file names no code page
        layers = {layer.dxf.name for layer in doc.layers}
        self.assertTrue({"frame", "grid", "data band", "water", "legend"} <= layers, layers)
        self.assertTrue({"survey 2023-11-07", "survey 2019-11-05", "survey 2015-11-04"} <= layers, layers)
        texts = [t.dxf.text for t in doc.modelspace().query("TEXT")]
        for mark in ("22.0", "23.0", "24.2"):
            self.assertIn(mark, texts)
        self.assertIn("計画高水位", texts)
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        self.assertRegex(info, r"Pages: +1\n")
        self.assertIn("along 1:10000, elevations 1:100", info)
        self.assertIn("荒見川 縦断図", info)

    def test_a_long_river_takes_several_sheets(self):
        files = make_long_river(self.folder, 120)  # 23.8 km of river
        out, pdf = self.path("long.plm"), self.path("long.pdf")
        p = run("profile", *files, "-o", out, "--pdf", pdf, "--distance-scale", "5000")
        self.assertEqual(p.returncode, 0, p.stderr)
        sheets = sorted(f for f in os.listdir(self.folder) if f.startswith("long-") and f.endswith(".plm"))
        self.assertGreater(len(sheets), 1)
        self.assertEqual(sheets[0], "long-1.plm")
        self.assertNotIn("long.plm", os.listdir(self.folder))
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        self.assertRegex(info, rf"Pages: +{len(sheets)}\n")

    def test_bad_input_is_refused_and_writes_nothing(self):
        cases = [
            (("profile", *FILES, "-o", self.path("p.pdf")), 2, "must end in one"),
            (("profile", *FILES, "-o", self.path("p.dxf"), "--elevation-scale", "0"), 2, "is not a scale"),
            (("profile", *FILES, "-o", self.path("p.dxf"), "--elevation-scale", "10"), 1,
             "do not fit on the sheet at the elevation scale 1:10"),
            (("profile", "-o", self.path("p.dxf")), 2, "takes the cross-section files"),
        ]
        for args, status, message in cases:
            p = run(*args)
            self.assertEqual(p.returncode, status, (args, p.stderr))
            self.assertIn(message, p.stderr)
            self.assertEqual(os.listdir(self.folder), [], "a refused run wrote something")


class RiverBookTest(FolderTestCase):
    def test_every_sheet_as_a_pdf_page_and_a_dxf(self):
        os.mkdir(self.path("sheets"))
        book = self.path("book.pdf")
        p = run("book", *FILES, "-o", book, "--dxf", self.path("sheets"), "--jobs", "2")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertIn("river book: 3/3 sheets (100%)", p.stderr)  # plain lines: standard error is no terminal
        info = subprocess.run(["pdfinfo", book], capture_output=True, text=True).stdout
        self.assertRegex(info, r"Pages: +3\n")
        self.assertIn("荒見川 横断図集", info)
        self.assertIn("across 1:1000, elevations 1:250", info)
        sheets = sorted(os.listdir(self.path("sheets")))
        self.assertEqual(sheets, ["book-001.dxf", "book-002.dxf", "book-003.dxf"])
        index = ezdxf.readfile(self.path("sheets/book-001.dxf"), encoding="cp932")
        texts = [t.dxf.text for t in index.modelspace().query("TEXT")]
        self.assertIn("22.0", texts)
        self.assertEqual(texts.count("2") + texts.count("3"), 12, "every section's sheet in the index")
        sheet = ezdxf.readfile(self.path("sheets/book-002.dxf"), encoding="cp932")
        auditor = sheet.audit()
        self.assertEqual(len(auditor.errors), 0, [str(e) for e in auditor.errors])
        layers = {layer.dxf.name for layer in sheet.layers}
        self.assertTrue({"water", "survey 2023-11-07", "survey 2015-11-04"} <= layers, layers)
        captions = [t.dxf.text for t in sheet.modelspace().query("TEXT")]
        for mark in ("22.0k", "23.0k"):
            self.assertIn(mark, captions)
        # The same sheets on one core.
        again = self.path("again.pdf")
        self.assertEqual(run("book", *FILES, "-o", again, "--jobs", "1").returncode, 0)
        self.assertRegex(subprocess.run(["pdfinfo", again], capture_output=True, text=True).stdout, r"Pages: +3\n")

    def test_bad_input_is_refused_and_writes_nothing(self):
        cases = [
            (("book", *FILES, "-o", self.path("b.dxf")), 2, "-o cannot write a .dxf picture; it writes .pdf"),
            (("book", *FILES, "-o", self.path("b.pdf"), "--dxf", self.path("none")), 1, "no such folder"),
            (("book", *FILES, "-o", self.path("b.pdf"), "--distance-scale", "100"), 1,
             "does not fit its place on the sheet"),
            (("book", *FILES, "-o", self.path("b.pdf"), "--jobs", "0"), 2, "--jobs"),
        ]
        for args, status, message in cases:
            p = run(*args)
            self.assertEqual(p.returncode, status, (args, p.stderr))
            self.assertIn(message, p.stderr)
            self.assertEqual(os.listdir(self.folder), [], "a refused run wrote something")


if __name__ == "__main__":
    unittest.main()
