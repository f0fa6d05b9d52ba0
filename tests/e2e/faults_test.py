#!/usr/bin/python3
"""Faults thrown at the programs: hostile input said with its place, a folder
given as an input, a full disk, a read-only target, output names of 246 to 255
bytes, stop signals while a drawing is written, and temporary files left by a
killed run. Whatever happens, no partial or temporary file stays behind and
an earlier file keeps its bytes."""
import os
import signal
import subprocess
import time
import unittest

from e2e_support import BIN, SOURCE, FolderTestCase

OBSERVATION = os.path.join(SOURCE, "examples", "sections", "arami_24k_2023-07.csv")

# A standard text file of an A3 sheet and one line.
SMALL_ATZ = b"0,3,100.000,1\r\n1,0.000,0.000,42000.000,0.000,2,1,200.000\r\n"


def big_atz(lines):
    rows = [b"0,3,100.000,1"]
    rows += [b"1,%d.000,0.000,%d.000,29700.000,1,0,0.000" % (k % 42000, (k * 7) % 42000) for k in range(lines)]
    return b"\r\n".join(rows) + b"\r\n"


def draw(*args, **kw):
    return subprocess.run([os.path.join(BIN, "plamor-draw"), *args], capture_output=True, text=True, timeout=240, **kw)


def run_script(path, *args):
    return subprocess.run([os.path.join(BIN, "plamor-run"), "--inproc", *args, path], capture_output=True,
                          text=True, timeout=240)


class Mount:
    """A small tmpfs of our own (we run as root in CI); None where mounting is not allowed."""

    def __init__(self, folder, size):
        self.folder = folder
        self.mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=%s" % size, "tmpfs", folder],
                                      capture_output=True).returncode == 0

    def remount_read_only(self):
        subprocess.run(["mount", "-o", "remount,ro", self.folder], check=True)

    def release(self):
        if self.mounted:
            subprocess.run(["umount", self.folder], check=True)


class FaultsTest(FolderTestCase):
    def write(self, name, data):
        with open(self.path(name), "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode())
        return self.path(name)

    def assertOnlyFiles(self, folder, names):
        self.assertEqual(sorted(os.listdir(folder)), sorted(names))

    def test_hostile_input_is_said_with_its_place(self):
        script = self.write("s.txt", "Sen 0, 0, 1, 1\nSen 1e999, 0, 1, 1\n")
        p = run_script(script)
        self.assertEqual(p.returncode, 1)
        self.assertIn("s.txt: line 2: Sen: the number 1e999 is beyond the range of a double", p.stderr)
        script = self.write("long.txt", "Sen " + "," * 200000 + "\n")
        p = run_script(script)
        self.assertEqual(p.returncode, 1)
        self.assertIn("long.txt: line 1: the line holds 200004 bytes; a script line may hold at most 65536", p.stderr)
        p = run_script(self.folder)
        self.assertEqual(p.returncode, 1)
        self.assertIn(self.folder + ": is a folder, not a script", p.stderr)

        p = draw("sections", self.folder, "-o", self.path("o.dxf"), "--inproc")
        self.assertEqual(p.returncode, 1)
        self.assertIn(self.folder + ": is a folder, not a file", p.stderr)

        with open(OBSERVATION, encoding="utf-8") as f:
            lines = f.read().split("\n")
        lines[2] = lines[2].replace(",", ",1e400,", 1)
        obs = self.write("o.csv", "\n".join(lines))
        p = draw("sections", obs, "-o", self.path("o.dxf"), "--inproc")
        self.assertEqual(p.returncode, 1)
        self.assertIn("o.csv: line 3, field 2: point distance: \"1e400\" is out of range", p.stderr)

        table = self.write("hq.csv", "stage,discharge\n1.2,3\n2.5,1e300\n")
        p = draw("hq", table, "--kind", "Q", "-o", self.path("hq.dxf"), "--inproc")
        self.assertEqual(p.returncode, 1)
        self.assertIn("hq.csv: line 3, field 2: discharge: \"1e300\" is out of range", p.stderr)
        self.assertOnlyFiles(self.folder, ["s.txt", "long.txt", "o.csv", "hq.csv"])

    def test_damaged_drawing_files_are_refused_by_convert_and_render_alike(self):
        header = bytearray(2906)
        header[2874:2880] = b"PLMV2\0"
        record = bytearray(44)
        record[0] = 0x05
        record[4:12] = bytes.fromhex("000000000000f87f")  # NaN
        plm = self.write("nan.plm", bytes(header + record))
        atz = self.write("cr.atz", b"0,3,100.000,1\r\n1,0.000,\r0.0,1.0,1.0,0,0,0.0\r\n")
        for source, message in ((plm, "nan.plm: byte 2910: x1 is NaN, not a finite number"),
                                (atz, "cr.atz: line 2: field 3 (y1) is not a real number: \"\\r0.0\"")):
            for args in (["convert", source, self.path("out.dxf"), "--inproc"],
                         ["render", source, "--png", self.path("out.png")]):
                p = draw(*args)
                self.assertEqual(p.returncode, 1, args)
                self.assertIn(message, p.stderr)
                self.assertNotIn("\r", p.stderr)
        self.assertOnlyFiles(self.folder, ["nan.plm", "cr.atz"])

    def test_output_names_of_246_to_255_bytes(self):
        source = self.write("in.atz", SMALL_ATZ)
        for size in (246, 250, 255):
            for ending, command in ((".dxf", "convert"), (".plm", "convert"), (".png", "render")):
                name = self.path("n" * (size - 4) + ending)
                args = [command, source, name, "--inproc"] if command == "convert" else [command, source, "--png", name]
                p = draw(*args)
                self.assertEqual(p.returncode, 0, "%d %s: %s" % (size, ending, p.stderr))
                self.assertTrue(os.path.getsize(name) > 0)
                os.remove(name)
                if ending == ".plm":
                    os.remove(name[:-3] + "MET")
        name = self.path("s" * 251 + ".dxf")
        p = draw("sections", OBSERVATION, "-o", name, "--inproc")
        self.assertEqual(p.returncode, 0, p.stderr)
        os.remove(name)
        self.assertOnlyFiles(self.folder, ["in.atz"])

    def test_a_full_disk_and_a_read_only_folder_keep_the_earlier_file(self):
        target = os.path.join(self.folder, "small")
        os.mkdir(target)
        mount = Mount(target, "192k")
        if not mount.mounted:
            self.skipTest("mounting a tmpfs is not allowed here")
        try:
            earlier = os.path.join(target, "out.dxf")
            with open(earlier, "wb") as f:
                f.write(b"earlier drawing")
            source = self.write("big.atz", big_atz(5000))
            p = draw("convert", source, earlier, "--inproc")
            self.assertEqual(p.returncode, 1)
            self.assertIn(earlier, p.stderr)
            self.assertNotIn("/.out.dxf.", p.stderr, "the message names the hidden temporary file")
            filler = os.path.join(target, "filler")
            fd = os.open(filler, os.O_WRONLY | os.O_CREAT)
            try:
                while os.write(fd, b"\0" * 4096):
                    pass
            except OSError:  # the disk is full
                pass
            os.close(fd)
            p = draw("render", self.write("in.atz", SMALL_ATZ), "--png", os.path.join(target, "out.png"))
            self.assertEqual(p.returncode, 1)
            self.assertIn(os.path.join(target, "out.png"), p.stderr)
            self.assertNotIn("/.out.png.", p.stderr)
            os.remove(filler)
            self.assertOnlyFiles(target, ["out.dxf"])
            mount.remount_read_only()
            p = draw("convert", self.path("in.atz"), earlier, "--inproc")
            self.assertEqual(p.returncode, 1)
            self.assertIn(earlier, p.stderr)
            with open(earlier, "rb") as f:
                self.assertEqual(f.read(), b"earlier drawing")
            self.assertOnlyFiles(target, ["out.dxf"])
        finally:
            mount.release()

    def watch_and_signal(self, command, folder, sig):
        """Starts the command, sends `sig` once its temporary file appears, and
        returns its result; None when the run ended before it was seen writing."""
        proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        deadline = time.time() + 200
        while proc.poll() is None and time.time() < deadline:
            if any(name.startswith(".") and ".part" in name for name in os.listdir(folder)):
                proc.send_signal(sig)
                out, err = proc.communicate(timeout=120)
                return proc.returncode, err
            time.sleep(0.002)
        proc.communicate(timeout=120)
        return None

    def test_stop_signals_while_writing_end_by_the_cancel_path(self):
        source = self.write("big.atz", big_atz(60000))
        lines = ["FileName = \"%s\"" % self.path("run.dxf")]
        lines += ["Sen %d, 0, %d, 29700" % (k, k * 3) for k in range(60000)]
        lines += ["OutPutPlamor \"M_G_L.KVD\"", "wait"]
        script = self.write("big.txt", "\n".join(lines) + "\n")
        cases = ((["plamor-run", "--inproc", script], signal.SIGTERM),
                 (["plamor-run", "--inproc", script], signal.SIGHUP),
                 (["plamor-draw", "convert", source, self.path("conv.dxf"), "--inproc"], signal.SIGINT))
        for command, sig in cases:
            result = self.watch_and_signal([os.path.join(BIN, command[0]), *command[1:]], self.folder, sig)
            if result is None:
                print("%s: the run ended before it was seen writing; signal not tested" % command[0])
                continue
            code, err = result
            self.assertEqual(code, -sig, err)
            self.assertIn("ended by SIG" + signal.Signals(sig).name[3:], err)
            self.assertOnlyFiles(self.folder, ["big.atz", "big.txt"])

    def test_a_later_run_removes_what_a_killed_run_left(self):
        ended = subprocess.Popen(["true"])
        ended.wait()
        dead, alive = ended.pid, os.getpid()
        left = [".out.dxf.%d-0.part" % dead, ".out.dxf.%d-1.part.dxf" % dead, "..out.dxf.%d-1.part.dxf.%d-0.part" % (dead, dead)]
        kept = [".out.dxf.%d-0.part" % alive, ".notes.%d-0.txt" % dead, "in.atz"]
        for name in left + kept:
            self.write(name, SMALL_ATZ)
        p = draw("convert", self.path("in.atz"), self.path("out.dxf"), "--inproc")
        self.assertEqual(p.returncode, 0, p.stderr)
        self.assertOnlyFiles(self.folder, kept + ["out.dxf"])


if __name__ == "__main__":
    unittest.main()
