#!/usr/bin/env bash
# Configures and builds Talvero (release with debug info) into build/, or into the folder
# TALVERO_BUILD_DIR names; arguments go to CMake (scripts/run.sh passes -DTALVERO_TESTS=OFF).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TALVERO_BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVERO_BENCH=OFF "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
