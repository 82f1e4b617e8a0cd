#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time: scripts/fuzz.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
bash scripts/setup.sh
build_dir=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DWITH_QT=OFF -DWITH_BENCH=OFF -DWITH_FUZZERS=ON >/dev/null
targets=(fuzz_parse_date fuzz_sequential_reader fuzz_logbook_loader fuzz_settings_reader)
cmake --build "$build_dir" -j "$(nproc)" --target "${targets[@]}"
for t in "${targets[@]}"; do
  exe=$(find "$build_dir" -name "$t" -type f -perm -u+x | head -n 1)
  corpus="$build_dir/corpus/$t"
  mkdir -p "$corpus"
  echo "== $t: ${seconds}s"
  "$exe" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "$t found a failure"; exit 1; }
done
