#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; then runs the tests labelled
# "forms" again under a comma-decimal locale. CTest's summary is the last output; the script fails
# when either pass fails. With Firebird installed, a private server on 127.0.0.1 runs for the whole
# run, so the database contract and load tests run on it too (and fail the run if it fails);
# without it those tests are skipped and every other test still runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" --test
"$root/scripts/build.sh"
export QT_QPA_PLATFORM=offscreen
# Tests never touch the user's own data folder.
export TALVERO_HOME="${TALVERO_HOME:-$(mktemp -d)}"
cd "$root/build"

# shellcheck source=scripts/firebird-test-server.sh
source "$root/scripts/firebird-test-server.sh"
fb_folder=$(mktemp -d)
trap 'fb_stop; rm -rf "$fb_folder"' EXIT
if fb_available; then
  if fb_start "$fb_folder"; then
    export TALVERO_FIREBIRD_REQUIRED=1
    echo "Firebird test server on 127.0.0.1:$TALVERO_FIREBIRD_PORT"
  else
    echo "Firebird is installed but its test server does not start" >&2
    exit 1
  fi
else
  echo "Firebird is not installed: the tests on a Firebird server are skipped"
fi

status=0
ctest --output-on-failure -j"$(nproc)" || status=1

echo
echo "Tests labelled forms under de_DE.UTF-8:"
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 ctest --output-on-failure -j"$(nproc)" -L '^forms$' || status=1
exit $status
