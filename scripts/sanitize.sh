#!/usr/bin/env bash
# Builds everything but the benchmarks with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the tests, the Qt ones on the offscreen platform, with leak detection on.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=build-asan BUILD_TYPE=Debug bash scripts/build.sh -DWITH_QT=ON -DWITH_BENCH=OFF -DSANITIZE=ON
cd build-asan
# The install test checks packaging, not memory: the ordinary build runs it.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen \
  ctest --output-on-failure -j "$(nproc)" -E '^install_test$'
