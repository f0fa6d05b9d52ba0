#!/usr/bin/env bash
# Sets up the project and runs every test.
# Usage: ./run-tests.sh [BUILD_DIR] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")"
build_dir=${1:-build}
./setup.sh "$@"
ctest --test-dir "$build_dir" --output-on-failure --parallel "$(nproc)" --timeout 300
