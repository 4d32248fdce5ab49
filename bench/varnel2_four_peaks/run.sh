#!/bin/sh
# One whole varnel2 run on the headless screen, driven by the scripted user:
# start, "Dane" (load FOUR.DAT: four peaks, 800 points), "Obliczenia" (the
# fit of all four peaks), save the result report to r.txt, end.
#
# usage: run.sh VARNEL2 BUILD_DIR WORKDIR [LDIV]
#   VARNEL2    the program to run
#   BUILD_DIR  its build tree (for the stroke fonts in BUILD_DIR/fonts)
#   WORKDIR    a folder made afresh for the run; r.txt (the result report)
#              and log.txt (the scripted user's log) are left in it
#   LDIV       step refinements of the minimiser (default 4, as in VARNEL2.PAR)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
fonts=$(cd "$2" && pwd)/fonts
work=$3
ldiv=${4:-4}
rm -rf "$work"
mkdir -p "$work"
cp "$here/FOUR.DAT" "$work/"
sed "\$s/  4\$/  $ldiv/" "$here/VARNEL2.PAR" > "$work/VARNEL2.PAR"
cat > "$work/script.txt" <<'SCRIPT'
menu 40001
file "FOUR.DAT"
menu 40199
menu 40034
file "r.txt"
msgbox OK
SCRIPT
cd "$work"
TSD_DISPLAY=headless TSD_SCRIPT=script.txt TSD_LOG=log.txt QRBCHDIR="$fonts" \
  exec "$exe" > output.txt 2>&1
