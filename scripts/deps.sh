#!/usr/bin/env bash
# Installs the Debian 12 packages Talvero needs to build, run and test; installs only what is missing.
set -euo pipefail

packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev libqt6sql6-sqlite sqlite3
          libgtest-dev libgmock-dev libbenchmark-dev poppler-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
