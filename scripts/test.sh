#!/usr/bin/env bash
# Sets up a fresh machine, builds, and runs the whole test suite.
# DESKTOP_JOBS (default: the number of processors) bounds how many of the
# runs on a real X server go at once; each counts as two processors.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/build.sh"
build=${BUILD_DIR:-$top/build}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 300 -E '^Desktop'
ctest --test-dir "$build" --output-on-failure -j "${DESKTOP_JOBS:-$(nproc)}" --timeout 300 -R '^Desktop'
