#!/usr/bin/env bash
# Installs every Debian package ZEL needs to build, run and test.
# Idempotent: packages already present are left alone; `apt-get update` runs once per call.
set -euo pipefail

packages=(
  # toolchain and build
  build-essential cmake ninja-build ccache pkg-config
  # GUI
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n qt6-l10n-tools libgl-dev fonts-dejavu-core
  # databases: driver manager, SQLite and PostgreSQL drivers, a server for the tests
  unixodbc unixodbc-dev odbcinst libsqliteodbc odbc-postgresql postgresql sqlite3
  # MiniSEED archives (libmseed 2.x), StationXML and QuakeML (pugixml); xmllint checks QuakeML in the tests
  libmseed-dev libpugixml-dev libxml2-utils
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the side-by-side references of the benchmarks (bench/compare/) and profiling
  python3-numpy python3-scipy linux-perf valgrind
  # the strict HTML checker the report tests run
  tidy
  # the libFuzzer harnesses (scripts/fuzz-formula.sh)
  clang libclang-rt-14-dev
  # map data: GSHHS coastlines and Natural Earth relief (shapelib), GSHHG shorelines, lakes, rivers
  # and borders at four resolutions (netCDF), converted at build time
  python-cartopy-data libshp-dev libnetcdf-dev gmt-gshhg-low gmt-gshhg-high
  # headless GUI runs and screenshots
  xvfb xauth
  # a comma-decimal locale for the locale-independence tests
  locales
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# ru_RU.UTF-8 writes numbers with a decimal comma; tests run under it to prove we never depend on it.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  $SUDO sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen || echo 'ru_RU.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
