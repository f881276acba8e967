#!/usr/bin/env bash
# The Debian package, checked as a user gets it.
#   package_test.sh build <build dir> <out dir>   makes <out dir>/talvero_<version>_<arch>.deb with cpack
#   package_test.sh contents <deb> <version> <library dir>
#                                                 its control fields and the files it holds
#   package_test.sh run <deb> <library dir>       extracted with dpkg -x: the programs find their
#                                                 libraries, talvero starts offscreen, talvero-cli
#                                                 computes a loan, talvero-unwinder answers
set -euo pipefail
status=0
fail() {
  echo "FAIL: $*" >&2
  status=1
}

case "$1" in
build)
  build=$2
  out=$3
  rm -rf "$out"
  mkdir -p "$out"
  # cpack leaves its staging tree beside the package.
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log" >&2
    exit 1
  }
  ls "$out"/talvero_*.deb
  ;;

contents)
  deb=$2
  version=$3
  libdir=$4
  field() { dpkg-deb -f "$deb" "$1"; }
  [[ $(field Package) == talvero ]] || fail "Package is $(field Package)"
  [[ $(field Version) == "$version" ]] || fail "Version is $(field Version), not $version"
  [[ $(field Architecture) == "$(dpkg --print-architecture)" ]] || fail "Architecture is $(field Architecture)"
  section=$(field Section)
  [[ -n $section && $section != devel ]] || fail "Section is '$section'"
  [[ $(field Maintainer) == *'<'*'@'*'>' ]] || fail "Maintainer is '$(field Maintainer)'"
  [[ -n $(field Description) ]] || fail "no Description"
  depends=$(field Depends)
  # What Qt loads by name, and what the binaries link (from dpkg-shlibdeps).
  for needed in libqt6sql6-sqlite libqt6widgets6 libqt6core6 libqt6sql6 libc6; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
  done
  for needed in sqlite3 libqt6sql6-ibase; do
    grep -Eq "(^|, )$needed( |,|$)" <<<"$(field Recommends)" || fail "Recommends lacks $needed"
  done
  grep -q firebird3.0-utils <<<"$(field Suggests)" || fail "Suggests lacks firebird3.0-utils"
  # Every dependency is a package this machine, which runs the build, has installed.
  while read -r name; do
    dpkg-query -W -f='${Status}' "$name" 2>/dev/null | grep -q 'install ok installed' ||
      fail "Depends names $name, which is not installed here"
  done < <(tr ',' '\n' <<<"$depends" | sed -E 's/^ *//; s/[ (].*//; /^$/d')

  files=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
  for f in /usr/bin/talvero /usr/bin/talvero-cli /usr/bin/talvero-unwinder \
    "/usr/$libdir/libtessera.so" "/usr/$libdir/libvaulter.so" "/usr/$libdir/libtalvero_ui.so" \
    "/usr/$libdir/libtalvero_ui_core.so" "/usr/$libdir/libscribe1.so" "/usr/$libdir/libvellum1.so" \
    "/usr/$libdir/libvellum2.so" "/usr/$libdir/libroster1.so" "/usr/$libdir/libroster2.so" "/usr/$libdir/libscribe2.so" \
    "/usr/$libdir/libtalvero_charts.so" "/usr/$libdir/libtalvero_ui_printing.so" "/usr/$libdir/libtalvero_ui_grids.so" \
    "/usr/$libdir/libtalvero_program.so" \
    /usr/share/talvero/help/index.html /usr/share/talvero/db/sqlite/loan.sql /usr/share/talvero/db/sqlite/invest.sql \
    /usr/share/talvero/db/firebird/loan.sql /usr/share/talvero/scripts/loanbackup.sh /usr/share/talvero/scripts/dbmaint.sh \
    /usr/share/applications/org.talvero.Talvero.desktop /usr/share/applications/org.talvero.Unwinder.desktop \
    /usr/share/metainfo/org.talvero.Talvero.metainfo.xml \
    /usr/share/icons/hicolor/scalable/apps/org.talvero.Talvero.svg \
    /usr/share/icons/hicolor/48x48/apps/org.talvero.Talvero.png \
    /usr/share/man/man1/talvero.1.gz /usr/share/man/man1/talvero-cli.1.gz /usr/share/man/man1/talvero-unwinder.1.gz \
    /usr/share/doc/talvero/copyright; do
    grep -qx -- "$f" <<<"$files" || fail "the package lacks $f"
  done
  outside=$(grep -Ev '^/usr(/|$)' <<<"$files" || true)
  [[ -z $outside ]] || fail "files outside /usr: $outside"
  # Nothing of the build's own: no tests, no benchmarks, no build tools.
  stray=$(grep -E '_tests?$|_bench$|render_icon|\.a$|/include/' <<<"$files" || true)
  [[ -z $stray ]] || fail "build files in the package: $stray"
  ;;

run)
  deb=$2
  libdir=$3
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  unset LD_LIBRARY_PATH
  dpkg -x "$deb" "$work/root"
  usr=$work/root/usr
  for f in "$usr"/bin/* "$usr/$libdir"/*.so; do
    if missing=$(ldd "$f" | grep 'not found'); then
      fail "$f: $missing"
    fi
  done
  # The menu entry starts a program the package holds.
  exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$usr/share/applications/org.talvero.Talvero.desktop")
  [[ -x $usr/bin/$exec_name ]] || fail "the desktop entry's Exec=$exec_name is not in usr/bin"
  manpage=$(zcat "$usr/share/man/man1/talvero.1.gz" | head -1)
  [[ $manpage == .TH\ TALVERO* ]] || fail "talvero.1.gz is no manual page: $manpage"

  home=$work/home
  mkdir "$home"
  # Still up when timeout stops it (124): it came up and did not end on its own.
  code=0
  TALVERO_HOME=$home QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/talvero" >"$work/talvero.log" 2>&1 || code=$?
  [[ $code -eq 124 ]] || fail "talvero ended with $code before it was stopped: $(cat "$work/talvero.log")"
  if grep -Eiq 'could not|cannot|not found|error' "$work/talvero.log"; then
    fail "talvero complained: $(cat "$work/talvero.log")"
  fi
  # The start-up probe: the main window painted, then the program library made every other form.
  if out=$(TALVERO_HOME=$home QT_QPA_PLATFORM=offscreen TALVERO_QUIT_AT_FIRST_PAINT=1 timeout 30 "$usr/bin/talvero" 2>&1); then
    grep -q '^started 30$' <<<"$out" || fail "the installed program did not start its forms: $out"
  else
    fail "talvero's start-up probe ended with $?: $out"
  fi

  if out=$(TALVERO_HOME=$home "$usr/bin/talvero-cli" compute --FINANCEAMT=100000 --APR=10 --NUMPAY=360 --FIRSTDUE=02012024 2>&1); then
    # 100,000 at 10 % over 360 months.
    grep -Eq '^PAYMENT +877\.57$' <<<"$out" || fail "talvero-cli compute: no payment of 877.57 in: $out"
  else
    fail "talvero-cli compute failed: $out"
  fi
  # The wizard on an empty package database of its own: it reads it and comes up.
  mkdir -p "$work/dpkg"
  : >"$work/dpkg/status"
  code=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$usr/bin/talvero-unwinder" --admindir "$work/dpkg" --proc "$work" \
    >"$work/unwinder.log" 2>&1 || code=$?
  [[ $code -eq 124 ]] || fail "talvero-unwinder ended with $code: $(cat "$work/unwinder.log")"
  version=$(QT_QPA_PLATFORM=offscreen "$usr/bin/talvero-unwinder" --version 2>&1) ||
    fail "talvero-unwinder --version failed: $version"
  [[ $status -eq 0 ]] && echo "extracted package: binaries resolve, talvero starts, talvero-cli computes, $version"
  ;;
*)
  echo "usage: package_test.sh build|contents|run ..." >&2
  exit 2
  ;;
esac
exit $status
