#!/usr/bin/env bash
# Installs, builds and starts ZEL on its embedded default (SQLite working database in the user's data folder).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target zel zelbatch
exec build/default/src/zel "$@"
