#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed system on its own: every
# installed program and library finds the libraries it needs (no LD_LIBRARY_PATH), the program
# comes up offscreen and stays up until it is told to stop, and talvero-cli computes a loan.
# Usage: install_test.sh <build dir> <library dir under the prefix>
set -euo pipefail
build=$1
libdir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
unset LD_LIBRARY_PATH

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

binaries=("$prefix/bin/talvero" "$prefix/bin/talvero-cli")
for f in "${binaries[@]}"; do
  [[ -x $f ]] || fail "$f is not installed"
done
libraries=("$prefix/$libdir"/*.so)
[[ -e ${libraries[0]} ]] || fail "no shared library under $prefix/$libdir"
for f in "${binaries[@]}" "${libraries[@]}"; do
  [[ -e $f ]] || continue
  if missing=$(ldd "$f" | grep 'not found'); then
    fail "$f: $missing"
  fi
done
for f in share/talvero/help share/talvero/db/sqlite/loan.sql share/talvero/db/firebird/loan.sql \
  share/talvero/scripts/loanbackup.sh share/talvero/scripts/dbmaint.sh; do
  [[ -e $prefix/$f ]] || fail "$f is not installed"
done

# The program: up after two seconds, and ended by SIGTERM rather than by a fault of its own.
home=$work/home
mkdir "$home"
TALVERO_HOME=$home QT_QPA_PLATFORM=offscreen "$prefix/bin/talvero" >"$work/talvero.log" 2>&1 &
pid=$!
sleep 2
if kill -0 "$pid" 2>/dev/null; then
  kill -TERM "$pid"
  code=0
  wait "$pid" || code=$?
  # 128 + 15: the signal sent, not a crash (134 abort, 139 segmentation fault).
  [[ $code -eq 143 ]] || fail "talvero ended with $code after SIGTERM"
else
  code=0
  wait "$pid" || code=$?
  fail "talvero did not stay up (exit $code): $(cat "$work/talvero.log")"
fi

# talvero-cli from the prefix.
if out=$("$prefix/bin/talvero-cli" compute --FINANCEAMT=100000 --APR=10 --NUMPAY=360 --FIRSTDUE=02012024 2>&1); then
  # 100,000 at 10 % over 360 months.
  grep -Eq '^PAYMENT +877\.57$' <<<"$out" || fail "talvero-cli compute: no payment of 877.57 in: $out"
else
  fail "talvero-cli compute failed: $out"
fi

[[ $status -eq 0 ]] && echo "installed system under $prefix: binaries and libraries resolve, talvero starts, talvero-cli computes"
exit $status
