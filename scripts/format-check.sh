#!/usr/bin/env bash
# Fails when clang-format would change any C++ file of the tree.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.h' '*.cpp' | xargs clang-format --dry-run -Werror
