#!/usr/bin/env bash
# Installs the Debian packages the project needs, then configures and builds.
# Usage: ./setup.sh [BUILD_DIR] [extra cmake arguments...]
# PLAMOR_BUILD_TARGETS="a b" builds only those targets (and what they need);
# by default everything is built, tests and benchmarks included.
set -euo pipefail
cd "$(dirname "$0")"

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools
  dbus dbus-daemon dbus-bin
  libfreetype-dev libfontconfig-dev fonts-ipafont
  libcups2-dev cups cups-client cups-bsd
  libpng-dev libdeflate-dev zlib1g-dev
  librecad-data librecad poppler-utils qpdf librsvg2-bin python3-pypdf
  python3 python3-ezdxf python3-fonttools python3-dbus python3-pil python3-gi python3-scipy
  libsystemd-dev
  libdxflib-dev
  xvfb xauth xdg-user-dirs
  file desktop-file-utils bash-completion
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja "$@"
targets=()
for t in ${PLAMOR_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" --parallel "$(nproc)" "${targets[@]}"
