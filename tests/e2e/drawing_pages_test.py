#!/usr/bin/python3
"""plamor-draw's drawings for every reader: true-size PDF and SVG of drawing
files and of the charts' drawings, printing through CUPS, and DXF of AutoCAD
2000 checked with ezdxf and LibreCAD."""
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import ezdxf
import numpy
from PIL import Image
from scipy import ndimage

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import plamor_draw_test as base  # noqa: E402  (the example files and the sheet of host calls)

PRINT_QUEUE = "plamor-file"
PRINTED = "/var/tmp/plamor-print/printed.pdf"
PRINTED_TITLE = "/var/tmp/plamor-print/printed.title"  # the title of that job


def page_size(pdf):
    out = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True, check=True).stdout
    return re.search(r"Page size:\s+([\d.]+) x ([\d.]+) pts", out).groups()


def gray_pixels(pdf, dpi, crop=None):
    """The first page as rows of gray values (0 black .. 255 white)."""
    args = ["pdftoppm", "-r", str(dpi), "-gray", "-singlefile"]
    if crop:
        x, y, w, h = crop
        args += ["-x", str(x), "-y", str(y), "-W", str(w), "-H", str(h)]
    data = subprocess.run(args + [pdf], capture_output=True, check=True).stdout
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    pixels = fields[4]
    return [pixels[r * width:(r + 1) * width] for r in range(height)]


def ink(rows):
    return {(x, y) for y, row in enumerate(rows) for x, v in enumerate(row) if v < 250}


def pdf_ink(pdf, dpi):
    """Where the first page has ink, as pdftoppm draws it."""
    rows = gray_pixels(pdf, dpi)
    return numpy.frombuffer(b"".join(rows), dtype=numpy.uint8).reshape(len(rows), -1) < 250


def svg_ink(svg, dpi, folder):
    """Where the picture has ink, as rsvg-convert draws it (on white paper)."""
    png = os.path.join(folder, os.path.basename(svg) + ".png")
    subprocess.run(["rsvg-convert", "--dpi-x", str(dpi), "--dpi-y", str(dpi), "-o", png, svg], check=True)
    with Image.open(png) as shown:
        picture = Image.new("RGBA", shown.size, "white")
        picture.alpha_composite(shown.convert("RGBA"))
    return numpy.asarray(picture.convert("L")) < 250


def covered(ink, other, reach):
    """Share of the ink pixels of one picture that have ink of the other within `reach` pixels."""
    near = ndimage.binary_dilation(other, numpy.ones((2 * reach + 1, 2 * reach + 1), bool))
    return (ink & near).sum() / max(ink.sum(), 1)


def short_lines_atz(path, count, layers):
    """A standard text file of `count` short lines, solid and dashed, in every pen, spread over
    `layers` layers of an A3 sheet at 1:100, and among them station texts, some across the
    sheet's edges."""
    rnd = random.Random(25)
    rows = ["0,3,100.000,1"]
    for i in range(count):
        x, y = rnd.uniform(500, 41500), rnd.uniform(500, 29200)
        layer_pen = (i % layers) * 10 + 1 + i % 7
        rows.append("1,%.3f,%.3f,%.3f,%.3f,%d,%d,%.3f" % (x, y, x + rnd.uniform(-100, 100), y + rnd.uniform(-100, 100),
                                                       layer_pen, i % 2, 2.0 * (i % 2)))
        if i % 50 == 0:
            text = "河川" if i % 100 else "No.12"
            rows.append('4,%.3f,%.3f,0.000,300.000,300.000,30.000,%.3f,%d,0,%d,"%s"' % (
                rnd.uniform(-1000, 43000), rnd.uniform(-1000, 30700), 15.0 * (i % 3), layer_pen,
                len(text.encode("cp932")), text))
    with open(path, "wb") as f:
        f.write(("\r\n".join(rows) + "\r\n").encode("cp932"))


def cups_missing():
    if "scheduler is running" not in subprocess.run(["lpstat", "-r"], capture_output=True, text=True).stdout:
        return "no CUPS scheduler answers"
    if subprocess.run(["lpstat", "-p", PRINT_QUEUE], capture_output=True).returncode != 0:
        return "queue %s is missing (run .ci/prepare-printers as root)" % PRINT_QUEUE
    return None


class DrawingPagesTest(base.PlamorDrawTest):
    def test_pdf_and_svg_of_both_file_kinds_at_true_size(self):
        src = self.make_plm()
        self.ok("convert", src, self.path("a.atz"))
        for name in ("src.plm", "a.atz"):
            pdf, svg = self.path(name + ".pdf"), self.path(name + ".svg")
            p = self.ok("render", self.path(name), "--pdf", pdf, "--svg", svg)
            self.assertIn("420 x 297 mm", p.stderr)
            self.assertEqual(page_size(pdf), ("1190.55", "841.89"))
            with open(svg, encoding="utf-8") as f:
                text = f.read()
            self.assertIn('width="420mm" height="297mm" viewBox="0 0 1190.55 841.89"', text)
            self.assertGreater(text.count("<path "), 5)
        # Both kinds hold the same drawing: the same page.
        self.assertEqual(gray_pixels(self.path("src.plm.pdf"), 30), gray_pixels(self.path("a.atz.pdf"), 30))

    def test_svg_and_pdf_draw_the_same_picture(self):
        # The sheet of host calls (layers, dashes, arcs, kanji, a vertical
        # text), and short lines on two layers, enough for the PDF to draw
        # each layer in two pieces.
        many = self.path("lines.atz")
        short_lines_atz(many, 36000, 2)
        dpi = 150
        for src in (self.make_plm(), many):
            pdf, svg = src + ".pdf", src + ".svg"
            self.ok("render", src, "--pdf", pdf, "--svg", svg)
            if src == many:
                with open(pdf, "rb") as f:
                    self.assertEqual(f.read().count(b"/FlateDecode"), 4)
            drawn, shown = pdf_ink(pdf, dpi), svg_ink(svg, dpi, self.folder)
            self.assertEqual(drawn.shape, shown.shape)
            self.assertGreater(drawn.sum(), 2000, src)
            # Within a pixel (a sixth of a millimetre) each has the other's
            # ink: no layer, pen or stroke lost or moved.
            self.assertGreater(covered(shown, drawn, 1), 0.99, src)
            self.assertGreater(covered(drawn, shown, 1), 0.99, src)

    def test_charts_write_the_pdf_of_the_very_drawing_of_their_dxf(self):
        for args in ([*base.SECTIONS], [base.HQ_TABLE, "--kind", "Q"]):
            command = "sections" if len(args) > 3 else "hq"
            r12, modern, pdf = self.path(command + ".dxf"), self.path(command + "-2000.dxf"), self.path(command + ".pdf")
            self.ok(command, *args, "-o", r12, "--pdf", pdf)
            self.ok(command, *args, "-o", modern, "--dxf-version", "2000", "--inproc")
            self.assertEqual(page_size(pdf), ("1190.55", "841.89"))
            old, new = ezdxf.readfile(r12, encoding="cp932"), ezdxf.readfile(modern)
            self.assertEqual(new.dxfversion, "AC1015")
            for kind in ("LINE", "CIRCLE", "ARC"):
                self.assertEqual(len(old.modelspace().query(kind)), len(new.modelspace().query(kind)), kind)
            horizontal = lambda doc: sorted(t.dxf.text for t in doc.modelspace().query("TEXT")  # noqa: E731
                                            if t.dxf.style != "TATEGAKI")
            self.assertEqual(horizontal(old), horizontal(new))
            self.assertGreater(len(ink(gray_pixels(pdf, 20))), 1000)

    def test_modern_dxf_reads_back_in_ezdxf_and_shows_its_kanji_in_librecad(self):
        src = self.make_plm()
        dxf = self.path("modern.dxf")
        self.ok("convert", src, dxf, "--dxf-version", "2000")
        doc = ezdxf.readfile(dxf)
        auditor = doc.audit()
        self.assertEqual(auditor.errors, [])
        self.assertEqual(auditor.fixes, [])
        msp = doc.modelspace()
        self.assertEqual(len(msp.query("ELLIPSE")), 1)
        ellipse = msp.query("ELLIPSE")[0]
        self.assertAlmostEqual(ellipse.dxf.ratio, 0.5)
        self.assertAlmostEqual(ellipse.dxf.major_axis.x, 4000 * 0.9659258262890683, places=6)
        texts = [t.dxf.text for t in msp.query("TEXT")]
        self.assertEqual(texts, ["河川横断図", "縦", "書", "き"])
        self.assertEqual(doc.header["$LIMMAX"][:2], (42000, 29700))
        dashed = [e for e in msp.query("LINE") if e.dxf.linetype == "HIDDEN2"]
        self.assertAlmostEqual(dashed[0].dxf.ltscale, 200 / 16)
        if not shutil.which("librecad"):
            self.skipTest("LibreCAD is not installed")
        shown = self.path("modern.pdf")  # LibreCAD names it after the drawing
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        p = subprocess.run(["librecad", "dxf2pdf", "-p", "420x297", "-s", "0.01", "-f", "0,0,0,0", dxf],
                           capture_output=True, text=True, timeout=120, env=env)
        self.assertTrue(os.path.exists(shown), p.stderr)
        ours = self.path("ours.pdf")
        self.ok("render", src, "--pdf", ours)
        # The title 河川横断図 (5 mm high, centred on x = 10 mm at 200 mm):
        # LibreCAD draws its glyphs from the same stroke font the preview
        # uses, so the ink of the two pictures of it overlaps.
        dpi = 150
        box = [int(v * dpi / 25.4) for v in (0, 297 - 208, 40, 12)]
        theirs, mine = ink(gray_pixels(shown, dpi, box)), ink(gray_pixels(ours, dpi, box))
        self.assertGreater(len(mine), 200)
        near = lambda p, pixels: any((p[0] + dx, p[1] + dy) in pixels  # noqa: E731
                                     for dx in range(-3, 4) for dy in range(-3, 4))
        self.assertGreater(sum(near(p, mine) for p in theirs) / max(len(theirs), 1), 0.8)
        self.assertGreater(sum(near(p, theirs) for p in mine) / len(mine), 0.8)

    def test_printing_sends_a_pdf_of_the_sheet_or_of_the_default_paper(self):
        missing = cups_missing()
        if missing:
            if os.environ.get("PLAMOR_REQUIRE_CUPS") == "1":
                self.fail("CUPS is required: " + missing)
            self.skipTest("print test skipped: " + missing)
        src = self.make_plm()
        for extra, size in (([], ("1190.55", "841.89")), (["--fit"], ("841.89", "595.28"))):
            before = os.stat(PRINTED).st_mtime_ns if os.path.exists(PRINTED) else 0
            p = self.ok("print", src, "--printer", PRINT_QUEUE, *extra)
            job = re.search(r"as job (\d+)", p.stderr).group(1)
            deadline = time.time() + 30
            while time.time() < deadline:
                if os.path.exists(PRINTED) and os.stat(PRINTED).st_mtime_ns != before and page_size_or_none(PRINTED):
                    break
                time.sleep(0.2)
            self.assertEqual(page_size(PRINTED), size)
            with open(PRINTED_TITLE, encoding="utf-8") as f:
                self.assertEqual(f.read(), "src.plm\n")
            jobs = subprocess.run(["lpstat", "-W", "completed", "-o", PRINT_QUEUE], capture_output=True,
                                  text=True).stdout
            self.assertIn("%s-%s" % (PRINT_QUEUE, job), jobs)
        # The PDF of a chart's drawing goes to the queue as it is.
        pdf = self.path("sections.pdf")
        self.ok("sections", *base.SECTIONS, "-o", self.path("sections.dxf"), "--pdf", pdf, "--inproc")
        before = os.stat(PRINTED).st_mtime_ns
        self.ok("print", pdf, "--printer", PRINT_QUEUE)
        deadline = time.time() + 30
        while time.time() < deadline and os.stat(PRINTED).st_mtime_ns == before:
            time.sleep(0.2)
        with open(pdf, "rb") as a, open(PRINTED, "rb") as b:
            self.assertEqual(a.read(), b.read())

    def test_bad_input_is_refused_and_leaves_earlier_files(self):
        src = self.make_plm()
        old = self.path("old.pdf")
        with open(old, "w") as f:
            f.write("earlier page")
        broken = self.path("broken.plm")
        with open(src, "rb") as f:
            data = f.read()
        with open(broken, "wb") as f:
            f.write(data[:3000])
        self.fails("render", self.path("missing.plm"), "--pdf", old, message="missing.plm: does not exist")
        self.fails("render", broken, "--pdf", old, message="broken.plm:")
        self.fails("render", src, "--pdf", os.path.join(self.folder, "no", "x.pdf"), message="does not exist")
        self.fails("render", src, message="option --output is required")
        self.fails("render", src, "--pdf", self.path("x.png"), message="--pdf cannot write a .png picture")
        self.fails("print", old, "--printer", PRINT_QUEUE, message="old.pdf: is not a PDF file with a page size")
        self.fails("convert", src, self.path("x.dxf"), "--dxf-version", "2013", message='"2013" cannot be written')
        if not cups_missing():
            self.fails("print", src, "--printer", "no-such-queue", message="printer no-such-queue: the CUPS scheduler "
                                                                           "knows no such print queue")
        env = dict(os.environ, CUPS_SERVER="/nonexistent/cups.sock")
        p = subprocess.run([os.path.join(base.BIN, "plamor-draw"), "print", src, "--printer", PRINT_QUEUE],
                           capture_output=True, text=True, timeout=60, env=env)
        self.assertEqual(p.returncode, 1)
        self.assertIn("printer %s: no CUPS scheduler answers" % PRINT_QUEUE, p.stderr)
        with open(old) as f:
            self.assertEqual(f.read(), "earlier page")


def page_size_or_none(pdf):
    try:
        return page_size(pdf)
    except (subprocess.CalledProcessError, AttributeError):
        return None


def load_tests(loader, standard_tests, pattern):
    """Only the checks of this script: those of the base class run in their own."""
    names = [n for n in loader.getTestCaseNames(DrawingPagesTest) if n in DrawingPagesTest.__dict__]
    return unittest.TestSuite(DrawingPagesTest(n) for n in names)


if __name__ == "__main__":
    unittest.main()
