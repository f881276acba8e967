#!/usr/bin/env bash
# Installs what is missing, builds Talvero in build/ (without the tests) and writes its Debian
# package as build/package/talvero_<version>_<arch>.deb; install it with
# `sudo apt install ./build/package/talvero_*.deb`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
build=${TALVERO_BUILD_DIR:-$root/build}
TALVERO_BUILD_DIR=$build "$root/scripts/build.sh"
rm -f "$build"/package/talvero_*.deb
(cd "$build" && cpack -G DEB -B "$build/package" >/dev/null)
ls "$build"/package/talvero_*.deb
