#!/usr/bin/env bash
# Installs, builds and runs every test: the normal build, then the sanitizer build.
# Database tests run on SQLite always and on a throwaway PostgreSQL server started here.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

pgdir=$(mktemp -d /tmp/zel-pg.XXXXXX)
trap 'bash scripts/pg-test-cluster.sh stop "$pgdir"' EXIT
if ZEL_TEST_PG=$(bash scripts/pg-test-cluster.sh start "$pgdir"); then
  export ZEL_TEST_PG
  echo "Database back-ends: SQLite, PostgreSQL ($(echo "$ZEL_TEST_PG" | sed 's/PWD=[^;]*/PWD=***/'))"
else
  echo "Database back-ends: SQLite only (the PostgreSQL test server did not start)" >&2
  exit 1
fi

# Tests must not touch the user's own configuration or data.
testhome=$(mktemp -d /tmp/zel-home.XXXXXX)
export XDG_CONFIG_HOME="$testhome/config" XDG_DATA_HOME="$testhome/data"
unset ZEL_INI

for preset in default asan; do
  echo "=== build: $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "=== tests: $preset"
  ctest --preset "$preset" -E EndToEnd
  # The whole event through the frame, on both back-ends: its located hypocentre and magnitude
  # against the demo's truth are part of the run's output.
  echo "=== end-to-end: $preset"
  e2elog="$testhome/end-to-end-$preset.log"
  if ctest --preset "$preset" -R EndToEnd -V >"$e2elog" 2>&1; then
    grep -E 'end-to-end \(|tests passed' "$e2elog"
  else
    cat "$e2elog"
    exit 1
  fi
done
echo "=== fuzzing: every reader of outside input (bounded)"
fuzzlog=$(mktemp /tmp/zel-fuzz-log.XXXXXX)
bash scripts/fuzz.sh | tee "$fuzzlog"
echo "Database back-ends that ran: SQLite, PostgreSQL"
sed -n '/^Fuzz targets and run counts:/,$p' "$fuzzlog"
rm -f "$fuzzlog"
