#!/usr/bin/env bash
# Sets up the machine, builds in Release and runs the whole test suite.
# GL tests start their own Xvfb server.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
jobs=$(nproc 2>/dev/null || echo 2)
cd build && ctest --output-on-failure -j "$jobs" "$@"
