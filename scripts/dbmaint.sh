# shellcheck shell=bash
# Shared rules of the six database maintenance scripts (loanbackup.sh … investblank.sh); sourced by
# them, never run on its own.
#
# Data folder: $TALVERO_HOME when set, else $XDG_DATA_HOME/talvero (~/.local/share/talvero), the
# folder the program uses. An alias's database is <data folder>/loan.db or invest.db unless the
# data folder's aliases.ini names another driver or file for it.
#
# Backups live in <data folder>/backups: one dated file per backup (loan-YYYYMMDD-HHMMSS-mmm.db) and
# the copy restore reads by default (loan-latest.db). Restore and blank keep the file they replace
# beside it as loan-replaced-YYYYMMDD-HHMMSS-mmm.db. What a script did goes to standard output; a
# failure is told on standard error and the script exits non-zero.

set -euo pipefail
umask 077
export LC_ALL=C

script_name=$(basename "$0")
scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The blank schemas sit beside the scripts folder, in the source tree and installed alike.
schema_dir="$scripts_dir/../db/sqlite"

staged=()
cleanup() {
  local f
  for f in "${staged[@]+"${staged[@]}"}"; do rm -f -- "$f" "$f-journal"; done
}
trap cleanup EXIT

die() {
  echo "$script_name: $*" >&2
  exit 1
}

# The data folder as an absolute path (it may not exist yet).
data_folder() {
  if [ -n "${TALVERO_HOME:-}" ]; then
    realpath -m -- "$TALVERO_HOME"
  else
    realpath -m -- "${XDG_DATA_HOME:-$HOME/.local/share}/talvero"
  fi
}

# stem ALIAS: the name the alias's files go by (loan, invest).
stem() {
  case "$1" in
  IBLoan) echo loan ;;
  IBInvest) echo invest ;;
  *) die "unknown alias $1" ;;
  esac
}

# ini_value FILE SECTION KEY: the value of KEY in [SECTION] of an INI file, empty when missing.
ini_value() {
  [ -f "$1" ] || return 0
  awk -v section="[$2]" -v key="$3" '
    { sub(/\r$/, "") }
    /^[ \t]*\[/ { gsub(/^[ \t]+|[ \t]+$/, ""); inside = ($0 == section); next }
    inside {
      eq = index($0, "=")
      if (eq == 0) next
      k = substr($0, 1, eq - 1); v = substr($0, eq + 1)
      gsub(/^[ \t]+|[ \t]+$/, "", k); gsub(/^[ \t]+|[ \t]+$/, "", v)
      if (k == key) { if (v ~ /^".*"$/) v = substr(v, 2, length(v) - 2); print v; exit }
    }' "$1"
}

# resolve_alias ALIAS: sets db_driver and db_file as the program resolves the alias.
resolve_alias() {
  local folder aliases database
  folder=$(data_folder)
  aliases="$folder/aliases.ini"
  db_driver=$(ini_value "$aliases" "$1" driver)
  db_driver=${db_driver:-QSQLITE}
  database=$(ini_value "$aliases" "$1" database)
  database=${database:-$(stem "$1").db}
  case "$database" in
  /*) db_file=$database ;;
  *) db_file="$folder/$database" ;;
  esac
}

# backend_for ALIAS: the one place that chooses how an alias's database is backed up, checked,
# restored and blanked. Resolves the alias and sets `backend` to the prefix of the functions that
# do the work (sqlite_backup, sqlite_check, sqlite_sound, sqlite_blank).
backend_for() {
  resolve_alias "$1"
  case "$db_driver" in
  QSQLITE) backend=sqlite ;;
  *) die "the alias $1 names the database driver $db_driver in $(data_folder)/aliases.ini; these scripts handle only SQLite (QSQLITE) databases, so nothing was done" ;;
  esac
}

# Down to the millisecond, so names sort in the order the files were made.
timestamp() {
  date +%Y%m%d-%H%M%S-%3N
}

# unused_name DIR PREFIX: DIR/PREFIX-<date and time>.db, a name no file has yet.
unused_name() {
  local name
  name="$1/$2-$(timestamp).db"
  while [ -e "$name" ]; do
    sleep 0.01
    name="$1/$2-$(timestamp).db"
  done
  printf '%s\n' "$name"
}

# stage_name DIR: a new private file name in DIR, removed on exit unless moved into place.
stage_name() {
  local name
  name=$(mktemp "$1/.talvero-stage-XXXXXX")
  rm -f -- "$name"
  staged+=("$name")
  printf '%s\n' "$name"
}

# The schema file of an alias and what it promises: its tables and its user_version.
schema_file() {
  local file
  file="$schema_dir/$(stem "$1").sql"
  [ -f "$file" ] || die "the blank schema $file is missing"
  printf '%s\n' "$file"
}

expected_tables() {
  sed -n 's/^CREATE TABLE \([A-Za-z_][A-Za-z_0-9]*\).*/\1/p' "$1" | sort
}

expected_version() {
  sed -n 's/^PRAGMA user_version = \([0-9][0-9]*\);.*/\1/p' "$1"
}

sqlite_run() {
  # Waits for another connection's write lock instead of failing at once.
  sqlite3 -bail -batch -cmd ".timeout 10000" "$@"
}

# sqlite_backup DATABASE TARGET: an online, consistent copy through SQLite's backup API.
sqlite_backup() {
  # The dot command reads a bare file name, so it runs inside the target's folder.
  (cd "$(dirname "$2")" && sqlite_run "$1" ".backup main $(basename "$2")") >/dev/null
}

# sqlite_check ALIAS FILE: prints why FILE is not a sound database of ALIAS, or nothing.
sqlite_check() {
  local schema out tables version
  schema=$(schema_file "$1")
  if ! out=$(sqlite_run -readonly "$2" "PRAGMA integrity_check;" 2>&1); then
    echo "it is not a readable SQLite database ($(echo "$out" | head -n 1))"
    return 0
  fi
  if [ "$out" != ok ]; then
    echo "the integrity check failed ($(echo "$out" | head -n 1))"
    return 0
  fi
  tables=$(sqlite_run -readonly "$2" "SELECT name FROM sqlite_master WHERE type = 'table';" | sort)
  local missing
  missing=$(comm -23 <(expected_tables "$schema") <(printf '%s\n' "$tables"))
  if [ -n "$missing" ]; then
    echo "it lacks the table(s) $(echo "$missing" | tr '\n' ' ' | sed 's/ $//')"
    return 0
  fi
  version=$(sqlite_run -readonly "$2" "PRAGMA user_version;")
  if [ "$version" != "$(expected_version "$schema")" ]; then
    echo "its schema version is $version, not $(expected_version "$schema")"
  fi
}

# sqlite_sound FILE: whether SQLite reads FILE as a whole, sound database.
sqlite_sound() {
  [ "$(sqlite_run -readonly "$1" "PRAGMA quick_check;" 2>/dev/null)" = ok ]
}

# sqlite_blank ALIAS TARGET: a new database from the blank schema.
sqlite_blank() {
  sqlite_run "$2" <"$(schema_file "$1")" >/dev/null
}

# keep_replaced ALIAS: copies the database about to be replaced beside it under a dated name.
keep_replaced() {
  [ -e "$db_file" ] || return 0
  local kept
  kept=$(unused_name "$(dirname "$db_file")" "$(stem "$1")-replaced")
  if "${backend}_backup" "$db_file" "$kept" 2>/dev/null && "${backend}_sound" "$kept"; then
    # Opening the old file rolled back what a crashed writer left; a journal or log left now
    # belongs to a connection still at work on it.
    if [ -e "$db_file-journal" ] || [ -e "$db_file-wal" ]; then
      rm -f -- "$kept"
      die "$db_file is in use by another program; close it and try again (the database is unchanged)"
    fi
    echo "Kept the replaced database as $kept"
    return 0
  fi
  # A damaged database is kept byte for byte, with its journal beside it.
  rm -f -- "$kept"
  cp -p -- "$db_file" "$kept" || die "cannot copy $db_file to $kept; the database is unchanged"
  if [ -e "$db_file-journal" ]; then
    mv -- "$db_file-journal" "$kept-journal" || die "cannot move $db_file-journal aside; the database is unchanged"
  fi
  echo "Kept the replaced database (SQLite could not read it) as $kept"
}

# put_in_place STAGED: the staged database becomes the alias's database in one rename.
put_in_place() {
  mv -f -- "$1" "$db_file" || die "cannot move the new database to $db_file"
}

backups_folder() {
  local folder
  folder="$(data_folder)/backups"
  mkdir -p -- "$folder" || die "cannot create $folder"
  printf '%s\n' "$folder"
}

# run_backup ALIAS
run_backup() {
  backend_for "$1"
  [ -f "$db_file" ] || die "there is no database to back up at $db_file"
  local folder stage dated latest problem
  folder=$(backups_folder)
  stage=$(stage_name "$folder")
  "${backend}_backup" "$db_file" "$stage" || die "the backup of $db_file failed"
  problem=$("${backend}_check" "$1" "$stage")
  [ -z "$problem" ] || die "the backup of $db_file is unusable: $problem; earlier backups are unchanged"
  dated=$(unused_name "$folder" "$(stem "$1")")
  mv -- "$stage" "$dated"
  latest="$folder/$(stem "$1")-latest.db"
  stage=$(stage_name "$folder")
  cp -- "$dated" "$stage"
  mv -f -- "$stage" "$latest"
  echo "Backed up $1 ($db_file) to $dated"
  echo "Restore reads $latest"
}

# run_restore ALIAS [BACKUP]
run_restore() {
  backend_for "$1"
  local source stage problem
  source=${2:-"$(data_folder)/backups/$(stem "$1")-latest.db"}
  [ -f "$source" ] || die "no backup to restore: $source does not exist; the database is unchanged"
  problem=$("${backend}_check" "$1" "$source")
  [ -z "$problem" ] || die "the backup $source is damaged: $problem; the database is unchanged"
  mkdir -p -- "$(dirname "$db_file")" || die "cannot create $(dirname "$db_file")"
  stage=$(stage_name "$(dirname "$db_file")")
  cp -- "$source" "$stage" || die "cannot copy $source; the database is unchanged"
  problem=$("${backend}_check" "$1" "$stage")
  [ -z "$problem" ] || die "the copy of $source is damaged: $problem; the database is unchanged"
  keep_replaced "$1"
  put_in_place "$stage"
  echo "Restored $1 ($db_file) from $source"
}

# run_blank ALIAS
run_blank() {
  backend_for "$1"
  local stage problem
  mkdir -p -- "$(dirname "$db_file")" || die "cannot create $(dirname "$db_file")"
  stage=$(stage_name "$(dirname "$db_file")")
  "${backend}_blank" "$1" "$stage" || die "cannot write a blank database; the database is unchanged"
  problem=$("${backend}_check" "$1" "$stage")
  [ -z "$problem" ] || die "the blank database is unusable: $problem; the database is unchanged"
  keep_replaced "$1"
  put_in_place "$stage"
  echo "Replaced $1 ($db_file) by a blank database"
}
