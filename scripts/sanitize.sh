#!/usr/bin/env bash
# Sanitizer builds of the tests:
#   address;undefined  - every test that needs no GL context
#   thread             - the stress tests
# Only the test programs that run are built (a test is named after its program).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)
# The address build has line tables only: enough for readable reports, quick
# to compile. It is unoptimised (instrumenting optimised code doubles its
# compile time). The thread build is optimised (-O2) for the speed of the stress tests
# and full debug information, whose inlined frames its suppressions match.
common=(-G Ninja -DCMAKE_BUILD_TYPE=None -DHLV_BUILD_BENCHMARKS=OFF)
asan_flags="-O0 -g1"
tsan_flags="-O2 -g"

# build_and_test <dir> <ctest label arguments...>
build_and_test() {
  local dir=$1; shift
  local targets
  targets=$(cd "$dir" && ctest -N "$@" | sed -n 's/^ *Test *#[0-9]*: *//p')
  if [ -z "$targets" ]; then echo "sanitize: no tests for $* in $dir"; return; fi
  # shellcheck disable=SC2086
  cmake --build "$dir" -j "$jobs" --target $targets
  (cd "$dir" && ctest --output-on-failure -j "$jobs" "$@")
}

echo "== sanitize: address;undefined"
cmake -S . -B build-asan "${common[@]}" "-DSANITIZE=address;undefined" \
  "-DCMAKE_CXX_FLAGS=$asan_flags" "-DCMAKE_C_FLAGS=$asan_flags"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 build_and_test build-asan -LE gl

echo "== sanitize: thread"
cmake -S . -B build-tsan "${common[@]}" -DSANITIZE=thread \
  "-DCMAKE_CXX_FLAGS=$tsan_flags" "-DCMAKE_C_FLAGS=$tsan_flags"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$PWD/scripts/tsan-tbb.supp" \
  build_and_test build-tsan -L stress
