#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; then runs the tests labelled
# "forms" again under a comma-decimal locale. CTest's summary is the last output; the script fails
# when either pass fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
# Tests never touch the user's own data folder.
export TALVERO_HOME="${TALVERO_HOME:-$(mktemp -d)}"
cd "$root/build"

status=0
ctest --output-on-failure -j"$(nproc)" || status=1

echo
echo "Tests labelled forms under de_DE.UTF-8:"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --output-on-failure -j"$(nproc)" -L '^forms$' || status=1
exit $status
