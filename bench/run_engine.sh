#!/usr/bin/env bash
# Builds an optimised engine benchmark and prints its table: fills, time, fill
# rate, peak memory and score per task at Intensity 3, 10 and 20, then the stop
# case (a 5 s limit and an Esc). With RECTIX_BENCH_REFERENCE naming the
# bench_engine of another build, that build's table is printed first.
# Usage: bench/run_engine.sh [max intensity] [task]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DRECTIX_TESTS=OFF >/dev/null
cmake --build build-bench -j4 --target bench_engine >/dev/null
if [[ -n "${RECTIX_BENCH_REFERENCE:-}" ]]; then
  echo "reference: $RECTIX_BENCH_REFERENCE"
  "$RECTIX_BENCH_REFERENCE" "$@"
  echo "this build:"
fi
exec build-bench/bench_engine "$@"
