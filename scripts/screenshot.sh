#!/usr/bin/env bash
# Starts `zel` under a virtual X server with a fresh user (no configuration: the embedded default),
# waits for it to come up (ZEL_SHOT_DELAY seconds, default 20: a first start builds the demo disk
# loop), and saves the whole screen as a PNG.
#   scripts/screenshot.sh OUT.png [BUILD_DIR] [zel arguments...]
set -euo pipefail
out=$(realpath -m "$1")
build=${2:-build/default}
shift $(( $# >= 2 ? 2 : 1 ))
cd "$(dirname "$0")/.."
home=$(mktemp -d /tmp/zel-shot.XXXXXX)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset ZEL_INI QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 1280x960x24" bash -c '
  "$0/src/zel" "${@:2}" & pid=$!
  sleep "${ZEL_SHOT_DELAY:-20}"  # a first start builds the demo disk loop first
  "$0/tools/screengrab/zel_screengrab" "$1"; rc=$?
  kill $pid 2>/dev/null; wait $pid 2>/dev/null
  exit $rc' "$build" "$out" "$@"
echo "screenshot: $out"
