#!/usr/bin/python3
"""The Python package plamor as installed into PREFIX, used as a host program
outside the tree uses it: found through PYTHONPATH in the prefix (not in the
source tree), every member documented, and the README's Python example run as
it stands, on a session bus of its own that starts the installed server.
Usage: python_module_check.py PREFIX README.md"""
import inspect
import os
import re
import subprocess
import sys
import tempfile

import ezdxf

prefix, readme = sys.argv[1], sys.argv[2]
python_dir = os.path.join(prefix, "lib/python3/dist-packages")
sys.path.insert(0, python_dir)
import plamor  # noqa: E402

assert plamor.__file__ == os.path.join(python_dir, "plamor", "__init__.py"), plamor.__file__


def undocumented(module):
    """The names of the module's classes, functions, methods and properties without a docstring."""
    missing = [] if inspect.getdoc(module) else [module.__name__]
    for name, value in vars(module).items():
        if getattr(value, "__module__", None) != module.__name__:
            continue
        if inspect.isfunction(value) and not value.__doc__:
            missing.append(name)
        if inspect.isclass(value):
            if not value.__doc__:
                missing.append(name)
            for member, attribute in vars(value).items():
                if (inspect.isfunction(attribute) or isinstance(attribute, property)) and not attribute.__doc__:
                    missing.append(name + "." + member)
    return missing


missing = undocumented(plamor)
assert not missing, "without a docstring: " + ", ".join(missing)
assert plamor.RunResult.state.__doc__ and plamor.RunResult.__doc__.startswith("How an output run ended")

with open(readme, encoding="utf-8") as f:
    example = re.search(r"```python\n(import plamor\n.*?)```", f.read(), re.S).group(1)
with tempfile.TemporaryDirectory() as folder:
    with open(os.path.join(folder, "example.py"), "w", encoding="utf-8") as f:
        f.write(example)
    # The bus finds the installed server through the prefix's activation file
    # alone: no per-user registration, nothing of the build tree.
    env = dict(os.environ, PYTHONPATH=python_dir, XDG_DATA_HOME=os.path.join(folder, "data"),
               XDG_DATA_DIRS=os.path.join(prefix, "share") + ":/usr/share")
    env.pop("PLAMOR_BIN_DIR", None)
    run = subprocess.run(["dbus-run-session", "--", "/usr/bin/python3", "example.py"], cwd=folder, env=env,
                         capture_output=True, text=True, timeout=120)
    assert run.returncode == 0, run.stdout + run.stderr
    written = os.path.join(os.path.realpath(folder), "plan.dxf")
    assert run.stdout.split() == ["True", written], run.stdout + run.stderr
    doc = ezdxf.readfile(written, encoding="cp932")
    kinds = sorted(e.dxftype() for e in doc.modelspace())
    assert kinds == ["LINE"] * 10 + ["TEXT"], kinds
    assert [t.dxf.text for t in doc.modelspace().query("TEXT")] == ["河川横断図"]
print("python_module: 1 passed, 0 failed")
