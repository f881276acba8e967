# shellcheck shell=bash
# Shared rules of the six database maintenance scripts (loanbackup.sh … investblank.sh); sourced by
# them, never run on its own.
#
# The data folder and where an alias points (<data folder>/loan.db or invest.db unless the data
# folder's aliases.ini or the TALVERO_IBLOAN_* / TALVERO_IBINVEST_* environment names another driver
# or file) are asked of `talvero-cli alias`, which resolves both with the program's own code and
# creates the data folder as the program does.
#
# Backups live in <data folder>/backups: one dated file per backup (loan-YYYYMMDD-HHMMSS-mmm.db) and
# the copy restore reads by default (loan-latest.db). Restore and blank keep the file they replace
# beside it as loan-replaced-YYYYMMDD-HHMMSS-mmm.db. What a script did goes to standard output; a
# failure is told on standard error and the script exits non-zero.
#
# A Firebird (QIBASE) alias works through gbak and isql-fb the same way, with .fbk backups: see the
# Firebird part below.

set -euo pipefail
umask 077
export LC_ALL=C

script_name=$(basename "$0")
scripts_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The blank schemas sit beside the scripts folder, in the source tree and installed alike.

staged=()
scratch=()
cleanup() {
  local f
  for f in "${staged[@]+"${staged[@]}"}"; do rm -f -- "$f" "$f-journal"; done
  for f in "${scratch[@]+"${scratch[@]}"}"; do fb_drop "$f"; done
}
trap cleanup EXIT

die() {
  echo "$script_name: $*" >&2
  exit 1
}

# stem ALIAS: the name the alias's files go by (loan, invest).
stem() {
  case "$1" in
  IBLoan) echo loan ;;
  IBInvest) echo invest ;;
  *) die "unknown alias $1" ;;
  esac
}

# talvero_cli: the talvero-cli that resolves the aliases: $TALVERO_CLI when set (the program sets it
# to the one beside itself); else, for scripts installed in <prefix>/share/talvero/scripts,
# <prefix>/bin/talvero-cli; else, for the source tree's scripts, the build tree's build/bin/talvero-cli.
talvero_cli() {
  local candidate
  if [ -n "${TALVERO_CLI:-}" ]; then
    if ! [ -f "$TALVERO_CLI" ] || ! [ -x "$TALVERO_CLI" ]; then
      die "TALVERO_CLI names $TALVERO_CLI, which is no program; nothing was done"
    fi
    printf '%s\n' "$TALVERO_CLI"
    return 0
  fi
  case "$scripts_dir" in
  */share/talvero/scripts) candidate="${scripts_dir%/share/talvero/scripts}/bin/talvero-cli" ;;
  *) candidate="$(dirname "$scripts_dir")/build/bin/talvero-cli" ;;
  esac
  [ -f "$candidate" ] && [ -x "$candidate" ] && printf '%s\n' "$candidate" && return 0
  die "cannot find talvero-cli, which resolves the database aliases, at $candidate; set TALVERO_CLI to it; nothing was done"
}

# resolve_alias ALIAS: sets data_folder (absolute), db_driver, and db_file (SQLite) or db_database,
# db_host, db_port, db_user and db_password (Firebird) as `talvero-cli alias` resolves them, by the
# program's own rules.
# The password comes through a pipe of its own, never on a command line or in the output.
resolve_alias() {
  local cli lines key value
  cli=$(talvero_cli) || exit 1
  if ! lines=$("$cli" alias "$1" 2>&1); then
    # Its own reason, not a warning of a library it loads.
    lines=$(grep -m 1 '^talvero-cli: ' <<<"$lines" || grep -m 1 . <<<"$lines" || true)
    [ -n "$lines" ] || lines="talvero-cli ($cli) cannot resolve $1"
    die "${lines#talvero-cli: }; nothing was done"
  fi
  data_folder='' db_driver='' db_database='' db_host='' db_port='' db_user='' db_password=''
  while read -r key value; do
    case "$key" in
    FOLDER) data_folder=$value ;;
    DRIVER) db_driver=$value ;;
    DATABASE) db_database=$value ;;
    HOST) db_host=$value ;;
    PORT) db_port=$value ;;
    USER) db_user=$value ;;
    esac
  done <<<"$lines"
  [ -n "$data_folder" ] || die "talvero-cli ($cli) does not name the data folder; nothing was done"
  # Symbolic links resolved, as for the database file.
  data_folder=$(realpath -m -- "$data_folder")
  case "$db_driver" in
  QSQLITE) db_file=$(realpath -m -- "$db_database") ;;
  QIBASE)
    # fd 3 of talvero-cli is the pipe of this substitution; its own output goes nowhere.
    { db_password=$("$cli" alias "$1" --password-to-fd 3 3>&1 >/dev/null 2>&4 4>&-); } 4>&2 ||
      die "talvero-cli could not give the password of $1; nothing was done"
    ;;
  *) die "talvero-cli resolved the alias $1 to the database driver $db_driver, which these scripts cannot use; nothing was done" ;;
  esac
}

# backend_for ALIAS: the one place that chooses how an alias's database is backed up, checked,
# restored and blanked. Resolves the alias and sets `backend` to the prefix of the functions that
# do the work: sqlite_backup, sqlite_check, sqlite_sound, sqlite_blank for a file; firebird_run_backup,
# firebird_run_restore, firebird_run_blank for a server database.
backend_for() {
  resolve_alias "$1"
  case "$db_driver" in
  QSQLITE) backend=sqlite ;;
  QIBASE) backend=firebird ;;
  esac
}

# disk_full TEXT: whether a tool's error TEXT says that the disk is full.
disk_full() {
  grep -qiE 'disk is full|no space left on device|database or disk is full' <<<"$1"
}

# Down to the millisecond, so names sort in the order the files were made.
timestamp() {
  date +%Y%m%d-%H%M%S-%3N
}

# unused_name DIR PREFIX [EXTENSION]: DIR/PREFIX-<date and time>.db (or .EXTENSION), a name no file
# has yet.
unused_name() {
  local name
  name="$1/$2-$(timestamp).${3:-db}"
  while [ -e "$name" ]; do
    sleep 0.01
    name="$1/$2-$(timestamp).${3:-db}"
  done
  printf '%s\n' "$name"
}

# stage_name DIR: sets `stage` to a new private file name in DIR, removed on exit unless moved into
# place. It runs in the caller's shell, not in $(...), so the exit trap sees the name.
stage_name() {
  stage=$(mktemp "$1/.talvero-stage-XXXXXX")
  rm -f -- "$stage"
  staged+=("$stage")
}

# schema_file ALIAS [BACKEND]: the blank schema of an alias for a backend (sqlite when not given).
schema_file() {
  local file
  file="$scripts_dir/../db/${2:-sqlite}/$(stem "$1").sql"
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
  folder="$data_folder/backups"
  mkdir -p -- "$folder" || die "cannot create $folder"
  printf '%s\n' "$folder"
}

# run_backup ALIAS
run_backup() {
  backend_for "$1"
  if [ "$backend" = firebird ]; then
    firebird_run_backup "$@"
    return
  fi
  [ -f "$db_file" ] || die "there is no database to back up at $db_file"
  local folder stage dated latest problem out
  folder=$(backups_folder)
  stage_name "$folder"
  if ! out=$("${backend}_backup" "$db_file" "$stage" 2>&1); then
    disk_full "$out" &&
      die "the disk holding $folder is full: no backup of $db_file was made; the database and earlier backups are unchanged"
    die "the backup of $db_file failed ($(echo "$out" | head -n 1)); the database and earlier backups are unchanged"
  fi
  problem=$("${backend}_check" "$1" "$stage")
  [ -z "$problem" ] || die "the backup of $db_file is unusable: $problem; earlier backups are unchanged"
  dated=$(unused_name "$folder" "$(stem "$1")")
  mv -- "$stage" "$dated"
  latest="$folder/$(stem "$1")-latest.db"
  stage_name "$folder"
  if ! out=$(cp -- "$dated" "$stage" 2>&1); then
    rm -f -- "$stage"
    disk_full "$out" &&
      die "the disk holding $folder is full: the backup $dated was made, but restore still reads the earlier $latest"
    die "the copy of $dated to $latest failed ($out); restore still reads the earlier one"
  fi
  mv -f -- "$stage" "$latest"
  echo "Backed up $1 ($db_file) to $dated"
  echo "Restore reads $latest"
}

# run_restore ALIAS [BACKUP]
run_restore() {
  backend_for "$1"
  if [ "$backend" = firebird ]; then
    firebird_run_restore "$@"
    return
  fi
  local source stage problem
  source=${2:-"$data_folder/backups/$(stem "$1")-latest.db"}
  [ -f "$source" ] || die "no backup to restore: $source does not exist; the database is unchanged"
  problem=$("${backend}_check" "$1" "$source")
  [ -z "$problem" ] || die "the backup $source is damaged: $problem; the database is unchanged"
  mkdir -p -- "$(dirname "$db_file")" || die "cannot create $(dirname "$db_file")"
  stage_name "$(dirname "$db_file")"
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
  if [ "$backend" = firebird ]; then
    firebird_run_blank "$@"
    return
  fi
  local stage problem
  mkdir -p -- "$(dirname "$db_file")" || die "cannot create $(dirname "$db_file")"
  stage_name "$(dirname "$db_file")"
  "${backend}_blank" "$1" "$stage" || die "cannot write a blank database; the database is unchanged"
  problem=$("${backend}_check" "$1" "$stage")
  [ -z "$problem" ] || die "the blank database is unusable: $problem; the database is unchanged"
  keep_replaced "$1"
  put_in_place "$stage"
  echo "Replaced $1 ($db_file) by a blank database"
}

# --- Firebird (QIBASE) aliases -----------------------------------------------------------------
# gbak and isql-fb reach the server as the program does (host/port:database) and get the user and
# password through ISC_USER / ISC_PASSWORD in their own environment, never on a command line that
# `ps` shows; no message carries the password. Backups are gbak files (.fbk) under
# <data folder>/backups like the SQLite ones (loan-YYYYMMDD-HHMMSS-mmm.fbk, loan-latest.fbk). A
# backup is checked by a trial restore into a scratch database beside the alias's database on the
# server, whose tables and key procedures are then compared with db/firebird's schema; the scratch
# database is dropped again. The copy of a database about to be replaced is written by the server
# itself (gbak through the service manager) beside the database, as loan-replaced-<date>.fbk.

# What a schema file promises: its tables and its procedures, one name a line, sorted.
firebird_expected_objects() {
  sed -n 's/^CREATE \(TABLE\|PROCEDURE\) \([A-Za-z_][A-Za-z_0-9]*\).*/\2/p' "$1" | tr '[:lower:]' '[:upper:]' | sort
}

# remote PATH: how the client names a database on the alias's server.
remote() {
  printf '%s%s:%s\n' "$db_host" "${db_port:+/$db_port}" "$1"
}

# fb_tool COMMAND...: runs a Firebird tool as the alias's user; stdin is closed so a damaged backup
# cannot leave gbak waiting for another volume.
fb_tool() {
  ISC_USER=$db_user ISC_PASSWORD=$db_password "$@" </dev/null
}

# fb_isql PATH: runs the script on standard input against the server database PATH.
fb_isql() {
  ISC_USER=$db_user ISC_PASSWORD=$db_password isql-fb -q -b "$(remote "$1")"
}

# gbak_error TEXT: the first line of gbak's or isql's complaint, without its prefix.
gbak_error() {
  local line
  line=$(grep -o 'ERROR:.*' <<<"$1" | head -n 1 | sed 's/^ERROR: *//')
  [ -n "$line" ] || line=$(grep -v -e '^gbak:Exiting' -e '^Statement failed' -e '^[[:space:]]*$' <<<"$1" | head -n 1)
  printf '%s\n' "$line"
}

fb_drop() {
  echo "DROP DATABASE;" | fb_isql "$1" >/dev/null 2>&1 || true
}

# The folder of the alias's database on the server, where scratch databases and kept copies go.
fb_folder() {
  case "$db_database" in
  */*) printf '%s\n' "${db_database%/*}" ;;
  *) die "the alias names the database $db_database by a server alias; these scripts need its path on the server; nothing was done" ;;
  esac
}

# fb_scratch ALIAS: sets scratch_name to a new database name on the server beside the alias's
# database, dropped on exit.
fb_scratch() {
  scratch_name="$db_folder/talvero-scratch-$(stem "$1")-$$-$(timestamp)-$RANDOM.fdb"
  scratch+=("$scratch_name")
}


# What every Firebird command needs before it starts.
fb_prepare() {
  if ! command -v gbak >/dev/null || ! command -v isql-fb >/dev/null; then
    die "the Firebird tools gbak and isql-fb are missing (Debian package firebird3.0-utils); nothing was done"
  fi
  db_folder=$(fb_folder) || exit 1
}

# firebird_check ALIAS FILE: prints why the gbak file FILE is not a sound backup of ALIAS, or nothing.
firebird_check() {
  local target out found missing
  fb_scratch "$1"
  target=$scratch_name
  if ! out=$(fb_tool gbak -c "$2" "$(remote "$target")" 2>&1); then
    fb_drop "$target"
    echo "gbak cannot restore it ($(gbak_error "$out"))"
    return 0
  fi
  if ! found=$(fb_isql "$target" 2>&1 <<'SQL'
SET HEADING OFF;
SELECT TRIM(RDB$RELATION_NAME) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL;
SELECT TRIM(RDB$PROCEDURE_NAME) FROM RDB$PROCEDURES WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0;
SQL
  ); then
    fb_drop "$target"
    echo "its trial restore cannot be read ($(gbak_error "$found"))"
    return 0
  fi
  fb_drop "$target"
  missing=$(comm -23 <(firebird_expected_objects "$(schema_file "$1" firebird)") \
    <(awk 'NF { print $1 }' <<<"$found" | sort))
  if [ -n "$missing" ]; then
    echo "it lacks the table(s) or procedure(s) $(echo "$missing" | tr '\n' ' ' | sed 's/ $//')"
  fi
}

# firebird_keep_replaced ALIAS: the server backs the database about to be replaced up beside it.
# Sets `kept` to that file, or empty when there was no database. A database another program has
# open is refused first, so no copy is left for a replacement that cannot happen.
firebird_keep_replaced() {
  local out name others
  if others=$(fb_isql "$db_database" 2>/dev/null <<'SQL'
SET HEADING OFF;
SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0;
SQL
  ) && [ "$(awk 'NF { print $1; exit }' <<<"$others")" != 0 ]; then
    die "$(remote "$db_database") is in use by another program; close it and try again (the database is unchanged)"
  fi
  name="$db_folder/$(stem "$1")-replaced-$(timestamp).fbk"
  if out=$(fb_tool gbak -b -se "$(remote service_mgr)" "$db_database" "$name" 2>&1); then
    kept=$name
    echo "Kept the replaced database as $name on $db_host"
    return 0
  fi
  if grep -q 'No such file or directory' <<<"$out"; then
    kept=
    echo "There was no database at $(remote "$db_database") to keep"
    return 0
  fi
  die "cannot back up $(remote "$db_database") before replacing it ($(gbak_error "$out")); the database is unchanged"
}

# firebird_replace ALIAS FILE: the gbak file FILE becomes the alias's database.
# gbak -rep replaces the database where it lies: the server alone can write there, so a restore into
# a new file swapped in by rename is not open to a client that may sit on another machine. gbak -rep
# refuses a database in use before it drops anything; should the restore fail after that, the copy
# kept just before is put back the same way, so a failure never leaves a half-written database.
firebird_replace() {
  local out again
  if out=$(fb_tool gbak -rep "$2" "$(remote "$db_database")" 2>&1); then
    return 0
  fi
  if grep -q 'could not drop database' <<<"$out"; then
    die "$(remote "$db_database") is in use by another program; close it and try again (the database is unchanged${kept:+; $kept stays})"
  fi
  if [ -z "$kept" ]; then
    fb_drop "$db_database"
    die "gbak could not write $(remote "$db_database") ($(gbak_error "$out")); there was no database before, and none is left"
  fi
  if again=$(fb_tool gbak -rep -se "$(remote service_mgr)" "$kept" "$db_database" 2>&1); then
    die "gbak could not write $(remote "$db_database") ($(gbak_error "$out")); the database was put back from $kept"
  fi
  die "gbak could not write $(remote "$db_database") ($(gbak_error "$out")), nor put back $kept ($(gbak_error "$again")); restore that file with gbak -rep"
}

firebird_run_backup() {
  fb_prepare
  local folder stage out problem dated latest
  folder=$(backups_folder)
  stage_name "$folder"
  out=$(fb_tool gbak -b "$(remote "$db_database")" "$stage" 2>&1) ||
    die "the backup of $(remote "$db_database") failed ($(gbak_error "$out")); earlier backups are unchanged"
  [ -s "$stage" ] || die "the backup of $(remote "$db_database") is empty; earlier backups are unchanged"
  problem=$(firebird_check "$1" "$stage")
  [ -z "$problem" ] || die "the backup of $(remote "$db_database") is unusable: $problem; earlier backups are unchanged"
  dated=$(unused_name "$folder" "$(stem "$1")" fbk)
  mv -- "$stage" "$dated"
  latest="$folder/$(stem "$1")-latest.fbk"
  stage_name "$folder"
  cp -- "$dated" "$stage"
  mv -f -- "$stage" "$latest"
  echo "Backed up $1 ($(remote "$db_database")) to $dated"
  echo "Restore reads $latest"
}

firebird_run_restore() {
  fb_prepare
  local source problem kept
  source=${2:-"$data_folder/backups/$(stem "$1")-latest.fbk"}
  [ -f "$source" ] || die "no backup to restore: $source does not exist; the database is unchanged"
  problem=$(firebird_check "$1" "$source")
  [ -z "$problem" ] || die "the backup $source is damaged: $problem; the database is unchanged"
  firebird_keep_replaced "$1"
  firebird_replace "$1" "$source"
  echo "Restored $1 ($(remote "$db_database")) from $source"
}

firebird_run_blank() {
  fb_prepare
  local blank out stage problem kept
  fb_scratch "$1"
  blank=$scratch_name
  out=$(echo "CREATE DATABASE '$(remote "$blank")' DEFAULT CHARACTER SET UTF8;" |
    ISC_USER=$db_user ISC_PASSWORD=$db_password isql-fb -q -b 2>&1) ||
    die "cannot create a blank database on $db_host ($(gbak_error "$out")); the database is unchanged"
  out=$(fb_isql "$blank" <"$(schema_file "$1" firebird)" 2>&1) ||
    die "cannot write the blank schema ($(gbak_error "$out")); the database is unchanged"
  stage_name "$(backups_folder)"
  out=$(fb_tool gbak -b "$(remote "$blank")" "$stage" 2>&1) ||
    die "cannot back up the blank database ($(gbak_error "$out")); the database is unchanged"
  fb_drop "$blank"
  problem=$(firebird_check "$1" "$stage")
  [ -z "$problem" ] || die "the blank database is unusable: $problem; the database is unchanged"
  firebird_keep_replaced "$1"
  firebird_replace "$1" "$stage"
  echo "Replaced $1 ($(remote "$db_database")) by a blank database"
}
