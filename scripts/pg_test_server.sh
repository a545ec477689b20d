#!/usr/bin/env bash
# A throwaway PostgreSQL server for the journal's tests and benchmarks: Debian's server binaries, initdb and
# pg_ctl as an unprivileged user (PostgreSQL refuses root) in a temporary folder, listening on a Unix socket
# in that folder only. STATE is a file that holds the folder while the server exists.
#   pg_test_server.sh start STATE    a new server (one left by an earlier run under STATE is removed first)
#   pg_test_server.sh pause STATE    stop it, keeping its data;   resume STATE: start it again
#   pg_test_server.sh stop STATE     stop it and remove its folder
#   pg_test_server.sh conninfo STATE the libpq connection string of its superuser
set -euo pipefail
command=${1:?start, pause, resume, stop or conninfo}
state=${2:?the state file}
bindir=$(pg_config --bindir 2>/dev/null || true)
[ -x "$bindir/initdb" ] || bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)

# As the unprivileged user when run as root: Debian's postgres account, else nobody.
as_server_user() {
  if [ "$(id -u)" -ne 0 ]; then "$@"; return; fi
  local user=postgres
  id -u "$user" >/dev/null 2>&1 || user=nobody
  runuser -u "$user" -- "$@"
}

folder() { [ -f "$state" ] && cat "$state" || true; }

pg_ctl_in() {
  local dir=$1; shift
  as_server_user "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" "$@"
}

start_in() {
  pg_ctl_in "$1" -w -t 60 -o "-c listen_addresses='' -c unix_socket_directories='$1' -c max_connections=40 \
-c shared_buffers=32MB" start >/dev/null || { cat "$1/server.log" >&2; return 1; }
}

case "$command" in
start)
  "$0" stop "$state"
  dir=$(mktemp -d /tmp/dalvex-pg.XXXXXX)
  if [ "$(id -u)" -eq 0 ]; then
    id -u postgres >/dev/null 2>&1 && chown postgres "$dir" || chown nobody "$dir"
  fi
  chmod 700 "$dir"
  echo "$dir" >"$state"
  as_server_user "$bindir/initdb" -D "$dir/data" -U dalvex_admin --auth=trust -E UTF8 --locale=C --no-sync \
    >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
  start_in "$dir"
  ;;
pause)
  dir=$(folder); [ -n "$dir" ] && pg_ctl_in "$dir" -w -m fast stop >/dev/null
  ;;
resume)
  dir=$(folder); [ -n "$dir" ] && start_in "$dir"
  ;;
stop)
  dir=$(folder)
  if [ -n "$dir" ] && [ -d "$dir" ]; then
    [ -f "$dir/data/postmaster.pid" ] && pg_ctl_in "$dir" -w -m immediate stop >/dev/null 2>&1 || true
    rm -rf "$dir"
  fi
  rm -f "$state"
  ;;
conninfo)
  echo "host=$(folder) user=dalvex_admin dbname=postgres"
  ;;
*)
  echo "unknown command $command" >&2; exit 2
  ;;
esac
