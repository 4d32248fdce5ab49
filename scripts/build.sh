#!/usr/bin/env bash
# Configures and builds the tree. BUILD_DIR (default build) and CMAKE_ARGS
# (extra configure arguments) may be set in the environment.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
build=${BUILD_DIR:-$top/build}
# shellcheck disable=SC2086
cmake -S "$top" -B "$build" -G Ninja ${CMAKE_ARGS:-}
cmake --build "$build" -j "$(nproc)"
