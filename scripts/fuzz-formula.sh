#!/usr/bin/env bash
# Fuzzes the formula interpreter for a bounded time with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer. Exits non-zero on a crash, a hang, a leak or a sanitizer report;
# the input that caused it is left in build/fuzz/artifacts/.
# Usage: scripts/fuzz-formula.sh [seconds]     (default 60)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: run scripts/install-deps.sh" >&2
  exit 1
fi

build=build/fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZEL_SANITIZE=ON -DZEL_FUZZ_INSTRUMENT=ON -DZEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target formula_fuzz

# Work on a copy of the seed corpus so that a run never changes the sources.
corpus=$(mktemp -d /tmp/zel-fuzz-formula.XXXXXX)
trap 'rm -rf "$corpus"' EXIT
cp tests/fuzz/formula_corpus/* "$corpus"/
mkdir -p "$build/artifacts"
"$build/tests/fuzz/formula_fuzz" "$corpus" \
  -dict=tests/fuzz/formula.dict -max_total_time="$seconds" -max_len=1024 -timeout=30 \
  -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/" -print_final_stats=1
