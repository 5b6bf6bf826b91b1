#!/usr/bin/env bash
# Installs what is missing, builds the program and its data folders, and starts it.
# The tests and benchmarks are built by scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target rectix rectix-data
exec build/rectix "$@"
