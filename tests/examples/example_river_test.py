"""The example river's files are the ones its script writes, byte for byte:
a change to the script without its files (or the other way round) shows."""

import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

RIVER = pathlib.Path(os.environ.get("PLAMOR_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2])) / "examples" / "river"


def files(folder):
    return {p.relative_to(folder).as_posix(): p.read_bytes() for p in folder.rglob("*.csv")}


class ExampleRiver(unittest.TestCase):
    def test_the_script_writes_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run([sys.executable, str(RIVER / "make_river.py"), out], check=True)
            written, committed = files(pathlib.Path(out)), files(RIVER)
        self.assertEqual(len(written), 37)
        self.assertEqual(sorted(written), sorted(committed))
        for name in written:
            self.assertEqual(written[name], committed[name], name)
        # Older files in Shift_JIS, the later ones in UTF-8.
        self.assertIn("荒見川".encode("cp932"), committed["arami_22.0k_20151104.csv"])
        self.assertIn("荒見川".encode("utf-8"), committed["arami_22.0k_20191105.csv"])


if __name__ == "__main__":
    unittest.main()
