#!/usr/bin/python3
"""The command lines of every program as a person at a terminal meets them:
help and version without a display, the forms of options, and the one line
each mistake gets, with its exit status and nothing written."""
import os
import subprocess
import tempfile
import unittest

BIN = os.environ["PLAMOR_BIN_DIR"]
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HQ_TABLE = os.path.join(SOURCE, "examples", "hq", "arami_bashi_2023.csv")
PROGRAMS = ["plamor", "plamor-run", "plamor-draw", "plamor-viewer", "marovel-demo", "plamor-sample-sheet"]
DRAW_COMMANDS = ["sections", "hq", "convert", "render", "setup-codepage"]

# No screen at all: what a terminal over ssh or a build machine has.
HEADLESS = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}


def run(program, *args, cwd=None):
    return subprocess.run([os.path.join(BIN, program), *args], capture_output=True, text=True, timeout=120,
                          env=HEADLESS, cwd=cwd)


class CommandLinesTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        HEADLESS["XDG_CONFIG_HOME"] = self.folder
        if "XDG_RUNTIME_DIR" not in os.environ:  # else Qt warns on standard error
            HEADLESS["XDG_RUNTIME_DIR"] = self.folder

    def tearDown(self):
        self.dir.cleanup()

    def usage_error(self, program, *args, says):
        before = sorted(os.listdir(self.folder))
        p = run(program, *args, cwd=self.folder)
        self.assertEqual(p.returncode, 2, p.stderr)
        self.assertEqual(p.stdout, "")
        lines = p.stderr.splitlines()
        self.assertEqual(len(lines), 1, p.stderr)
        self.assertIn(says, lines[0])
        self.assertIn("--help", lines[0])
        self.assertEqual(sorted(os.listdir(self.folder)), before, "a refused run wrote something")

    def test_help_and_version_of_every_program_without_a_display(self):
        with open(os.path.join(SOURCE, "CMakeLists.txt")) as f:
            version = f.read().split("project(Plamor VERSION ")[1].split()[0]
        commands = [[p] for p in PROGRAMS] + [["plamor-draw", c] for c in DRAW_COMMANDS]
        for command in commands:
            for flag in ("--help", "-h"):
                p = run(*command, flag)
                self.assertEqual(p.returncode, 0, command + [p.stderr])
                self.assertTrue(p.stdout.startswith("Usage: " + " ".join(command) + " "), p.stdout)
                self.assertIn("--version", p.stdout)
                self.assertEqual(p.stderr, "")
            p = run(*command, "--version")
            self.assertEqual((p.returncode, p.stdout), (0, "%s %s\n" % (command[0], version)), p.stderr)
        overview = run("plamor-draw", "--help").stdout
        for c in DRAW_COMMANDS:
            self.assertIn("\n  " + c + " ", overview)
        self.assertIn("-o, --output OUT.dxf", run("plamor-draw", "hq", "--help").stdout)

    def test_each_form_of_the_output_option(self):
        for form in (["-o", "a.dxf"], ["--output", "a.dxf"], ["--output=a.dxf"], ["-oa.dxf"]):
            p = run("plamor-draw", "hq", HQ_TABLE, "--kind=Q", "--inproc", *form, cwd=self.folder)
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertEqual(os.listdir(self.folder).count("a.dxf"), 1)
            os.remove(os.path.join(self.folder, "a.dxf"))

    def test_mistakes_get_one_line_and_status_2(self):
        self.usage_error("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", "-o", says="option -o needs a value")
        self.usage_error("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", "--output", says="option --output needs a value")
        self.usage_error("plamor-draw", "sections", "--colour", "x.csv", says="plamor-draw sections: unknown option --colour")
        self.usage_error("plamor-draw", "sections", "x.csv", "--inproc=yes", "-o", "x.dxf", says="--inproc takes no value")
        self.usage_error("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", says="option --output is required")
        self.usage_error("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", "-o", "a.dxf", "--png", "a.jpg",
                         says="a.jpg: --png cannot write a .jpg picture; it writes .png")
        self.usage_error("plamor-draw", "render", "x.plm", "-o", "x.jpg", says="render cannot write a .jpg picture")
        self.usage_error("plamor-draw", "paint", says='unknown command "paint"')
        self.usage_error("plamor-draw", says="no command given")
        self.usage_error("plamor-run", "--answer", says="option --answer needs a value")
        self.usage_error("plamor-run", "--answer", "9", "x.bas", says="--answer takes a button code 1..7")
        self.usage_error("plamor-run", says="no script given")
        self.usage_error("plamor", "--idle-timeout", "soon", says='--idle-timeout: "soon" is not a number')
        self.usage_error("plamor", "--colour", says="plamor: unknown option --colour")
        self.usage_error("plamor-viewer", "--screenshot", says="option --screenshot needs a value")
        self.usage_error("marovel-demo", "extra", says="unexpected argument extra")
        self.usage_error("plamor-sample-sheet", says="no picture file given")

    def test_files_that_are_folders(self):
        p = run("plamor-run", "--inproc", self.folder)
        self.assertEqual(p.returncode, 1)
        self.assertIn("is a folder", p.stderr)
        p = run("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", "--inproc", "-o", self.folder + "/")
        self.assertEqual(p.returncode, 2, p.stderr)  # a folder does not end in .dxf
        os.mkdir(os.path.join(self.folder, "x.dxf"))
        p = run("plamor-draw", "hq", HQ_TABLE, "--kind", "Q", "--inproc", "-o", os.path.join(self.folder, "x.dxf"))
        self.assertEqual(p.returncode, 1)
        self.assertIn("x.dxf: is a folder", p.stderr)
        self.assertEqual(os.listdir(self.folder), ["x.dxf"])

    def test_pictures_without_a_display_pick_the_offscreen_platform(self):
        shots = os.path.join(self.folder, "shots")
        for program, picture in (("plamor-viewer", "hq.png"), ("marovel-demo", "tbunpu.png")):
            p = run(program, "--screenshot", shots, *([HQ_TABLE] if program == "plamor-viewer" else []))
            self.assertEqual(p.returncode, 0, p.stderr)
            with open(os.path.join(shots, picture), "rb") as f:
                self.assertEqual(f.read(8), b"\x89PNG\r\n\x1a\n")
        p = run("plamor-viewer", "--screenshot", os.path.join(self.folder, "none"), os.path.join(self.folder, "missing.csv"))
        self.assertEqual(p.returncode, 1, p.stderr)
        self.assertIn("missing.csv", p.stderr)

    def test_the_viewer_refuses_a_file_it_cannot_open_before_its_window(self):
        # With a screen (off screen here, and the real one where there is
        # one): one line naming the file, exit status 1, no window left open.
        screens = [dict(HEADLESS, QT_QPA_PLATFORM="offscreen")]
        if os.environ.get("DISPLAY"):
            screens.append(dict(HEADLESS, DISPLAY=os.environ["DISPLAY"]))
        missing = os.path.join(self.folder, "missing.csv")
        for env in screens:
            p = subprocess.run([os.path.join(BIN, "plamor-viewer"), HQ_TABLE, missing], capture_output=True,
                               text=True, timeout=60, env=env)
            self.assertEqual(p.returncode, 1, p.stderr)
            lines = [line for line in p.stderr.splitlines() if line.startswith("plamor-viewer:")]
            self.assertEqual(len(lines), 1, p.stderr)
            self.assertIn(missing + ": ", lines[0])


if __name__ == "__main__":
    unittest.main()
