#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang 14 and runs each for SECONDS (default 60),
# starting from its seeds in fuzz/seeds/<target>/ when there are any. Fails on a crash, a hang,
# a leak or a sanitizer report; the input that caused it is left in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang-14 CXX=clang++-14 cmake -S fuzz -B build-fuzz >/dev/null
cmake --build build-fuzz -j 4
for target in build-fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds=("fuzz/seeds/$name")
  echo "== $name for ${seconds}s"
  (cd build-fuzz && "./$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     "corpus/$name" "${seeds[@]/#/../}")
done
