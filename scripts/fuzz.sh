#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
bash scripts/setup.sh
build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWITH_QT=OFF -DWITH_BENCH=OFF -DWITH_FUZZERS=ON >/dev/null
targets=(fuzz_parse_date fuzz_sequential_reader fuzz_text_encoding fuzz_ini_format
  fuzz_logbook_loader fuzz_logbook_round_trip fuzz_settings_reader fuzz_pulsewise_settings
  fuzz_import_reader fuzz_report)
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"
for t in "${targets[@]}"; do
  exe=$(find "$build_dir" -name "$t" -type f -perm -u+x | head -n 1)
  work="$build_dir/fuzzing/$t"
  mkdir -p "$work/corpus"
  echo "== $t: ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$work/" \
    "$work/corpus" >"$work/log" 2>&1; then
    tail -n 60 "$work/log"
    echo "$t found a failure; the input is in $work/"
    exit 1
  fi
  grep -E '^Done [0-9]+ runs' "$work/log" || true
done
