#!/usr/bin/env bash
# Configures and builds Talvero into build/ (release with debug info).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVERO_BENCH=OFF "$@" >/dev/null
cmake --build "$root/build" -j"$(nproc)"
