#!/usr/bin/python3
"""The drawing server end to end: plamor-run and other hosts drive the real
plamor program over a private D-Bus session bus."""
import os
import subprocess
import sys
import tempfile
import time
import unittest

import dbus
import ezdxf

from e2e_support import BIN, BUS_NAME, ModuleServer

FACTORY = "/TessaroPlamor/clsPlamor"

SHEET = """\
' every element kind and line style on an A3 sheet
PaperSize = ktpA3
ShowDialog
Sen 0, 0, 420, 0
Sen 0, 0, 0, 297, vPen:=2, vStyl:=ktpdash, vPich:=2
Sen 10, 10, 100, 10, vStyl:=ktpdashdot, vPich:=3
Sen 10, 20, 100, 20, vStyl:=ktpdashdotdot, vPich:=3, vLayer:=5
En 50, 50, 10
Enko 50, 50, 20, 0, 90, vPen:=3
Daen 100, 100, 30, 10, 30
Daenko 100, 100, 40, 20, 45, 180, 15, vPen:=4
Moji 10, 200, "河川横断図", ktpYoko, 0, 0, vHeight:=5, vKiten:=ktpCenterBottom
Moji 300, 200, "縦書き", ktpTate
LayerName(5) = "護岸"
OutPutPlamor "M_G_L.KVD"
wait
print Count
print RunResult
"""


def run_host(script, folder, *args, check=True):
    path = os.path.join(folder, "script.bas")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    p = subprocess.run([os.path.join(BIN, "plamor-run"), *args, path], cwd=folder,
                       capture_output=True, text=True, timeout=120)
    if check and p.returncode != 0:
        raise AssertionError("plamor-run failed: %s\n%s" % (p.returncode, p.stderr))
    return p


SERVER = ModuleServer()
setUpModule = SERVER.start
tearDownModule = SERVER.stop


def server_objects():
    bus = dbus.SessionBus()
    xml = bus.get_object(BUS_NAME, FACTORY).Introspect(dbus_interface="org.freedesktop.DBus.Introspectable")
    return xml.count("<node name=")


class ServerEndToEnd(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def test_sheet_in_all_three_kinds(self):
        for ext in ("dxf", "plm", "atz"):
            out = run_host('FileName = "sheet.%s"\n' % ext + SHEET, self.folder)
            self.assertEqual(out.stdout.strip(), "10\n 2, %s," % os.path.join(self.folder, "sheet." + ext))
            self.assertTrue(os.path.exists(os.path.join(self.folder, "sheet." + ext)), ext)
        doc = ezdxf.readfile(os.path.join(self.folder, "sheet.dxf"), encoding="cp932")
        self.assertEqual(len(doc.audit().errors), 0)
        kinds = [e.dxftype() for e in doc.modelspace()]
        self.assertEqual(kinds.count("LINE"), 4)
        self.assertEqual(kinds.count("TEXT"), 2)
        texts = sorted(e.dxf.text for e in doc.modelspace() if e.dxftype() == "TEXT")
        self.assertEqual(texts, sorted(["河川横断図", "縦書き"]))
        linetypes = {e.dxf.linetype for e in doc.modelspace() if e.dxftype() == "LINE"}
        self.assertEqual(len(linetypes), 4)
        self.assertIn("護岸", [layer.dxf.name for layer in doc.layers])
        with open(os.path.join(self.folder, "sheet.plm"), "rb") as f:
            plm = f.read()
        self.assertEqual(plm[2874:2880], b"PLMV2\0")
        self.assertTrue(os.path.exists(os.path.join(self.folder, "sheet.MET")))
        with open(os.path.join(self.folder, "sheet.atz"), "rb") as f:
            atz = f.read().decode("cp932")
        self.assertTrue(atz.startswith("0,3,"), atz[:40])
        self.assertIn("河川横断図", atz)

    def test_two_hosts_at_once_get_two_drawings(self):
        procs = []
        for name, x in (("a", 10), ("b", 20)):
            script = 'FileName = "%s.dxf"\nSen 0, 0, %d, 0\nSen 0, 0, 0, %d\nOutPutPlamor "M_G_L.KVD"\nwait\n' % (name, x, x)
            path = os.path.join(self.folder, name + ".bas")
            with open(path, "w") as f:
                f.write(script)
            procs.append(subprocess.Popen([os.path.join(BIN, "plamor-run"), path], cwd=self.folder))
        for p in procs:
            self.assertEqual(p.wait(timeout=120), 0)
        for name, x in (("a", 10), ("b", 20)):
            doc = ezdxf.readfile(os.path.join(self.folder, name + ".dxf"), encoding="cp932")
            ends = sorted(max(e.dxf.end.x, e.dxf.end.y) for e in doc.modelspace())
            self.assertEqual(ends, [x, x])

    def test_a_host_that_dies_leaves_no_object(self):
        child = subprocess.Popen([sys.executable, "-c", """
import dbus, time
bus = dbus.SessionBus()
f = bus.get_object("TessaroPlamor.clsPlamor", "/TessaroPlamor/clsPlamor")
path = f.Create("TessaroPlamor.clsPlamor", dbus_interface="TessaroPlamor.ClassFactory")
o = bus.get_object("TessaroPlamor.clsPlamor", path)
o.Sen(0.0, 0.0, 1.0, 1.0, dbus.Dictionary({}, signature="sv"), dbus_interface="TessaroPlamor._clsPlamor")
print(path, flush=True)
time.sleep(60)
"""], stdout=subprocess.PIPE, text=True)
        self.assertTrue(child.stdout.readline().startswith("/TessaroPlamor/clsPlamor/"))
        self.assertEqual(server_objects(), 1)
        child.kill()
        child.wait()
        for _ in range(100):
            if server_objects() == 0:
                break
            time.sleep(0.05)
        self.assertEqual(server_objects(), 0)

    def test_bad_scripts_name_line_and_member_and_the_server_keeps_serving(self):
        p = run_host("Sen 0, 0, 1, 1\nSenn 1, 2\n", self.folder, check=False)
        self.assertEqual(p.returncode, 1)
        self.assertIn("line 2: Senn: no such method", p.stderr)
        p = run_host('Sen 0, 0, "a", 1\n', self.folder, check=False)
        self.assertEqual(p.returncode, 1)
        self.assertIn("line 1: Sen: Type mismatch", p.stderr)
        # A folder that does not exist: the file error prompt, no file, the run
        # fails and the host says so, naming the file and the server's message.
        p = run_host('FileName = "missing/x.dxf"\nSen 0, 0, 1, 1\nOutPutPlamor "nofont.kvd"\nwait\n', self.folder,
                     check=False)
        self.assertIn("エラー確認", p.stderr)
        self.assertEqual(p.returncode, 1)
        self.assertIn("plamor-run: %s: the drawing was not written: " % os.path.join(self.folder, "missing/x.dxf"),
                      p.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "missing")))
        run_host('FileName = "ok.dxf"\nSen 0, 0, 1, 1\nOutPutPlamor "nofont.kvd"\nwait\n', self.folder)
        self.assertTrue(os.path.exists(os.path.join(self.folder, "ok.dxf")))

    def test_save_file_dialog_and_answers_come_from_the_host(self):
        target = os.path.join(self.folder, "chosen.dxf")
        p = run_host('DXFOnly = True\nSen 0, 0, 1, 1\nOutPutPlamor "M_G_L.KVD"\nwait\nprint FileName\n',
                     self.folder, "--save-as", target)
        self.assertEqual(p.stdout.strip(), target)
        self.assertTrue(os.path.exists(target))
        # No element: the message, no file, and the host tells how the run ended.
        p = run_host('FileName = "none.dxf"\nOutPutPlamor "M_G_L.KVD"\nwait\nprint RunResult\n', self.folder,
                     check=False)
        self.assertEqual(p.returncode, 1)
        self.assertEqual(p.stdout, " 4, , 図面作成する要素が見つかりません。\n")
        self.assertIn("none.dxf: the drawing was not written: 図面作成する要素が見つかりません。", p.stderr)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "none.dxf")))

    def test_in_process_drawing_writes_the_same_entities(self):
        # Layer names are settings of the server thread and outlive objects,
        # so the two files may differ in their layer tables, not in entities.
        run_host('FileName = "inproc.dxf"\n' + SHEET, self.folder, "--inproc")
        run_host('FileName = "dbus.dxf"\n' + SHEET, self.folder)

        def entities(name):
            doc = ezdxf.readfile(os.path.join(self.folder, name), encoding="cp932")
            return [(e.dxftype(), e.dxf.color, e.dxf.linetype,
                     sorted((k, str(v)) for k, v in e.dxf.all_existing_dxf_attribs().items()
                            if k not in ("handle", "owner", "layer")))
                    for e in doc.modelspace()]
        self.assertEqual(entities("inproc.dxf"), entities("dbus.dxf"))


class Activation(unittest.TestCase):
    def test_a_host_starts_the_server_when_none_runs(self):
        SERVER.stop()
        try:
            with tempfile.TemporaryDirectory() as folder:
                env = dict(os.environ, PLAMOR_IDLE_TIMEOUT_MS="200")
                p = subprocess.run([os.path.join(BIN, "plamor-run"), "/dev/stdin"], cwd=folder, env=env,
                                   input='FileName = "x.dxf"\nSen 0, 0, 1, 1\nOutPutPlamor "M_G_L.KVD"\nwait\n',
                                   capture_output=True, text=True, timeout=60)
                self.assertEqual(p.returncode, 0, p.stderr)
                self.assertTrue(os.path.exists(os.path.join(folder, "x.dxf")))
        finally:
            SERVER.start()


class Registration(unittest.TestCase):
    def test_regserver_writes_and_removes_the_activation_file(self):
        with tempfile.TemporaryDirectory() as data:
            env = dict(os.environ, XDG_DATA_HOME=data)
            subprocess.run([os.path.join(BIN, "plamor"), "--regserver"], env=env, check=True, capture_output=True)
            service = os.path.join(data, "dbus-1/services/TessaroPlamor.clsPlamor.service")
            with open(service) as f:
                text = f.read()
            self.assertIn("Name=TessaroPlamor.clsPlamor\n", text)
            self.assertIn("Exec=%s --dbus\n" % os.path.join(BIN, "plamor"), text)
            subprocess.run([os.path.join(BIN, "plamor"), "--unregserver"], env=env, check=True, capture_output=True)
            self.assertFalse(os.path.exists(service))


if __name__ == "__main__":
    os.environ.setdefault("PLAMOR_IDLE_TIMEOUT_MS", "2000")
    os.environ["XDG_CONFIG_HOME"] = tempfile.mkdtemp()
    os.environ.pop("DISPLAY", None)  # batch server: prompts answered by the host's lists
    unittest.main(verbosity=2)
