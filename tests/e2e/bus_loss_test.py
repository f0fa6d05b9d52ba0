#!/usr/bin/python3
"""When the session bus or the drawing server goes away under a host: the
server ends (cancelling its running output), every waiting host ends at once
with a message and exit status 1, and no process, file or temporary file is
left. Each case has a bus daemon of its own, so that ending it touches no
other test."""
import os
import signal
import subprocess
import tempfile
import time
import unittest

import dbus

BIN = os.environ["PLAMOR_BIN_DIR"]
BUS_NAME = "TessaroPlamor.clsPlamor"
FACTORY = "/TessaroPlamor/clsPlamor"
BUS_GONE = "the session bus went away"
SERVER_GONE = "the drawing server ended before the drawing was written"
# How long a host may take to notice; generous for the sanitizer build.
NOTICE_SECONDS = 10


def lines_script(count, out):
    body = "".join("Sen %d, 0, %d, 10\n" % (i, i) for i in range(count))
    return 'FileName = "%s"\n%sOutPutPlamor "M_G_L.KVD"\nwait\n' % (out, body)


def gone(pid):
    try:
        os.kill(pid, 0)
    except ProcessLookupError:
        return True
    # A child of ours that ended stays until it is reaped.
    with open("/proc/%d/stat" % pid) as f:
        return f.read().split(")")[-1].split()[0] == "Z"


def wait_for(done, seconds, step=0.002):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if done():
            return True
        time.sleep(step)
    return done()


class PrivateBus:
    def __init__(self):
        out = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1"],
                             capture_output=True, text=True, check=True).stdout.split("\n")
        self.address, self.pid = out[0].strip(), int(out[1])
        self.env = dict(os.environ, DBUS_SESSION_BUS_ADDRESS=self.address, PLAMOR_IDLE_TIMEOUT_MS="500")
        self.env.pop("DISPLAY", None)
        self.bus = dbus.bus.BusConnection(self.address)

    def server_pid(self):
        """The process that owns the server's name, once it does."""
        if not wait_for(lambda: self.bus.name_has_owner(BUS_NAME), 60, 0.01):
            raise AssertionError("no drawing server appeared")
        daemon = self.bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus")
        return int(daemon.GetConnectionUnixProcessID(BUS_NAME, dbus_interface="org.freedesktop.DBus"))

    def server_objects(self):
        xml = self.bus.get_object(BUS_NAME, FACTORY).Introspect(
            dbus_interface="org.freedesktop.DBus.Introspectable")
        return xml.count("<node name=")

    def end(self):
        if not gone(self.pid):
            os.kill(self.pid, signal.SIGTERM)
        self.bus.close()


class LossTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name
        self.bus = PrivateBus()
        self.addCleanup(self.bus.end)
        self.addCleanup(self.dir.cleanup)
        self.inputs = ["host.bas"]
        self.earlier = os.path.join(self.folder, "out.dxf")
        with open(self.earlier, "w") as f:
            f.write("earlier drawing\n")

    def host(self, program, *args):
        return subprocess.Popen([os.path.join(BIN, program), *args], cwd=self.folder, env=self.bus.env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                text=True)

    def plamor_run(self, script):
        path = os.path.join(self.folder, "host.bas")
        with open(path, "w") as f:
            f.write(script)
        return self.host("plamor-run", path)

    def wait_until_registering(self, host, delay=0.2):
        server = self.bus.server_pid()
        self.assertTrue(wait_for(lambda: self.bus.server_objects() == 1, 60, 0.01))
        time.sleep(delay)
        self.assertIsNone(host.poll(), "the host ended before the fault")
        return server

    def frozen_while_writing(self, start_host, fault):
        """Starts a host drawing lines, stops the server while its temporary
        file is there (the output run writes), does the fault, and lets the
        server go on. A run that ended before it was caught is tried again
        with more lines. Returns the host and the server's pid."""
        for count in (6000, 24000, 96000):
            host = start_host(count)
            server = self.bus.server_pid()
            while host.poll() is None and not any(n.startswith(".") for n in os.listdir(self.folder)):
                time.sleep(0.0005)
            os.kill(server, signal.SIGSTOP)
            if any(n.startswith(".") for n in os.listdir(self.folder)):
                fault(host, server)
                os.kill(server, signal.SIGCONT)
                return host, server
            os.kill(server, signal.SIGCONT)  # too late: the drawing was written
            host.communicate(timeout=60)
            self.assertTrue(wait_for(lambda: gone(server), NOTICE_SECONDS, 0.01))
            os.replace(os.path.join(self.folder, "out.dxf"), self.earlier + ".tmp")
            with open(self.earlier, "w") as f:
                f.write("earlier drawing\n")
            os.remove(self.earlier + ".tmp")
        raise AssertionError("the output run was never caught while it wrote")

    def plamor_run_lines(self, count):
        return self.plamor_run(lines_script(count, "out.dxf"))

    def plamor_draw_convert(self, count):
        """plamor-draw converting a drawing of `count` lines, made in process
        first, into OUT through the server."""
        self.inputs = ["in.atz"]
        p = subprocess.run([os.path.join(BIN, "plamor-run"), "--inproc", "/dev/stdin"], cwd=self.folder,
                           input=lines_script(count, "in.atz"), capture_output=True, text=True,
                           env=self.bus.env, timeout=300)
        self.assertEqual(p.returncode, 0, p.stderr)
        return self.host("plamor-draw", "convert", "in.atz", "out.dxf")

    def assert_ended(self, host, message, server):
        try:
            _, err = host.communicate(timeout=NOTICE_SECONDS)
        except subprocess.TimeoutExpired:
            host.kill()
            raise AssertionError("the host still waits after the fault")
        self.assertEqual(host.returncode, 1, err)
        # One line naming OUT, the drawing that was not written, and why.
        self.assertIn(os.path.join(self.folder, "out.dxf") + ": " + message + "\n", err)
        self.assertTrue(wait_for(lambda: gone(server), NOTICE_SECONDS, 0.01), "the server is still running")
        self.assert_nothing_left()
        return err

    def assert_nothing_left(self):
        self.assertEqual(sorted(os.listdir(self.folder)), sorted(self.inputs + ["out.dxf"]))
        with open(self.earlier) as f:
            self.assertEqual(f.read(), "earlier drawing\n")

    def test_bus_ends_during_registration(self):
        # A call is on its way whenever the bus ends; libdbus may then never
        # finish it, and the host must still notice. The moment varies.
        for delay in (0.2, 0.05, 0.5):
            with self.subTest(delay=delay):
                if delay != 0.2:
                    self.bus = PrivateBus()
                    self.addCleanup(self.bus.end)
                host = self.plamor_run(lines_script(400000, "out.dxf"))
                server = self.wait_until_registering(host, delay)
                os.kill(self.bus.pid, signal.SIGTERM)
                self.assert_ended(host, BUS_GONE, server)

    def test_bus_ends_while_the_drawing_is_written(self):
        host, server = self.frozen_while_writing(self.plamor_run_lines,
                                                 lambda host, server: os.kill(self.bus.pid, signal.SIGTERM))
        self.assert_ended(host, BUS_GONE, server)

    def test_server_killed_during_registration(self):
        host = self.plamor_run(lines_script(400000, "out.dxf"))
        server = self.wait_until_registering(host)
        os.kill(server, signal.SIGKILL)
        self.assert_ended(host, SERVER_GONE, server)

    def test_server_ended_while_the_drawing_is_written(self):
        host, server = self.frozen_while_writing(self.plamor_draw_convert,
                                                 lambda host, server: os.kill(server, signal.SIGTERM))
        self.assert_ended(host, SERVER_GONE, server)

    def test_plamor_draw_loses_the_server_during_registration(self):
        host = self.plamor_draw_convert(20000)
        server = self.wait_until_registering(host)
        os.kill(server, signal.SIGKILL)
        self.assert_ended(host, SERVER_GONE, server)

    def test_plamor_draw_loses_the_bus_during_registration(self):
        host = self.plamor_draw_convert(20000)
        server = self.wait_until_registering(host)
        os.kill(self.bus.pid, signal.SIGTERM)
        self.assert_ended(host, BUS_GONE, server)

    def test_a_host_that_ends_while_its_drawing_is_written_leaves_no_file(self):
        def end_host(host, server):
            host.kill()
            host.communicate()
        host, server = self.frozen_while_writing(self.plamor_run_lines, end_host)
        self.assertTrue(wait_for(lambda: self.bus.server_objects() == 0, NOTICE_SECONDS, 0.01))
        self.assert_nothing_left()
        self.assertFalse(gone(server))  # it goes on serving other hosts until it is idle
        self.assertTrue(wait_for(lambda: gone(server), NOTICE_SECONDS, 0.01))


if __name__ == "__main__":
    os.environ["XDG_CONFIG_HOME"] = tempfile.mkdtemp()
    unittest.main(verbosity=2)
