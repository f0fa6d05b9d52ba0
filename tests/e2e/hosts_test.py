#!/usr/bin/python3
"""Host programs outside this project: the README's example on a fresh bus
started by D-Bus activation, the host examples in Python, C and shell against
the in-process drawing, the bulk path against the same calls one by one, each
host's own module-wide settings, and what every connection may see."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree

import dbus
import dbus.bus
import dbus.mainloop.glib
import ezdxf

from e2e_support import BIN, SOURCE, ModuleServer

sys.path.insert(0, os.path.join(SOURCE, "clients/python"))
import plamor  # noqa: E402

HOSTS = os.path.join(SOURCE, "examples/hosts")
SERVER = ModuleServer()
setUpModule = SERVER.start
tearDownModule = SERVER.stop


def new_host():
    """A connection of its own: another host program, as far as the server sees."""
    return dbus.bus.BusConnection(dbus.bus.BUS_SESSION, mainloop=dbus.mainloop.glib.DBusGMainLoop())


def read(path):
    with open(path, "rb") as f:
        return f.read()


def error_of(call, *args, **keywords):
    try:
        call(*args, **keywords)
    except dbus.exceptions.DBusException as e:
        return e.get_dbus_name(), e.get_dbus_message()
    raise AssertionError("no error")


def readme():
    with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as f:
        return f.read()


class Hosts(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def in_process_plan(self):
        shutil.copy(os.path.join(HOSTS, "plan.bas"), self.folder)
        subprocess.run([os.path.join(BIN, "plamor-run"), "--inproc", "plan.bas"], cwd=self.folder, check=True,
                       capture_output=True, timeout=120)
        return read(os.path.join(self.folder, "plan.dxf"))

    def test_every_host_example_draws_the_plan_as_in_process(self):
        expected = self.in_process_plan()
        self.assertIn("河川横断図".encode("cp932"), expected)
        hosts = {
            "python": ["/usr/bin/python3", os.path.join(HOSTS, "python/draw_plan.py")],
            "c": [os.path.join(BIN, "..", "examples/hosts/c/draw_plan")],
            "shell": ["sh", os.path.join(HOSTS, "shell/draw_plan.sh")],
        }
        for name, command in hosts.items():
            out = os.path.join(self.folder, name + ".dxf")
            p = subprocess.run(command + [out], capture_output=True, text=True, timeout=120)
            self.assertEqual(p.returncode, 0, name + ": " + p.stderr)
            self.assertEqual(p.stdout.strip(), out, name)
            self.assertEqual(read(out), expected, name)

    def test_many_lines_through_the_bulk_path(self):
        out = os.path.join(self.folder, "lines.dxf")
        p = subprocess.run(["/usr/bin/python3", os.path.join(HOSTS, "python/many_lines.py"), "2500", out],
                           capture_output=True, text=True, timeout=120)
        self.assertEqual(p.returncode, 0, p.stderr)
        lines = [e for e in ezdxf.readfile(out, encoding="cp932").modelspace() if e.dxftype() == "LINE"]
        self.assertEqual(len(lines), 2500)
        self.assertEqual(sorted((e.dxf.start.x, e.dxf.start.y, e.dxf.end.y) for e in lines),
                         [(float(i), 0.0, 10.0) for i in range(2500)])
        self.assertEqual({e.dxf.color for e in lines}, {3})  # pen 1

    def draw(self, drawing, out, calls, bulk):
        drawing.put_FileName(out)
        if bulk:
            batch = drawing.batch()
            for member, args, options in calls:
                batch.add(member, *args, **options)
            drawing.register(batch)
        else:
            for member, args, options in calls:
                drawing.call(member, *args, **options)
        count = drawing.get_Count()
        self.assertEqual(drawing.output("M_G_L.KVD").state, plamor.WRITTEN)
        return count

    def test_bulk_registers_exactly_as_one_by_one(self):
        # Rounding to the current RoundColum, resolution of options against
        # the current pen, style and layer, duplicates refused, texts and
        # property puts in between: the same count and the same bytes.
        calls = [
            ("put_RoundColum", (2,), {}), ("put_PaperSize", (3,), {}), ("put_LayerName", (4, "護岸"), {}),
            ("Sen", (0.004, 0.0, 10.126, 5.0), {}), ("Sen", (0.0, 0.0, 10.13, 5.0), {}),
            ("Sen", (0.0, 0.0, 10.13, 5.0), {"vPen": 2}), ("put_pen", (3,), {}), ("put_Layer", (4,), {}),
            ("Sen", (1.0, 1.0, 2.0, 2.0), {"vStyl": 1, "vPich": 2.5}), ("Sen", (1.0, 1.0, 2.0, 2.0), {"vStyl": 1}),
            ("En", (5.0, 5.0, 3.3333), {}), ("En", (5.0, 5.0, 3.3333), {}), ("Enko", (5.0, 5.0, 4.0, 10.0, 80.0), {}),
            ("Daen", (20.0, 20.0, 8.0, 4.0), {"lang": 30.0}), ("Daenko", (20.0, 20.0, 9.0, 5.0, 0.0, 90.0), {"lang": 10.0}),
            ("put_RoundColum", (0,), {}), ("Sen", (0.4, 0.4, 7.6, 7.6), {}),
            ("Moji", (10.0, 10.0, "河川"), {"tStyl": 1, "vHeight": 4, "vKiten": 1}),
            ("MojiExtMsM", (10.0, 30.0, "m2"), {}), ("Moji", (10.0, 10.0, ""), {}),
        ]
        files = {}
        with plamor.Drawing(new_host()) as one, plamor.Drawing(new_host()) as many:
            for name, drawing, bulk in (("one", one, False), ("many", many, True)):
                os.mkdir(os.path.join(self.folder, name))
                out = os.path.join(self.folder, name, "plan.dxf")
                files[name] = (self.draw(drawing, out, calls, bulk), read(out))
        self.assertGreater(files["one"][0], 10)
        self.assertEqual(files["one"], files["many"])

    def test_bad_batches_get_named_errors_and_stop_where_they_fail(self):
        host = new_host()
        other = plamor.Drawing(new_host())
        with plamor.Drawing(host) as d:
            send = d._send
            sen = lambda i: [float(i), 0.0, float(i), 1.0]  # noqa: E731
            # A non-finite number at element 3: 0..2 registered, 3.. not.
            name, message = error_of(send, [("Sen", 6, {})], sen(0) + sen(1) + sen(2) + [0.0, 0.0, float("nan"), 1.0]
                                     + sen(4) + sen(5), [])
            self.assertEqual(name, "TessaroPlamor.Error.InvalidArgument")
            self.assertIn("batch element 3 (Sen)", message)
            self.assertEqual(d.get_Count(), 3)
            # The same error names as single calls: type mismatch, unknown option.
            name, message = error_of(send, [("Sen", 1, {}), ("En", 1, {"vPen": "abc"})], sen(7) + [1.0, 1.0, 1.0], [])
            self.assertEqual((name, "batch element 1 (En)" in message), ("TessaroPlamor.Error.TypeMismatch", True))
            name, message = error_of(send, [("Sen", 2, {"vColour": 1})], sen(8) + sen(9), [])
            self.assertEqual((name, "batch element 0" in message), ("TessaroPlamor.Error.NamedArgumentNotFound", True))
            self.assertEqual(d.get_Count(), 4)
            name, message = error_of(send, [("Sen", 1, {}), ("Sne", 1, {})], sen(10) + sen(11), [])
            self.assertEqual((name, "batch element 1 (Sne)" in message), ("org.freedesktop.DBus.Error.UnknownMethod", True))
            name, message = error_of(send, [("OutPutPlamor", 1, {})], [], ["x"])
            self.assertEqual((name, "batch element 0" in message), ("TessaroPlamor.Error.InvalidArgument", True))
            self.assertEqual(d.get_Count(), 5)
            # Malformed messages register nothing.
            name, message = error_of(send, [("Sen", 2, {})], sen(12) + [1.0], [])
            self.assertEqual(name, "org.freedesktop.DBus.Error.InvalidArgs")
            name, message = error_of(send, [("Sen", plamor.MAX_BATCH_CALLS + 1, {})],
                                     [0.0] * 4 * (plamor.MAX_BATCH_CALLS + 1), [])
            self.assertEqual((name, "at most 100000" in message), ("TessaroPlamor.Error.InvalidArgument", True))
            name, message = error_of(host.call_blocking, plamor.BUS_NAME, d.path, plamor.BULK_INTERFACE, "Register",
                                     "a(sua{sv})as", ([("Sen", 1, {})], ["1"]))
            self.assertEqual(name, "org.freedesktop.DBus.Error.InvalidArgs")
            self.assertEqual(d.get_Count(), 5)
            # Another host is served all the while.
            other.Sen(0, 0, 1, 1)
            self.assertEqual(other.get_Count(), 1)
            path = d.path
        name, message = error_of(host.call_blocking, plamor.BUS_NAME, path, plamor.BULK_INTERFACE, "Register",
                                 "a(sua{sv})adas", ([("Sen", 1, {})], [0.0, 0.0, 1.0, 1.0], []))
        self.assertEqual(name, "org.freedesktop.DBus.Error.UnknownObject")
        other.Sen(0, 0, 2, 2)
        self.assertEqual(other.get_Count(), 2)
        other.close()

    def test_two_hosts_drawing_at_once_keep_their_own_settings(self):
        a, b = plamor.Drawing(new_host()), plamor.Drawing(new_host())
        a.put_RoundColum(1)
        a.put_LayerName(1, "Ahost")
        b.put_RoundColum(3)
        b.put_LayerName(1, "Bhost")
        extra = plamor.Drawing(b.bus)  # a new object of host B resets B's RoundColum only
        b.put_RoundColum(3)
        for d in (a, b):
            d.Sen(0, 0, 1.23456, 0)
        outs = {}
        for name, d in (("a", a), ("b", b)):
            outs[name] = os.path.join(self.folder, name + ".dxf")
            d.put_FileName(outs[name])
            d.call("OutPutPlamor", "M_G_L.KVD")
        for d in (a, b):
            while d.run_result().state == plamor.RUNNING:
                time.sleep(0.02)
            self.assertEqual(d.run_result().state, plamor.WRITTEN)
            self.assertEqual(d.get_LayerName(1), "Ahost" if d is a else "Bhost")
        for name, x, mine, theirs in (("a", 1.2, "Ahost", "Bhost"), ("b", 1.235, "Bhost", "Ahost")):
            doc = ezdxf.readfile(outs[name], encoding="cp932")
            lines = [e for e in doc.modelspace() if e.dxftype() == "LINE"]
            self.assertEqual([(e.dxf.end.x, e.dxf.layer) for e in lines], [(x, mine)], name)
            self.assertNotIn(theirs.encode(), read(outs[name]))
        for d in (a, b, extra):
            d.close()

    def test_introspection_is_open_and_calls_are_the_owners(self):
        with plamor.Drawing(new_host()) as d:
            stranger = new_host()
            obj = stranger.get_object(plamor.BUS_NAME, d.path, introspect=False)
            xml = obj.Introspect(dbus_interface="org.freedesktop.DBus.Introspectable")
            self.assertIn(plamor.OBJECT_INTERFACE, xml)
            self.assertEqual(obj.GetAll(plamor.OBJECT_INTERFACE, dbus_interface="org.freedesktop.DBus.Properties"), {})
            self.assertEqual(error_of(obj.get_Count, dbus_interface=plamor.OBJECT_INTERFACE)[0],
                             "org.freedesktop.DBus.Error.AccessDenied")
            p = subprocess.run(["busctl", "--user", "introspect", plamor.BUS_NAME, d.path], capture_output=True,
                               text=True, timeout=30)
            self.assertEqual(p.returncode, 0, p.stderr)
            self.assertIn(".Sen", p.stdout)
            mine = d.bus.get_object(plamor.BUS_NAME, d.path, introspect=False)
            self.assertEqual(error_of(mine.Sen, dbus_interface="TessaroPlamor._clsPlamorX")[0],
                             "org.freedesktop.DBus.Error.UnknownInterface")
            self.assertEqual(error_of(mine.Senn, dbus_interface=plamor.OBJECT_INTERFACE)[0],
                             "org.freedesktop.DBus.Error.UnknownMethod")
            factory = stranger.get_object(plamor.BUS_NAME, plamor.FACTORY_PATH, introspect=False)
            self.assertEqual(error_of(factory.Create, "x", dbus_interface="Other.Factory")[0],
                             "org.freedesktop.DBus.Error.UnknownInterface")

    def test_interface_source_file_is_what_the_server_answers(self):
        def interfaces(xml):
            found = {}
            for i in ElementTree.fromstring(xml).findall("interface"):
                if i.get("name").startswith("TessaroPlamor."):
                    found[i.get("name")] = re.sub(r"\s+", " ", ElementTree.tostring(i, encoding="unicode")).strip()
            return found

        with open(os.path.join(SOURCE, "server/dbus/TessaroPlamor.xml"), encoding="utf-8") as f:
            source = interfaces(f.read())
        with plamor.Drawing(new_host()) as d:
            intro = "org.freedesktop.DBus.Introspectable"
            answered = interfaces(d.bus.get_object(plamor.BUS_NAME, plamor.FACTORY_PATH, introspect=False)
                                  .Introspect(dbus_interface=intro))
            answered.update(interfaces(d.bus.get_object(plamor.BUS_NAME, d.path, introspect=False)
                                       .Introspect(dbus_interface=intro)))
        self.assertEqual(sorted(source), sorted(answered))
        for name in source:
            self.assertEqual(source[name], answered[name], name)


class FreshSession(unittest.TestCase):
    """The README's example and lines as pasted, on a session bus of their own
    that starts the server by activation once `plamor --regserver` has run."""

    def test_readme_example_and_lines_on_a_fresh_bus(self):
        text = readme()
        example = re.search(r"```python\n(import dbus.*?)```", text, re.S).group(1)
        lines = [line for line in re.search(r"```sh\n(# introspection.*?)```", text, re.S).group(1).splitlines()
                 if line and not line.startswith("#")]
        with tempfile.TemporaryDirectory() as data:
            env = dict(os.environ, XDG_DATA_HOME=data)
            subprocess.run([os.path.join(BIN, "plamor"), "--regserver"], env=env, check=True, capture_output=True)
            if os.path.exists("/tmp/plan.dxf"):
                os.remove("/tmp/plan.dxf")
            with open(os.path.join(data, "example.py"), "w", encoding="utf-8") as f:
                f.write(example)
            # A host holds the first object while the lines run.
            holder = ("import dbus, time; b = dbus.SessionBus(); "
                      "print(b.get_object('TessaroPlamor.clsPlamor', '/TessaroPlamor/clsPlamor')"
                      ".Create('TessaroPlamor.clsPlamor', dbus_interface='TessaroPlamor.ClassFactory'), flush=True); "
                      "time.sleep(60)")
            sessions = [["/usr/bin/python3", "example.py"],
                        ["bash", "-ec", "/usr/bin/python3 -c \"%s\" > holder &\n"
                         "while [ ! -s holder ]; do sleep 0.05; done\n%s\nkill %%1" % (holder, "\n".join(lines))]]
            outputs = ""
            for command in sessions:
                p = subprocess.run(["dbus-run-session", "--"] + command, cwd=data, env=env, capture_output=True,
                                   text=True, timeout=120)
                self.assertEqual(p.returncode, 0, p.stdout + p.stderr)
                outputs += p.stdout
            with open(os.path.join(data, "holder")) as f:
                self.assertEqual(f.read().strip(), "/TessaroPlamor/clsPlamor/1")
            p.stdout = outputs
            self.assertIn("put_FileName", p.stdout)
            doc = ezdxf.readfile("/tmp/plan.dxf", encoding="cp932")
            self.assertEqual(sorted(e.dxftype() for e in doc.modelspace()), ["LINE", "TEXT"])


if __name__ == "__main__":
    unittest.main()
