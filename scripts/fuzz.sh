#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in their own build folder and runs
# each for a short, bounded time, seeded with the generated font files. Any
# crash or failed check fails the run. FUZZ_BUILD_DIR (default build-fuzz)
# and FUZZ_SECONDS (default 30, the stroke-font reader) and
# PICTURE_FUZZ_SECONDS (default 15, the PCX and BMP readers) may be set in
# the environment.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-30}
picture_seconds=${PICTURE_FUZZ_SECONDS:-15}

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja \
  -DTSD_FUZZ=ON -DTSD_TESTS=OFF -DTSD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j 3 --target chrfile_fuzz picture_fuzz

corpus="$build/fuzz-corpus/chrfile"
mkdir -p "$corpus"
cp "$build"/fonts/*.chr "$corpus"/
# Findings go to their own folder, so a crash leaves its input behind.
artifacts="$build/fuzz-artifacts/"
mkdir -p "$artifacts"
"$build/fuzz/chrfile_fuzz" -max_total_time="$seconds" -max_len=20000 -timeout=10 \
  -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus"
echo "fuzz: chrfile_fuzz ran ${seconds} s without a finding"

corpus="$build/fuzz-corpus/picture"
mkdir -p "$corpus"
cp "$top"/fuzz/seeds/picture/* "$corpus"/
"$build/fuzz/picture_fuzz" -max_total_time="$picture_seconds" -max_len=4096 -timeout=10 \
  -artifact_prefix="$artifacts" -print_final_stats=1 "$corpus"
echo "fuzz: picture_fuzz ran ${picture_seconds} s without a finding"

# ---- Metafile players ----------------------------------------------------
# The enhanced and classic metafile players, seeded with small hand-made
# metafiles, METAFILE_FUZZ_SECONDS each (default 20). An input that takes
# more than 2 s to play is reported as a hang and fails the run.
metafile_seconds=${METAFILE_FUZZ_SECONDS:-20}
cmake --build "$build" -j 3 --target emf_fuzz wmf_fuzz metafile_seeds
"$build/fuzz/metafile_seeds" "$build/fuzz-corpus/metafile"
for kind in emf wmf; do
  "$build/fuzz/${kind}_fuzz" -max_total_time="$metafile_seconds" -max_len=4096 -timeout=2 \
    -artifact_prefix="$artifacts" -print_final_stats=1 "$build/fuzz-corpus/metafile/$kind"
  echo "fuzz: ${kind}_fuzz ran ${metafile_seconds} s without a finding"
done
