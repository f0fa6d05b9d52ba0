"""What the end-to-end tests share: where the programs are, one drawing
server on the test's session bus for a whole module, and test cases with a
scratch folder of their own."""
import os
import subprocess
import tempfile
import time
import unittest

BIN = os.environ["PLAMOR_BIN_DIR"]
SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
BUS_NAME = "TessaroPlamor.clsPlamor"


class ModuleServer:
    """One drawing server for a test module, as a desktop session would have
    it running: `setUpModule = SERVER.start`, `tearDownModule = SERVER.stop`."""

    def __init__(self):
        self.process = None

    def start(self):
        self.process = start_server()

    def stop(self):
        stop_server(self.process)


def start_server():
    """Starts a drawing server and waits until it owns its bus name."""
    import dbus
    bus = dbus.SessionBus()
    for _ in range(100):  # a server another test started may still be ending
        if not bus.name_has_owner(BUS_NAME):
            break
        time.sleep(0.05)
    server = subprocess.Popen([os.path.join(BIN, "plamor"), "--dbus", "--batch", "--idle-timeout", "-1"])
    for _ in range(200):
        if server.poll() is not None:
            raise RuntimeError("the server ended at its start")
        if bus.name_has_owner(BUS_NAME):
            return server
        time.sleep(0.05)
    server.kill()
    raise RuntimeError("the server did not take its bus name")


def stop_server(server):
    server.terminate()
    server.wait(timeout=10)


class FolderTestCase(unittest.TestCase):
    """A scratch folder for each test, and a settings folder of the class's own."""

    @classmethod
    def setUpClass(cls):
        cls.config = tempfile.TemporaryDirectory()
        os.environ["XDG_CONFIG_HOME"] = cls.config.name

    @classmethod
    def tearDownClass(cls):
        cls.config.cleanup()

    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.folder = self.dir.name

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name):
        return os.path.join(self.folder, name)
