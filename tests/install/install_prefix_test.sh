#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a person or a host
# program outside the tree would: the layout, the programs run from the
# prefix (libraries, font and the drawing server found there), a host built
# with pkg-config that draws in process, the Python package with the README's
# example, and a prefix that cannot be written.
# Usage: install_prefix_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_prefix: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; fail "install failed"; }

for f in bin/plamor bin/plamor-run bin/plamor-draw bin/plamor-viewer bin/marovel-demo bin/plamor-sample-sheet \
         share/plamor/M_G_L.KVD share/applications/plamor-viewer.desktop share/mime/packages/plamor.xml \
         share/dbus-1/services/TessaroPlamor.clsPlamor.service share/man/man1/plamor-draw.1 \
         share/man/man1/plamor-viewer.1 include/plamor/server/host/host_entry.h include/plamor/charts/danmen.h \
         share/bash-completion/completions/plamor-draw share/bash-completion/completions/plamor-run \
         lib/python3/dist-packages/plamor/__init__.py; do
  [ -e "$prefix/$f" ] || fail "$f is not installed"
done
[ -e "$source/server/dbus/TessaroPlamor.xml" ] && { [ -e "$prefix/share/dbus-1/interfaces/TessaroPlamor.xml" ] || fail "the D-Bus interface is not installed"; }
pc=$(find "$prefix" -name plamor.pc)
libdir=$(dirname "$(dirname "$pc")")
for lib in plamor plamor-host plamor-platform Graphic TessaroDll Marovel; do
  soname=$(objdump -p "$libdir/lib$lib.so" | awk '/SONAME/ {print $2}')
  [ "$soname" = "lib$lib.so.${PLAMOR_VERSION%%.*}" ] || fail "lib$lib.so has the SONAME '$soname'"
done
grep -qx "Exec=$prefix/bin/plamor --dbus" "$prefix/share/dbus-1/services/TessaroPlamor.clsPlamor.service" ||
  fail "the D-Bus activation file does not name the installed server"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$prefix/share/applications/plamor-viewer.desktop"; fi
command -v man >/dev/null && for page in "$prefix"/share/man/man1/*.1; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# The programs run from the prefix alone: nothing of them points into the
# build tree, and they find their libraries, the preview renderer and the
# stroke font (share/plamor) there.
for program in "$prefix"/bin/*; do
  readelf -d "$program" | grep -q "$build" && fail "$program still points into the build tree"
done
[ "$("$prefix/bin/plamor-draw" --version)" = "plamor-draw $PLAMOR_VERSION" ] || fail "plamor-draw --version"
"$prefix/bin/plamor-sample-sheet" "$work/sheet.png" || fail "the sample sheet cannot be drawn from the prefix"

# A host outside the tree, built against the installed headers, draws in process.
c++ -std=c++20 "$source/examples/hosts/inprocess/draw_plan.cpp" \
  $(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs plamor) -o "$work/draw_plan"
(cd "$work" && LD_LIBRARY_PATH="$libdir" ./draw_plan plan.dxf) || fail "the in-process host failed"
/usr/bin/python3 - "$work/plan.dxf" <<'PY'
import sys, ezdxf
doc = ezdxf.readfile(sys.argv[1], encoding="cp932")
msp = doc.modelspace()
assert len(msp.query("LINE")) >= 3 and len(msp.query("CIRCLE")) == 1, "the plan's elements are missing"
assert "荒見橋" in [t.dxf.text for t in msp.query("TEXT")], "the plan's text is missing"
PY

# The Python package from the prefix: documented, and the README's example
# drawing through the installed server.
/usr/bin/python3 "$source/tests/install/python_module_check.py" "$prefix" "$source/README.md" ||
  fail "the installed Python package"

# A prefix that cannot be written is refused with its name, first on standard
# error in one line of its own, and nothing is installed.
touch "$work/file"
if cmake --install "$build" --prefix "$work/file/prefix" >"$work/refused.log" 2>"$work/refused.err"; then
  fail "installed into a file"
fi
[ "$(head -n 1 "$work/refused.err")" = "plamor: cannot install into $work/file/prefix: the folder cannot be made or is not writable" ] ||
  { cat "$work/refused.err" >&2; fail "no clear refusal"; }
grep -q "Installing:" "$work/refused.log" && fail "a refused install installed something"
echo "install_prefix: 1 passed, 0 failed"
