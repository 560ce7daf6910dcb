#!/usr/bin/env bash
# Configures and builds one build tree.
#   scripts/build.sh [build-dir] [extra cmake arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
jobs=$(nproc 2>/dev/null || echo 2)
cmake -S . -B "$dir" -G Ninja "$@"
cmake --build "$dir" -j "$jobs"
