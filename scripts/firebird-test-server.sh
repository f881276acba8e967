#!/usr/bin/env bash
# A private Firebird 3 server for the tests, sourced by scripts/test.sh: its own root folder (config,
# security database with a fresh random SYSDBA password), bound to 127.0.0.1 on its own port, its own
# lock folder, so it never touches a Firebird server the machine runs. The functions export what the
# contract and load tests read: TALVERO_FIREBIRD_HOST/PORT/USER/PASSWORD/DIR.

fb_lib=/usr/lib/x86_64-linux-gnu/firebird/3.0
[ -d "$fb_lib" ] || fb_lib=$(dirname "$(dpkg -L firebird3.0-server-core 2>/dev/null | grep '/plugins/libEngine12.so$' | head -1)" 2>/dev/null)/..

# Needs the server package and read access to its security database (root, or the firebird group).
fb_available() {
  [ -x /usr/sbin/firebird ] && command -v isql-fb >/dev/null && [ -f "$fb_lib/plugins/libEngine12.so" ] &&
    [ -r /var/lib/firebird/3.0/system/security3.fdb ]
}

# fb_start FOLDER: starts the server with its files in FOLDER; returns non-zero when it does not come up.
fb_start() {
  local dir=$1 root=$1/root password f try
  mkdir -p "$root" "$dir/lock" "$dir/databases"
  for f in UDF firebird.msg intl lib plugins plugins.conf fbtrace.conf; do
    ln -sfn "$fb_lib/$f" "$root/$f"
  done
  cat > "$root/databases.conf" <<CONF
security.db = $root/security3.fdb
{
	RemoteAccess = false
}
CONF
  fb_configure "$root"
  cp /var/lib/firebird/3.0/system/security3.fdb "$root/security3.fdb" || return 1
  chmod 600 "$root/security3.fdb"
  password=$(head -c 18 /dev/urandom | base64 | tr -dc 'A-Za-z0-9' | head -c 20)
  # Embedded access to the private security database sets the new password.
  echo "create or alter user SYSDBA password '$password';" |
    FIREBIRD=$root FIREBIRD_LOCK=$dir/lock isql-fb -q -b -user SYSDBA "$root/security3.fdb" || return 1
  (umask 077 && printf '%s\n' "$password" > "$dir/password")
  # A port someone holds makes the server wait silently for it (about 40 s) before it gives up, so a
  # server that does not answer soon is stopped and started again on another port.
  for try in 1 2 3; do
    [ "$try" = 1 ] || fb_configure "$root"
    fb_run "$dir" 75 && return 0
    fb_stop
  done
  return 1
}

# fb_configure ROOT: writes the server's configuration for a free port below the kernel's range of
# outgoing ports, so no client connection of the tests can hold it.
fb_configure() {
  local root=$1 port
  while :; do
    port=$((20000 + RANDOM % 12000))
    (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null || break
  done
  cat > "$root/firebird.conf" <<CONF
RemoteBindAddress = 127.0.0.1
RemoteServicePort = $port
SecurityDatabase = $root/security3.fdb
IpcName = talvero_test_$port
UdfAccess = None
CONF
}

# fb_run FOLDER [TRIES]: (re)starts the server fb_start set up in FOLDER and waits until it answers,
# TRIES times a fifth of a second and the check's own time (150 unless given).
fb_run() {
  local dir=$1 tries=${2:-150} root=$1/root port password out
  port=$(sed -n 's/^RemoteServicePort = //p' "$root/firebird.conf")
  password=$(cat "$dir/password")
  FIREBIRD=$root FIREBIRD_LOCK=$dir/lock /usr/sbin/firebird </dev/null >>"$dir/server.log" 2>&1 &
  fb_pid=$!
  export TALVERO_FIREBIRD_HOST=127.0.0.1 TALVERO_FIREBIRD_PORT=$port TALVERO_FIREBIRD_USER=SYSDBA
  export TALVERO_FIREBIRD_PASSWORD=$password TALVERO_FIREBIRD_DIR=$dir/databases
  for _ in $(seq 1 "$tries"); do
    # Any answer but a refused connection (here: no such database) means the server listens.
    out=$(echo "select 1 from rdb\$database;" | ISC_USER=SYSDBA ISC_PASSWORD=$password \
            isql-fb -q -b "127.0.0.1/$port:$dir/databases/none.fdb" 2>&1)
    if ! grep -q 'Unable to complete network request' <<<"$out"; then
      return 0
    fi
    kill -0 "$fb_pid" 2>/dev/null || break
    sleep 0.2
  done
  echo "The Firebird test server did not answer on port $port:" >&2
  cat "$dir/server.log" "$root/firebird.log" 2>/dev/null >&2
  return 1
}

# Stops the server started by fb_start (only that process).
fb_stop() {
  if [ -n "${fb_pid:-}" ] && kill -0 "$fb_pid" 2>/dev/null; then
    kill "$fb_pid" 2>/dev/null || true
    # The server may linger over its shutdown; the test databases go away with it anyway.
    for _ in $(seq 1 50); do
      kill -0 "$fb_pid" 2>/dev/null || break
      sleep 0.2
    done
    kill -KILL "$fb_pid" 2>/dev/null || true
    wait "$fb_pid" 2>/dev/null || true
  fi
  fb_pid=
}

# Run as a command (for tests that stop and restart a server of their own):
#   firebird-test-server.sh start FOLDER    prints the port, the server's process id, the password
#   firebird-test-server.sh restart FOLDER  prints the new process id
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    start) fb_start "$2" >&2 && printf '%s\n%s\n%s\n' "$TALVERO_FIREBIRD_PORT" "$fb_pid" "$TALVERO_FIREBIRD_PASSWORD" ;;
    restart) fb_run "$2" >&2 && printf '%s\n' "$fb_pid" ;;
    *) echo "usage: $0 start|restart FOLDER" >&2; exit 2 ;;
  esac
fi
