#!/usr/bin/env bash
# Sanitizer builds of the tests:
#   address;undefined  - every test that needs no GL context
#   thread             - the stress tests
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
common=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DHLV_BUILD_BENCHMARKS=OFF)

./scripts/build.sh build-asan "${common[@]}" "-DSANITIZE=address;undefined"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
   ctest --output-on-failure -j "$jobs" -LE gl)

./scripts/build.sh build-tsan "${common[@]}" -DSANITIZE=thread
(cd build-tsan && TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
   ctest --output-on-failure -j "$jobs" -L stress)
