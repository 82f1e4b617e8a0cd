#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR), passing any extra arguments to CMake.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
extra=()
[ "${CI:-}" = "true" ] && extra+=(-DWERROR=ON)
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${extra[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j "$(nproc)"
