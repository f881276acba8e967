#!/usr/bin/env bash
# Installs what is missing, builds what running needs (the program, its libraries and
# talvero-cli; no tests, in build-run/), and starts Talvero with its embedded defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
TALVERO_BUILD_DIR="$root/build-run" "$root/scripts/build.sh" -DTALVERO_TESTS=OFF
exec "$root/build-run/bin/talvero"
