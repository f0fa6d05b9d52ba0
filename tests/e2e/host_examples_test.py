#!/usr/bin/python3
"""The host scripts under examples/hosts/plamor-run run as the README shows,
in process: every file each one names is written, complete and readable, and
the files one script writes hold the same drawing (text sizes too, which an
output run scales in the elements themselves)."""
import glob
import os
import re
import subprocess
import tempfile
import unittest

import ezdxf

BIN = os.environ["PLAMOR_BIN_DIR"]
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SCRIPTS = sorted(glob.glob(os.path.join(SOURCE, "examples", "hosts", "plamor-run", "*.bas")))
ELEMENT_CALLS = ("Sen", "En", "Enko", "Daen", "Daenko", "Moji", "MojiExtMsM", "MojiExtMsG")


class HostExamplesTest(unittest.TestCase):
    def test_every_script_writes_every_file_it_names(self):
        self.assertTrue(SCRIPTS, "no host scripts in examples/hosts/plamor-run")
        for script in SCRIPTS:
            with open(script, encoding="utf-8") as f:
                text = f.read()
            names = re.findall(r'^FileName = "([^"]+)"', text, re.M)
            elements = sum(1 for line in text.splitlines() if line.split(" ", 1)[0] in ELEMENT_CALLS)
            memo = re.search(r'^Memo = "([^"]*)"', text, re.M)
            with tempfile.TemporaryDirectory() as folder:
                env = dict(os.environ, XDG_CONFIG_HOME=folder)
                p = subprocess.run([os.path.join(BIN, "plamor-run"), "--inproc", script], cwd=folder, env=env,
                                   capture_output=True, text=True, timeout=120)
                self.assertEqual(p.returncode, 0, script + ": " + p.stderr)
                self.assertEqual(p.stdout.split(), [str(elements)], script)
                text_heights = {}
                for name in names:
                    path = os.path.join(folder, name)
                    self.assertTrue(os.path.isfile(path), name + " was not written")
                    if name.endswith(".dxf"):
                        doc = ezdxf.readfile(path, encoding="cp932")
                        self.assertEqual(len(doc.audit().errors), 0, name)
                        self.assertEqual(len(doc.modelspace()), elements, name)
                        text_heights["dxf"] = [e.dxf.height for e in doc.modelspace() if e.dxftype() == "TEXT"]
                    elif name.endswith(".atz"):
                        with open(path, "rb") as f:
                            lines = f.read().decode("cp932").split("\r\n")
                        self.assertEqual(len([l for l in lines if l]), elements + 1, name)
                        text_heights["atz"] = [float(l.split(",")[4]) for l in lines if l.startswith("4,")]
                        self.assert_same_atz_from_plm(folder, names, path, env)
                    elif name.endswith(".plm") and memo:
                        with open(path[:-3] + "MET", "rb") as f:
                            self.assertEqual(f.read().decode("cp932"), memo.group(1) + "\r\n")
                if len(text_heights) == 2:
                    self.assertEqual(text_heights["dxf"], text_heights["atz"], script)

    def assert_same_atz_from_plm(self, folder, names, atz, env):
        plm = [n for n in names if n.endswith(".plm")]
        if not plm:
            return
        back = os.path.join(folder, "back.atz")
        p = subprocess.run([os.path.join(BIN, "plamor-draw"), "convert", "--inproc", plm[0], back], cwd=folder,
                           env=env, capture_output=True, text=True, timeout=120)
        self.assertEqual(p.returncode, 0, p.stderr)
        with open(back, "rb") as a, open(atz, "rb") as b:
            self.assertEqual(a.read(), b.read(), plm[0] + " and " + os.path.basename(atz) + " differ")


if __name__ == "__main__":
    unittest.main()
