#!/usr/bin/python3
"""Runs every host script in cases/ through plamor-run --inproc in a fresh
folder and compares each file it wrote with the expected file of the same
name beside the script, byte for byte.

Fields that differ from run to run are left out of the comparison of a
standard drawing file (.plm): the pixel planes of the thumbnail (its width and
height words are compared), the two time stamps and the path of the stroke
font, which names the program's own folder. Their form is still checked: two
equal stamps "mm/dd/yyyy hh:nn:ss" padded with zero bytes, and a path ending in
M_G_L.KVD padded with zero bytes (or no path at all)."""
import glob
import os
import re
import subprocess
import tempfile
import unittest

BIN = os.environ["PLAMOR_BIN_DIR"]
CASES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "cases")

# The DXF 2000 file of a case's standard drawing file (plamor-draw convert).
DXF2000 = ".2000.dxf"

PLM_MASKS = [(4, 2200, "thumbnail pixels"), (2200, 2240, "time stamps"), (2240, 2320, "font path")]
PLM_FIELDS = [(0, "thumbnail size"), (2320, "font names"), (2760, "PlamorFlg"), (2764, "origin and angle"),
              (2788, "reserved"), (2822, "unit"), (2832, "paper sides"), (2856, "paper code"),
              (2858, "scale"), (2874, "format tag"), (2880, "older paper code"), (2886, "scale"),
              (2902, "default attribute words"), (2906, "element records")]


def plm_field(offset):
    return [name for start, name in PLM_FIELDS if start <= offset][-1]


def masked(data):
    data = bytearray(data)
    for start, end, _ in PLM_MASKS:
        data[start:min(end, len(data))] = bytes(max(0, min(end, len(data)) - start))
    return bytes(data)


def varying_field_problem(data):
    stamp = re.compile(rb"\d\d/\d\d/\d{4} \d\d:\d\d:\d\d\0")
    if not (stamp.fullmatch(data[2200:2220]) and data[2200:2220] == data[2220:2240]):
        return "time stamps: got %r" % data[2200:2240]
    path = data[2240:2320].rstrip(b"\0")
    if b"\0" in path or (path and not path.upper().endswith(b"M_G_L.KVD")):
        return "font path: got %r" % data[2240:2320]
    return None


def first_binary_difference(expected, actual):
    if len(actual) >= 2320 and varying_field_problem(actual):
        return varying_field_problem(actual)
    expected, actual = masked(expected), masked(actual)
    for offset, (e, a) in enumerate(zip(expected, actual)):
        if e != a:
            return "byte %d (%s): expected %s, got %s" % (
                offset, plm_field(offset), expected[offset:offset + 8].hex(" "), actual[offset:offset + 8].hex(" "))
    if len(expected) != len(actual):
        return "length: expected %d bytes, got %d" % (len(expected), len(actual))
    return None


def first_text_difference(expected, actual):
    expected_lines, actual_lines = expected.split(b"\n"), actual.split(b"\n")
    for number, (e, a) in enumerate(zip(expected_lines, actual_lines), 1):
        if e != a:
            return "line %d: expected %r, got %r" % (number, e.decode("cp932", "replace"),
                                                       a.decode("cp932", "replace"))
    if len(expected_lines) != len(actual_lines):
        return "expected %d lines, got %d" % (len(expected_lines), len(actual_lines))
    return None


def first_difference(name, expected, actual):
    if name.endswith(".plm"):
        return first_binary_difference(expected, actual)
    return first_text_difference(expected, actual)


def convert_to_dxf2000(folder, name, env):
    """Writes NAME.2000.dxf from the NAME.plm the case wrote, as plamor-draw
    convert --dxf-version 2000 does; the problems met on the way."""
    source = os.path.join(folder, name[:-len(DXF2000)] + ".plm")
    if not os.path.isfile(source):
        return [name + ": the case wrote no .plm to convert"]
    run = subprocess.run([os.path.join(BIN, "plamor-draw"), "convert", source, os.path.join(folder, name),
                          "--dxf-version", "2000"], cwd=folder, env=env, capture_output=True, timeout=60)
    if run.returncode != 0:
        return [name + ": " + run.stderr.decode("utf-8", "replace")]
    return []


class ConformanceCorpusTest(unittest.TestCase):
    def test_every_case_writes_its_expected_files(self):
        scripts = sorted(glob.glob(os.path.join(CASES, "*.bas")))
        self.assertTrue(scripts, "no cases in " + CASES)
        stems = {os.path.splitext(script)[0] for script in scripts}
        orphans = [f for f in os.listdir(CASES) if os.path.join(CASES, f.split(".")[0]) not in stems]
        self.assertFalse(orphans, "expected files without a script of their name")
        for script in scripts:
            stem = os.path.splitext(os.path.basename(script))[0]
            expected_files = sorted(f for f in glob.glob(os.path.join(CASES, stem + ".*")) if f != script)
            with self.subTest(case=stem), tempfile.TemporaryDirectory() as folder:
                self.assertTrue(expected_files, stem + ": no expected files")
                env = dict(os.environ, XDG_CONFIG_HOME=folder)
                run = subprocess.run([os.path.join(BIN, "plamor-run"), "--inproc", script], cwd=folder, env=env,
                                     capture_output=True, timeout=60)
                self.assertEqual(run.returncode, 0, stem + ": " + run.stderr.decode("utf-8", "replace"))
                problems = []
                for path in expected_files:
                    name = os.path.basename(path)
                    written = os.path.join(folder, name)
                    if name.endswith(DXF2000):
                        problems += convert_to_dxf2000(folder, name, env)
                    if not os.path.isfile(written):
                        problems.append(name + " was not written")
                        continue
                    with open(path, "rb") as f:
                        expected = f.read()
                    with open(written, "rb") as f:
                        actual = f.read()
                    difference = first_difference(name, expected, actual)
                    if difference:
                        problems.append(name + ": " + difference)
                self.assertFalse(problems, "\n  ".join([stem + ":"] + problems))

if __name__ == "__main__":
    unittest.main()
