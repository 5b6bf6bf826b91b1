#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DRECTIX_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)"
cd build && ctest --output-on-failure -j "$(nproc)"
