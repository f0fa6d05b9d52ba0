#!/usr/bin/env bash
# Sets up the project and runs its main job: the example river reach and
# gauging station drawn as DXF drawings with their true-size PDF, and
# pictures of their charts, in ./out (or $PLAMOR_OUT).
set -euo pipefail
cd "$(dirname "$0")"

# The drawing server lives on the D-Bus session bus; a machine without a
# desktop has none, so the job brings up one of its own for its run.
if [ -z "${PLAMOR_MAIN_IN_SESSION:-}" ]; then
  # Only what the job runs: the drawing command with the server, renderer and
  # font it starts, and the font's sample sheet (the tests build the rest).
  PLAMOR_BUILD_TARGETS="plamor-draw plamor-sample-sheet" ./setup.sh build
  if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec env PLAMOR_MAIN_IN_SESSION=1 dbus-run-session -- "$0" "$@"
  fi
fi

out=${PLAMOR_OUT:-out}
mkdir -p "$out"
bin=build/bin

"$bin/plamor-draw" sections examples/sections/*.csv \
  -o "$out/arami_24k_sections.dxf" --png "$out/arami_24k_sections.png" --pdf "$out/arami_24k_sections.pdf"
"$bin/plamor-draw" hq examples/hq/arami_bashi_2023.csv --kind Q \
  -o "$out/arami_bashi_2023_HQ.dxf" --png "$out/arami_bashi_2023_HQ.png" --pdf "$out/arami_bashi_2023_HQ.pdf"

if [ -x "$bin/plamor-sample-sheet" ]; then
  "$bin/plamor-sample-sheet" "$out/sample-sheet.png"
  echo "main: wrote $out/sample-sheet.png"
fi
echo "main: the drawings and their pictures are in $out/"
