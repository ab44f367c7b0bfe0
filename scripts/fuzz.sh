#!/usr/bin/env bash
# Fuzzes every reader of outside input (tests/fuzz/*_fuzz.cpp) for a bounded time with libFuzzer
# under AddressSanitizer and UndefinedBehaviorSanitizer. Builds all targets once, then runs each
# for an equal share of the budget and prints one line per target. Exits non-zero on a crash, a
# hang, a leak, an allocation beyond the limit or a sanitizer report; the input that caused it is
# left in <build>/artifacts/ and the fuzzer's log beside it.
# Usage: scripts/fuzz.sh [total-seconds] [target ...]
#   total-seconds  the whole budget, shared equally (default 15 s per target)
#   target         run only these (names as in tests/fuzz, e.g. wfdisc_fuzz)
# ZEL_FUZZ_BUILD names the build directory (default build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang++ >/dev/null; then
  echo "clang++ is missing: run scripts/install-deps.sh" >&2
  exit 1
fi

build=${ZEL_FUZZ_BUILD:-build/fuzz}
budget=${1:-}
shift || true

if (($#)); then
  targets=("$@")
else
  targets=()
  for source in tests/fuzz/*_fuzz.cpp; do
    name=$(basename "$source" .cpp)
    targets+=("$name")
  done
fi
for name in "${targets[@]}"; do
  [[ -f tests/fuzz/$name.cpp ]] || { echo "no fuzz target $name" >&2; exit 1; }
done
budget=${budget:-$((15 * ${#targets[@]}))}
seconds=$((budget / ${#targets[@]}))
((seconds >= 1)) || seconds=1

# Seeds from the test data and the shipped resources, besides each target's own corpus folder.
declare -A seeds=(
  [wfdisc_fuzz]="tests/data/css/test_css.wfdisc"
  [curve_fuzz]="tests/data/traveltimes/spline_gaps resources/traveltimes/iasp91/phaselist"
  [magnitude_calibration_fuzz]="resources/magnitudes/ML_def.txt resources/magnitudes/ML_HuttonBoore1987.txt
    resources/magnitudes/mb_GR1956_shallow_DS31.tab resources/magnitudes/IASPEI_2013_standard.txt"
  [response_fuzz]="tests/data/response/NZCRLZ_HHZ10.pz tests/data/response/SAC_PZs_NZ_CRLZ_HHZ"
  [ims_bulletin_fuzz]="tests/data/bulletins/ipe202409sel_ims.txt"
)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DZEL_SANITIZE=ON -DZEL_FUZZ_INSTRUMENT=ON -DZEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

work=$(mktemp -d /tmp/zel-fuzz.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"
summary=()
failed=0
for name in "${targets[@]}"; do
  # Work on a copy of the seeds so that a run never changes the sources.
  corpus="$work/$name"
  mkdir -p "$corpus"
  own="tests/fuzz/${name%_fuzz}_corpus"
  if [[ -d $own ]]; then cp -r "$own"/. "$corpus"/; fi
  for seed in ${seeds[$name]:-}; do cp "$seed" "$corpus/"; done
  options=(-max_total_time="$seconds" -max_len=8192 -timeout=25 -rss_limit_mb=2048
           -artifact_prefix="$build/artifacts/$name-" -print_final_stats=1)
  dict="tests/fuzz/${name%_fuzz}.dict"
  if [[ -f $dict ]]; then options+=(-dict="$dict"); fi
  log="$build/artifacts/$name.log"
  start=$(date +%s)
  status=0
  # The targets' scratch files go below the work folder, so even a crashed run leaves none behind.
  TMPDIR="$work" "$build/tests/fuzz/$name" "$corpus" "${options[@]}" >"$log" 2>&1 || status=$?
  elapsed=$(($(date +%s) - start))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  # A sanitizer that only warns still counts: nothing may be reported at all.
  if ((status != 0)) || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$log"; then
    echo "fuzz $name: FAILED after ${runs:-?} runs, $elapsed s (log: $log)"
    grep -E 'ERROR:|runtime error:|SUMMARY:|^ +#[0-9]+ |Test unit written' "$log" | head -n 30 >&2 ||
      tail -n 30 "$log" >&2
    summary+=("  $name: FAILED")
    failed=1
  else
    echo "fuzz $name: ${runs:-0} runs, $elapsed s, no crash"
    summary+=("  $name: ${runs:-0} runs")
  fi
done

echo "Fuzz targets and run counts:"
printf '%s\n' "${summary[@]}"
exit $failed
