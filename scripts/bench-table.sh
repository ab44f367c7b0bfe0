#!/usr/bin/env bash
# Builds the benchmarks the comparison table needs and prints the table: ZEL against NumPy, SciPy,
# a plain pread, the drawing budget and zelbatch's memory, medians of interleaved runs (bench/compare/zel_table.py).
# Usage: scripts/bench-table.sh [REPEATS]   (default 5; the default preset's build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
[ -d build/default ] || cmake --preset default >/dev/null
cmake --build --preset default -j2 --target StaLta_bench LoadSegments_bench Fk_bench Butterworth_bench \
  PaneDrawing_bench Formula_bench PaneFilters_bench zelbatch >/dev/null
exec /usr/bin/python3 bench/compare/zel_table.py build/default --repeats "${1:-5}"
