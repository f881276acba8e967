#!/usr/bin/env bash
# Installs the Debian 12 packages Talvero needs to build, run and test, and generates the
# comma-decimal locale the tests also run under; does only what is missing. With --test it also
# installs the Firebird server the database tests run a private instance of; without it only the
# client driver and tools for a server alias, so starting Talvero never installs a server that
# listens on the network. The Debian package needs dpkg-dev (dpkg-shlibdeps for its Depends);
# its tests validate the desktop files (desktop-file-utils, appstream).
set -euo pipefail

# Qt Charts' CMake package needs Qt OpenGL's (libqt6opengl6-dev), which qt6-charts-dev does not pull in.
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libqt6charts6 libqt6svg6 libqt6sql6-sqlite sqlite3 libqt6sql6-ibase firebird3.0-utils
          libgtest-dev libgmock-dev libbenchmark-dev poppler-utils locales dpkg-dev)
if [ "${1:-}" = --test ]; then
  packages+=(firebird3.0-server desktop-file-utils appstream)
fi
test_locale=de_DE.UTF-8

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  # The Firebird server's SYSDBA password: the package makes a random one (kept in
  # /etc/firebird/3.0/SYSDBA.password); the tests run a private server with their own.
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# locale -a spells UTF-8 as utf8.
if ! locale -a 2>/dev/null | grep -qx 'de_DE\.utf8'; then
  echo "Generating locale: $test_locale"
  if grep -q "^# *$test_locale UTF-8" /etc/locale.gen; then
    "${sudo[@]}" sed -i "s/^# *$test_locale UTF-8/$test_locale UTF-8/" /etc/locale.gen
  elif ! grep -q "^$test_locale UTF-8" /etc/locale.gen; then
    echo "$test_locale UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  fi
  "${sudo[@]}" locale-gen >/dev/null
fi
