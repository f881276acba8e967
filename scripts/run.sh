#!/usr/bin/env bash
# Installs what is missing, builds, and starts Talvero with its embedded defaults.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
exec "$root/build/bin/talvero"
