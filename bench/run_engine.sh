#!/usr/bin/env bash
# Builds an optimised engine benchmark and prints its table.
# Usage: bench/run_engine.sh [max intensity]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DRECTIX_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target bench_engine >/dev/null
exec build-bench/bench_engine "$@"
