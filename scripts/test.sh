#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless. CTest's summary is the last output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
# Tests never touch the user's own data folder.
export TALVERO_HOME="${TALVERO_HOME:-$(mktemp -d)}"
cd "$root/build"
exec ctest --output-on-failure -j"$(nproc)"
