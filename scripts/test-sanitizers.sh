#!/usr/bin/env bash
# Builds the core and command-line tests and the fuzz targets' seed replays with AddressSanitizer
# and UndefinedBehaviorSanitizer into build-asan/ and runs them. Any report ends its test with a
# failure, undefined behaviour included. A plain build without ccache, as on a machine without one.
set -euo pipefail
cd "$(dirname "$0")/.."

sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE= -DVANTOR_WERROR=ON \
  -DVANTOR_BUILD_APP=OFF -DVANTOR_BUILD_BENCH=OFF -DVANTOR_STATIC_CLI=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -g1 $sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" >/dev/null
# Without the desktop program and the benchmarks, everything built is a test or what one runs.
cmake --build build-asan

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1
ctest --test-dir build-asan --output-on-failure -j2
