#!/usr/bin/env bash
# Sets up the project and runs its main job.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh build
out=${PLAMOR_OUT:-out}
mkdir -p "$out"
if [ -x build/bin/plamor-sample-sheet ]; then
  build/bin/plamor-sample-sheet "$out/sample-sheet.png"
  echo "main: wrote $out/sample-sheet.png"
fi
