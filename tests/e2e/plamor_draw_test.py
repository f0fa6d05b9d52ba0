#!/usr/bin/python3
"""plamor-draw end to end: the examples and small fixtures drawn through the
drawing server (started on demand on the private session bus) and in process,
conversions between our file kinds, pictures, and refused input."""
import os
import subprocess
import unittest

import ezdxf

from e2e_support import BIN, SOURCE, FolderTestCase

EXAMPLES = os.path.join(SOURCE, "examples")
SECTIONS = sorted(os.path.join(EXAMPLES, "sections", f) for f in os.listdir(os.path.join(EXAMPLES, "sections")))
LEVEE = os.path.join(EXAMPLES, "levee", "arami_8k_2023-07.csv")
HQ_TABLE = os.path.join(EXAMPLES, "hq", "arami_bashi_2023.csv")

SHEET = """\
PaperSize = ktpA3
PaperScale = 100
Memo = "荒見川 試験図"
FileName = "{out}"
Sen 0, 0, 42000, 0
Sen 0, 0, 0, 29700, vPen:=2, vStyl:=ktpdash, vPich:=2
Sen 1000, 2000, 10000, 2000, vStyl:=ktpdashdot, vPich:=3, vLayer:=5
En 5000, 5000, 1000, vPen:=3
Enko 5000, 5000, 2000, 0, 90, vPen:=4
Daenko 10000, 10000, 4000, 2000, 45, 180, 15, vPen:=5
Moji 1000, 20000, "河川横断図", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom
Moji 30000, 20000, "縦書き", ktpTate, 0, 0, vPen:=6, vLayer:=12
OutPutPlamor "M_G_L.KVD"
wait
"""


def run(*args, cwd=None):
    return subprocess.run([os.path.join(BIN, "plamor-draw"), *args], capture_output=True, text=True,
                          timeout=120, cwd=cwd)


def read_dxf(path):
    doc = ezdxf.readfile(path, encoding="cp932")
    return doc, doc.audit()


class PlamorDrawTest(FolderTestCase):
    def ok(self, *args):
        p = run(*args)
        self.assertEqual(p.returncode, 0, p.stderr)
        return p

    def fails(self, *args, message):
        before = sorted(os.listdir(self.folder))
        p = run(*args)
        self.assertNotEqual(p.returncode, 0)
        self.assertIn(message, p.stderr)
        self.assertEqual(sorted(os.listdir(self.folder)), before, "a refused run wrote something")
        return p

    def test_sections_of_the_examples_on_the_server_and_in_process(self):
        for transport in ([], ["--inproc"]):
            out, png = self.path("sections.dxf"), self.path("sections.png")
            p = self.ok("sections", *SECTIONS, "-o", out, "--png", png, *transport)
            self.assertIn("4 observations read, 4 drawn", p.stderr)
            doc, audit = read_dxf(out)
            self.assertEqual(len(audit.errors), 0)
            texts = [e.dxf.text for e in doc.modelspace().query("TEXT")]
            self.assertIn("荒見川 24.0k 横断面", texts)
            self.assertIn("第4回", texts)
            self.assertGreater(len(doc.modelspace().query("LINE")), 50)
            with open(png, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
            self.assertEqual(sorted(os.listdir(self.folder)), ["sections.dxf", "sections.png"])

    def test_selected_sections_only(self):
        out = self.path("two.dxf")
        self.ok("sections", *SECTIONS, "--select", "1,4", "-o", out)
        texts = [e.dxf.text for e in read_dxf(out)[0].modelspace().query("TEXT")]
        self.assertIn("第1回", texts)
        self.assertIn("第4回", texts)
        self.assertNotIn("第2回", texts)

    def test_a_levee_section_has_its_water_line_between_the_banks_of_the_channel(self):
        out = self.path("levee.dxf")
        self.ok("sections", LEVEE, "-o", out)
        lines = read_dxf(out)[0].modelspace().query("LINE")
        # Ranges -10..70 m and 5..11 m: 4.625 mm a metre across, 45 up. The
        # water at T.P. 7.05 (y 45 * 2.05 + 10) meets the bed at 26 + 3 * 1.25 / 2
        # = 27.875 m (between the flood plain at 8.30 and the channel at 6.30)
        # and at 44 - 3 * 1.25 / 2.6 m (between 5.70 and 8.30).
        y = 45 * 2.05 + 10
        water = [e for e in lines if abs(e.dxf.start.y - y) < 1e-6 and abs(e.dxf.end.y - y) < 1e-6]
        self.assertEqual(len(water), 1)
        ends = sorted((water[0].dxf.start.x, water[0].dxf.end.x))
        self.assertAlmostEqual(ends[0], 4.625 * (27.875 + 10) + 32, places=3)
        self.assertAlmostEqual(ends[1], 4.625 * (44 - 3 * 1.25 / 2.6 + 10) + 32, places=3)

    def test_every_hq_kind(self):
        for kind, letter in (("Q", "Ｑ"), ("A", "Ａ"), ("B", "Ｂ"), ("V", "Ｖ"), ("SQ", "√Ｑ")):
            out = self.path("hq-%s.dxf" % kind)
            self.ok("hq", HQ_TABLE, "--kind", kind, "-o", out, "--png", self.path("hq-%s.png" % kind))
            doc, audit = read_dxf(out)
            self.assertEqual(len(audit.errors), 0)
            texts = [e.dxf.text for e in doc.modelspace().query("TEXT")]
            self.assertIn("Ｈ　－　%s　図" % letter, texts)
            self.assertIn("荒見橋", texts)
            self.assertIn("302041", texts)
            # 20 measurements as filled dots of six circles each.
            self.assertEqual(len(doc.modelspace().query("CIRCLE")), 120)

    def test_hq_ranges_from_options(self):
        out = self.path("hq.dxf")
        self.ok("hq", HQ_TABLE, "--kind", "Q", "--stage", "0:4", "--range", "0:140", "-o", out)
        texts = [e.dxf.text for e in read_dxf(out)[0].modelspace().query("TEXT")]
        for label in ("0.0", "1.0", "4.0", "20", "140"):
            self.assertIn(label, texts)

    def test_code_page_setting(self):
        out = self.path("cp.dxf")
        self.ok("setup-codepage", "on")
        self.ok("hq", HQ_TABLE, "--kind", "Q", "-o", out)
        with open(out, "rb") as f:
            self.assertIn(b"$DWGCODEPAGE\r\n  3\r\nANSI_932", f.read())
        self.ok("setup-codepage", "off")
        self.ok("hq", HQ_TABLE, "--kind", "Q", "-o", out)
        with open(out, "rb") as f:
            self.assertNotIn(b"$DWGCODEPAGE", f.read())
        self.ok("sections", SECTIONS[0], "-o", out, "--dxf-codepage")
        with open(out, "rb") as f:
            self.assertIn(b"$DWGCODEPAGE", f.read())
        self.ok("setup-codepage", "off")

    def make_plm(self):
        src = self.path("src.plm")
        script = self.path("sheet.bas")
        with open(script, "w", encoding="utf-8") as f:
            f.write(SHEET.format(out=src))
        p = subprocess.run([os.path.join(BIN, "plamor-run"), script], capture_output=True, text=True, timeout=120)
        self.assertEqual(p.returncode, 0, p.stderr)
        return src

    def test_standard_files_round_trip_through_convert(self):
        src = self.make_plm()
        a, b, c = self.path("a.atz"), self.path("b.plm"), self.path("c.atz")
        self.ok("convert", src, a)
        self.ok("convert", a, b, "--inproc")
        self.ok("convert", b, c)
        with open(a, "rb") as f1, open(c, "rb") as f2:
            self.assertEqual(f1.read(), f2.read())
        with open(a, "rb") as f:
            lines = f.read().decode("cp932").split("\r\n")
        self.assertEqual(lines[0], "0,3,100.000,1")
        self.assertIn('4,30000.000,20000.000,0.000,300.000,270.000,30.000,0.000,116,1,6,"縦書き"', lines)
        # The drawing-file route keeps the memo; both .plm files are the same
        # apart from their time stamps.
        plm2 = self.path("d.plm")
        self.ok("convert", src, plm2)
        with open(src, "rb") as f1, open(plm2, "rb") as f2:
            x, y = f1.read(), f2.read()
        self.assertEqual(len(x), len(y))
        self.assertEqual(x[2240:], y[2240:])
        with open(self.path("d.MET"), "rb") as f:
            self.assertEqual(f.read().decode("cp932"), "荒見川 試験図\r\n")
        dxf = self.path("e.dxf")
        self.ok("convert", a, dxf)
        doc, audit = read_dxf(dxf)
        self.assertEqual(len(audit.errors), 0)
        self.assertEqual(len(doc.modelspace().query("TEXT")), 2)

    def test_the_largest_paper_code_converts_without_overflow(self):
        src = self.path("huge.atz")
        with open(src, "wb") as f:
            f.write(b"0,2147483647,100.000,1\r\n1,0.000,0.000,100.000,0.000,1,0,0.000\r\n")
        for route in ((), ("--inproc",)):
            out = self.path("huge%d.plm" % len(route))
            self.ok("convert", src, out, *route)
            with open(out, "rb") as f:
                data = f.read()
            # A landscape sheet: the code plus 1, of which the 16-bit field keeps the low bits.
            self.assertEqual(data[2856:2858], b"\x00\x00")
            back = self.path("back%d.atz" % len(route))
            self.ok("convert", out, back, *route)

    def test_render_of_both_kinds(self):
        src = self.make_plm()
        self.ok("convert", src, self.path("a.atz"))
        for name in ("src.plm", "a.atz"):
            png = self.path(name + ".png")
            p = self.ok("render", self.path(name), "--png", png, "--width", "840")
            self.assertIn("840 x ", p.stderr)
            with open(png, "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")

    def test_viewer_pictures_of_its_four_pages(self):
        src = self.make_plm()
        shots = self.path("shots")
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        river = os.path.join(SOURCE, "examples", "river")
        viewer = [os.path.join(BIN, "plamor-viewer"), "--screenshot", shots, *SECTIONS, HQ_TABLE, river, src]
        p = subprocess.run(viewer, capture_output=True, text=True, timeout=120, env=env)
        self.assertEqual(p.returncode, 0, p.stderr)
        for name in ("sections.png", "hq.png", "river.png", "drawing.png"):
            with open(os.path.join(shots, name), "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
        # A file that cannot be opened fails the run, and no picture is written.
        other = self.path("other")
        p = subprocess.run([*viewer[:2], other, *viewer[3:], self.path("missing.atz")], capture_output=True, text=True,
                           timeout=120, env=env)
        self.assertEqual(p.returncode, 1, p.stderr)
        self.assertIn("missing.atz: does not exist", p.stderr)
        self.assertFalse(os.path.exists(other))

    def test_bad_input_is_refused_and_writes_nothing(self):
        bad = os.path.join(self.folder, "bad")
        os.mkdir(bad)
        broken = os.path.join(bad, "obs.csv")
        with open(SECTIONS[1], encoding="utf-8") as f:
            lines = f.read().split("\n")
        lines[2] = lines[2].replace(",12,", ",l2,")
        with open(broken, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        empty = os.path.join(bad, "empty.csv")
        with open(empty, "w", encoding="utf-8") as f:
            f.write("# station: 荒見橋\nstage,discharge\n")
        old = self.path("old.dxf")
        with open(old, "w") as f:
            f.write("earlier drawing")
        self.fails("sections", os.path.join(bad, "missing.csv"), "-o", old, message="missing.csv: cannot be read")
        self.fails("sections", broken, "-o", old,
                   message='obs.csv: line 3, field 4: point distance: "l2" is not a number')
        self.fails("hq", empty, "--kind", "Q", "-o", old, message="empty.csv: has no measurements")
        far = os.path.join(bad, "far.csv")
        with open(far, "w", encoding="utf-8") as f:
            f.write("stage,discharge\n0.5,3\n900000,5\n")
        self.fails("hq", far, "--kind", "Q", "--stage", "0:2", "-o", old,
                   message="far.csv: line 3, field 1: stage 900000 lies far outside the axis 0 to 2 given with --stage")
        self.fails("hq", HQ_TABLE, "--kind", "H", "-o", old, message='--kind: "H" is not one of Q, A, B, V, SQ')
        self.fails("hq", HQ_TABLE, "--kind", "Q", "-o", self.path("hq.plm"), message="must end in .dxf")
        self.fails("sections", *SECTIONS, "--select", "5", "-o", old, message="there is no observation 5")
        self.fails("sections", *SECTIONS, "-o", os.path.join(self.folder, "no", "such", "x.dxf"),
                   message="does not exist")
        self.fails("convert", broken, self.path("x.dxf"), message="is neither a standard drawing file")
        if os.geteuid() != 0:  # root writes into any folder
            locked = os.path.join(self.folder, "locked")
            os.mkdir(locked, 0o500)
            self.fails("hq", HQ_TABLE, "--kind", "Q", "-o", os.path.join(locked, "x.dxf"), message="not writable")
        with open(old) as f:
            self.assertEqual(f.read(), "earlier drawing")


if __name__ == "__main__":
    unittest.main()
