#!/usr/bin/env bash
# Builds the std-only modules with AddressSanitizer and UndefinedBehaviorSanitizer and runs their tests.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD_DIR=build-asan BUILD_TYPE=Debug bash scripts/build.sh -DWITH_QT=OFF -DWITH_BENCH=OFF -DSANITIZE=ON
cd build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$(nproc)"
