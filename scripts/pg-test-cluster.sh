#!/usr/bin/env bash
# A throwaway PostgreSQL cluster on loopback for the database tests.
#   pg-test-cluster.sh start DIR   -> prints the ODBC connect string on stdout
#   pg-test-cluster.sh stop DIR
set -euo pipefail
cmd=$1
dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
as_pg() { if [ "$(id -u)" -eq 0 ]; then su postgres -s /bin/bash -c "$*"; else bash -c "$*"; fi; }

case "$cmd" in
start)
  mkdir -p "$dir"
  [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
  as_pg "$bindir/initdb -D '$dir/data' -A trust -U postgres -E UTF8 --locale=C.UTF-8" >"$dir/initdb.log" 2>&1
  # A port that is taken makes the server fail at once: try a few random ones.
  started=""
  for _ in 1 2 3 4 5 6 7 8; do
    port=$((20000 + RANDOM % 40000))
    if as_pg "$bindir/pg_ctl -D '$dir/data' -l '$dir/server.log' -w -t 30 -o \"-p $port -k '$dir' -c listen_addresses=127.0.0.1 -c fsync=off\" start" >/dev/null 2>&1; then
      started=1; break
    fi
  done
  [ -n "$started" ] || { cat "$dir/server.log" >&2; exit 1; }
  as_pg "$bindir/psql -h 127.0.0.1 -p $port -U postgres -q -c \"CREATE ROLE zel LOGIN SUPERUSER PASSWORD 'zel'\"" >/dev/null
  as_pg "$bindir/psql -h 127.0.0.1 -p $port -U postgres -q -c 'CREATE DATABASE zeltest OWNER zel'" >/dev/null
  echo "Driver={PostgreSQL Unicode};Server=127.0.0.1;Port=$port;Database=zeltest;UID=zel;PWD=zel;"
  ;;
stop)
  [ -d "$dir/data" ] && as_pg "$bindir/pg_ctl -D '$dir/data' -m immediate stop" >/dev/null 2>&1 || true
  rm -rf "$dir"
  ;;
*) echo "usage: $0 start|stop DIR" >&2; exit 2 ;;
esac
