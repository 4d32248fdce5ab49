#!/usr/bin/env bash
# Sets up a fresh machine, builds a program and starts it in a working
# directory prepared from examples/.
#
#   bash scripts/run.sh [varnel1|varnel2|mokrin1|mokrin2]     (varnel1 by default)
#
# The working directory is TSD_WORKDIR, or work/<program> in the tree. The
# example parameter file and sample.dat are copied there only when missing,
# so parameters the program saved are kept from one start to the next.
# Without a graphical display the program runs on the headless screen and
# ends by itself (TSD_SCRIPT may name a scripted user: platform/README.md).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-varnel1}
case "$program" in
  varnel1 | varnel2 | mokrin1 | mokrin2) params=$(echo "$program" | tr '[:lower:]' '[:upper:]').PAR ;;
  *) echo "run: unknown program '$program' (varnel1, varnel2, mokrin1 or mokrin2)" >&2; exit 2 ;;
esac

bash "$top/scripts/setup.sh"
build=${BUILD_DIR:-$top/build}
# shellcheck disable=SC2086
cmake -S "$top" -B "$build" -G Ninja ${CMAKE_ARGS:-} > /dev/null
cmake --build "$build" -j "$(nproc)" --target "$program" tsd_fonts
# The build lists where each program's executable is.
exe=$(awk -v p="$program" '$1 == p { print $2 }' "$build/programs.txt")
if [ -z "$exe" ] || [ ! -x "$exe" ]; then
  echo "run: $program is not part of this build" >&2
  exit 2
fi

work=${TSD_WORKDIR:-$top/work/$program}
mkdir -p "$work"
for f in "$params" sample.dat; do
  if [ -f "$top/examples/$f" ] && [ ! -e "$work/$f" ]; then cp "$top/examples/$f" "$work/$f"; fi
done

export QRBCHDIR=${QRBCHDIR:-$build/fonts}
if [ -z "${TSD_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run: no graphical display; $program runs on the headless screen and ends by itself" >&2
  export TSD_DISPLAY=headless
fi
cd "$work"
echo "run: $program in $work"
exec "$exe"
