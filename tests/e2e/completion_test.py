#!/usr/bin/python3
"""The bash completion of plamor-draw and plamor-run, called as bash calls it:
commands and second words, each command's options, values and file names by
their endings; and every command and option the programs' --help lists is
one the completion offers."""
import os
import re
import shlex
import subprocess
import tempfile
import unittest

from e2e_support import BIN, SOURCE

BASH_COMPLETION = "/usr/share/bash-completion/bash_completion"
COMPLETIONS = os.path.join(SOURCE, "packaging", "completion")


def complete(program, line, cwd):
    """The words the completion offers for `line` (the cursor at its end)."""
    words = shlex.split(line) + ([""] if line.endswith(" ") else [])
    function = "_" + program.replace("-", "_")
    script = "\n".join([
        f"source {BASH_COMPLETION}",
        f"source {os.path.join(COMPLETIONS, program)}",
        "COMP_WORDS=(" + " ".join(shlex.quote(w) for w in words) + ")",
        f"COMP_CWORD={len(words) - 1}",
        f"COMP_LINE={shlex.quote(line)}",
        f"COMP_POINT={len(line)}",
        f"{function} {program} {shlex.quote(words[-1])} {shlex.quote(words[-2])}",
        'printf "%s\\n" "${COMPREPLY[@]}"',
    ])
    out = subprocess.run(["bash", "-c", script], capture_output=True, text=True, cwd=cwd, timeout=30)
    return sorted(w for w in out.stdout.splitlines() if w)


def help_options(*command):
    text = subprocess.run([os.path.join(BIN, command[0]), *command[1:], "--help"], capture_output=True,
                          text=True, timeout=30).stdout
    return set(re.findall(r"^\s+(?:-\w, )?(--[\w-]+)", text, re.M))


@unittest.skipUnless(os.path.exists(BASH_COMPLETION), "bash-completion is not installed")
class CompletionTest(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        for name in ("obs.csv", "plan.plm", "plan.atz", "sheet.dxf", "notes.txt", "picture.png", "fit.json"):
            open(os.path.join(self.folder.name, name), "w").close()
        os.mkdir(os.path.join(self.folder.name, "out"))

    def tearDown(self):
        self.folder.cleanup()

    def offered(self, program, line):
        return complete(program, line, self.folder.name)

    def test_commands_options_and_files_by_their_endings(self):
        self.assertIn("river", self.offered("plamor-draw", "plamor-draw "))
        self.assertEqual(self.offered("plamor-draw", "plamor-draw se"), ["sections", "setup-codepage"])
        self.assertIn("rating", self.offered("plamor-draw", "plamor-draw hq "))
        self.assertIn("obs.csv", self.offered("plamor-draw", "plamor-draw hq "), "hq also takes its table")
        self.assertEqual(self.offered("plamor-draw", "plamor-draw river "), ["book", "profile", "table"])
        self.assertIn("--fit-method", self.offered("plamor-draw", "plamor-draw hq obs.csv --fi"))
        self.assertEqual(self.offered("plamor-draw", "plamor-draw hq obs.csv --kind "), ["A", "B", "Q", "SQ", "V"])
        self.assertEqual(self.offered("plamor-draw", "plamor-draw hq rating --formula "), ["fit.json", "out"])
        self.assertEqual(self.offered("plamor-draw", "plamor-draw render "), ["out", "plan.atz", "plan.plm"])
        self.assertEqual(self.offered("plamor-draw", "plamor-draw render plan.plm -o "), ["out", "picture.png"])
        self.assertEqual(self.offered("plamor-draw", "plamor-draw convert plan.plm "),
                         ["out", "plan.atz", "plan.plm", "sheet.dxf"])
        self.assertEqual(self.offered("plamor-draw", "plamor-draw setup-codepage "), ["off", "on"])
        self.assertEqual(self.offered("plamor-run", "plamor-run --answer "), ["1", "2", "4", "6", "7"])
        self.assertEqual(self.offered("plamor-run", "plamor-run "), ["notes.txt", "out"])

    def test_every_command_and_option_of_the_help_is_offered(self):
        listing = subprocess.run([os.path.join(BIN, "plamor-draw"), "--help"], capture_output=True, text=True,
                                 timeout=30).stdout
        commands = re.findall(r"^  (\S+(?: [a-z]+)?)\s{2,}", listing.split("Commands")[1], re.M)
        self.assertIn("river table", commands)
        first_words = self.offered("plamor-draw", "plamor-draw ")
        for command in commands:
            words = command.split()
            self.assertIn(words[0], first_words, command)
            if len(words) == 2:
                self.assertIn(words[1], self.offered("plamor-draw", f"plamor-draw {words[0]} "), command)
            offered = set(self.offered("plamor-draw", f"plamor-draw {command} -"))
            self.assertEqual(help_options("plamor-draw", *words) - offered, set(), command)
        self.assertEqual(help_options("plamor-run") - set(self.offered("plamor-run", "plamor-run -")), set())


if __name__ == "__main__":
    unittest.main()
