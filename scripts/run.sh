#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/rectix ]; then
  exec build/rectix "$@"
fi
# Until the windows exist: solve the sample task and print its plan.
exec build/rectix-solve tests/data/tasks/sample.json
