#!/usr/bin/env bash
# Builds the tree with clang, warnings as errors, and the libFuzzer targets
# (AddressSanitizer and UndefinedBehaviorSanitizer over the whole tree) in
# their own build folder, and runs each for a short, bounded time from its
# seed corpus. Any crash, sanitizer report, failed check or input slower
# than the time limit fails the run, and the input that did it is kept in
# the artifacts folder.
#
# Environment:
#   FUZZ_BUILD_DIR   build folder (default build-fuzz)
#   FUZZ_SECONDS     seconds per target (default 20; the stroke fonts get
#                    1.5 times that); a longer run per target: FUZZ_SECONDS=600
#   FUZZ_TARGETS     the targets to run, blank-separated (default all)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
build=${FUZZ_BUILD_DIR:-$top/build-fuzz}
seconds=${FUZZ_SECONDS:-20}

# target  seeds (folders and files, comma-separated; @fonts: the generated
# stroke fonts; @metafile/KIND: the hand-made metafiles of that kind)  max
# input length. The metafile players' 2 s limit per input finds the hangs
# a malformed file could cause.
targets=(
  "chrfile_fuzz     @fonts                                           20000"
  "picture_fuzz     fuzz/seeds/picture                               4096"
  "datafile_fuzz    fuzz/seeds/datafile,examples/sample.dat          16384"
  "freeread_fuzz    fuzz/seeds/freeread                              4096"
  "varnel1_par_fuzz examples/VARNEL1.PAR                             1024"
  "varnel2_par_fuzz examples/VARNEL2.PAR                             2048"
  "mokrin_par_fuzz  examples/MOKRIN1.PAR,examples/MOKRIN2.PAR        1024"
  "config_fuzz      fuzz/seeds/config                                4096"
  "emf_fuzz         @metafile/emf                                    4096"
  "wmf_fuzz         @metafile/wmf                                    4096"
)
wanted=${FUZZ_TARGETS:-$(for t in "${targets[@]}"; do echo "${t%% *}"; done)}

# The whole tree but its tests and benchmarks is built here (the programs
# too), so a clang warning anywhere fails the run as much as a finding.
CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja \
  -DTSD_FUZZ=ON -DTSD_TESTS=OFF -DTSD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS=-Werror
if [ -n "${FUZZ_TARGETS:-}" ]; then
  # shellcheck disable=SC2086
  cmake --build "$build" -j "$(nproc)" --target $wanted metafile_seeds
else
  cmake --build "$build" -j "$(nproc)"
fi

artifacts="$build/fuzz-artifacts/"
mkdir -p "$artifacts"
# The targets write their inputs into files of a private folder.
export TMPDIR="$build/fuzz-tmp"
mkdir -p "$TMPDIR"

for t in "${targets[@]}"; do
  read -r name seeds maxlen <<<"$t"
  case " $(echo $wanted) " in *" $name "*) ;; *) continue ;; esac
  corpus="$build/fuzz-corpus/$name"
  mkdir -p "$corpus"
  for seed in ${seeds//,/ }; do
    if [ "$seed" = "@fonts" ]; then
      cp "$build"/fonts/*.chr "$corpus"/
    elif [ "${seed%%/*}" = "@metafile" ]; then
      # Small hand-made metafiles, written by a tool of the fuzz build.
      "$build/fuzz/metafile_seeds" "$build/fuzz-corpus/metafile-seeds"
      cp "$build/fuzz-corpus/metafile-seeds/${seed#@metafile/}"/* "$corpus"/
    elif [ -d "$top/$seed" ]; then
      cp "$top/$seed"/* "$corpus"/
    else
      cp "$top/$seed" "$corpus"/
    fi
  done
  run_seconds=$seconds
  [ "$name" = chrfile_fuzz ] && run_seconds=$((seconds * 3 / 2))
  log="$build/fuzz-$name.log"
  # -timeout: an input that takes longer than 2 s is a finding (a hang).
  set +e
  "$build/fuzz/$name" -max_total_time="$run_seconds" -max_len="$maxlen" -timeout=2 -rss_limit_mb=2048 \
    -artifact_prefix="$artifacts$name-" -print_final_stats=1 "$corpus" >"$log" 2>&1
  status=$?
  set -e
  grep -E '^(#[0-9]+ *DONE|stat::number_of_executed_units|stat::new_units_added)' "$log" || true
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $name found a fault; its input is in $artifacts (log: $log)" >&2
    tail -40 "$log" >&2
    exit 1
  fi
  echo "fuzz: $name ran ${run_seconds} s without a finding"
done
