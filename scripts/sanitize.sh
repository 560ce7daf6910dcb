#!/usr/bin/env bash
# Sanitizer builds of the tests:
#   address;undefined  - every test that needs no GL context
#   thread             - the stress tests
# and, when clang with libFuzzer is installed, a short run of the libFuzzer
# targets of the keyframe and image loaders (address;undefined, build-fuzz).
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

echo "== fuzz: keyframe and image loaders, 30 s each"
fuzz_probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if command -v clang++ >/dev/null &&
   echo "$fuzz_probe" | clang++ -x c++ -fsanitize=fuzzer,address - -o /dev/null 2>/dev/null; then
  fuzz_flags="-O1 -g1"
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=None -DHLV_BUILD_TESTS=OFF \
    -DHLV_BUILD_BENCHMARKS=OFF -DHLV_BUILD_FUZZERS=ON "-DSANITIZE=address;undefined" \
    "-DCMAKE_CXX_FLAGS=$fuzz_flags" "-DCMAKE_C_FLAGS=$fuzz_flags"
  cmake --build build-fuzz -j "$jobs" --target hlv_io_keyframe_loader_fuzzer hlv_io_image_loader_fuzzer
  # Seeds: two of the demo's keyframe files; small PNG and JPEG files of
  # each layout, made here. The corpora grow across runs.
  fuzz_dir=build-fuzz/fuzz-data
  mkdir -p "$fuzz_dir"/keyframe-seeds "$fuzz_dir"/image-seeds "$fuzz_dir"/keyframe-corpus "$fuzz_dir"/image-corpus
  cp demo/tidal_knots/LocalData/Keyframes/keyframe_sequence_firstfade.xml \
     demo/tidal_knots/LocalData/Keyframes/*/main_camera_position.xml "$fuzz_dir"/keyframe-seeds/
  seeds="$fuzz_dir"/image-seeds
  convert -size 8x6 gradient:red-blue "$seeds"/rgb.png
  convert -size 8x6 gradient:red-blue -alpha set -channel A -evaluate set 50% "$seeds"/rgba.png
  convert -size 8x6 gradient: -colors 5 PNG8:"$seeds"/palette.png
  convert -size 8x6 gradient: -depth 16 "$seeds"/grey16.png
  convert -size 6x5 gradient:red-blue -depth 16 "$seeds"/rgb16.png
  convert -size 9x7 gradient:red-blue -quality 80 "$seeds"/rgb.jpg
  convert -size 9x7 gradient: -colorspace Gray "$seeds"/grey.jpg
  convert -size 17x9 gradient:red-blue -interlace Plane "$seeds"/progressive.jpg
  fuzzers=build-fuzz/engine/halvo_io/fuzz
  # An image may take up to 512 MiB twice over (the decoded bitmap and the
  # image) within the size limits.
  export TMPDIR=/dev/shm ASAN_OPTIONS="detect_leaks=1 quarantine_size_mb=64" UBSAN_OPTIONS=print_stacktrace=1
  "$fuzzers"/hlv_io_keyframe_loader_fuzzer -max_total_time=30 -max_len=32768 -timeout=10 -rss_limit_mb=2048 \
    -dict=engine/halvo_io/fuzz/keyframe.dict -artifact_prefix=build-fuzz/keyframe- \
    "$fuzz_dir"/keyframe-corpus "$fuzz_dir"/keyframe-seeds
  "$fuzzers"/hlv_io_image_loader_fuzzer -max_total_time=30 -timeout=10 -rss_limit_mb=3072 \
    -artifact_prefix=build-fuzz/image- "$fuzz_dir"/image-corpus "$seeds"
else
  echo "sanitize: clang++ with libFuzzer not found; fuzzers skipped"
fi
