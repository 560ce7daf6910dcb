#!/usr/bin/env bash
# Sets up the machine, builds in Release and runs the program.
# Until the demo executable exists this runs the test program of the newest
# layer, so what runs is always real.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
./scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
exec ./build/engine/halvo_core/tests/hlv_core_test "$@"
