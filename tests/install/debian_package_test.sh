#!/usr/bin/env bash
# Makes the Debian package of the build and checks it as dpkg would see it:
# its dependencies, its files, and plamor-draw run from it unpacked into a
# fresh root.
# Usage: debian_package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "debian_package: $*" >&2; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g')
for needed in libqt6widgets6 libqt6dbus6 libcups2 libfreetype6 libfontconfig1 libpng16-16 libc6 dbus; do
  grep -qx "$needed" <<<"$names" || fail "Depends lacks $needed: $depends"
done
files=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for f in ./usr/bin/plamor-draw ./usr/bin/plamor ./usr/share/plamor/M_G_L.KVD ./usr/share/applications/plamor-viewer.desktop \
         ./usr/share/dbus-1/services/TessaroPlamor.clsPlamor.service ./usr/share/man/man1/plamor.1 \
         ./usr/share/bash-completion/completions/plamor-draw ./usr/share/bash-completion/completions/plamor-run \
         ./usr/lib/python3/dist-packages/plamor/__init__.py; do
  grep -qx "$f" <<<"$files" || fail "the package lacks $f"
done
mkdir "$work/root"
dpkg-deb -x "$deb" "$work/root"
grep -qx "Exec=/usr/bin/plamor --dbus" "$work/root/usr/share/dbus-1/services/TessaroPlamor.clsPlamor.service" ||
  fail "the package's D-Bus activation file does not name /usr/bin/plamor"
PYTHONPATH="$work/root/usr/lib/python3/dist-packages" /usr/bin/python3 -c \
  'import plamor, sys; sys.exit(not plamor.__file__.startswith(sys.argv[1]))' "$work/root" ||
  fail "import plamor from the package"
[ "$("$work/root/usr/bin/plamor-draw" --version)" = "plamor-draw $PLAMOR_VERSION" ] || fail "plamor-draw --version from the package"
echo "debian_package: 1 passed, 0 failed"
