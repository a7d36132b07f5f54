#!/usr/bin/env bash
# Installs what is missing, cross-builds the core, the command-line tool and their tests for
# 64-bit Windows into build-windows/ and runs the tests under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix wine64 googletest libcli11-dev

cmake -S . -B build-windows -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOR_WERROR=ON -DVANTOR_BUILD_APP=OFF -DVANTOR_BUILD_BENCH=OFF >/dev/null

# A Wine folder of its own, without the .NET and browser add-ons it would offer to download.
export WINEPREFIX="$PWD/build-windows/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# One server for the whole run, started before the build lists the tests: without it every test
# start pays for a new one.
wineserver=/usr/lib/wine/wineserver
mkdir -p "$WINEPREFIX"
# (It fails when one runs already for this folder, which serves as well.)
"$wineserver" -p </dev/null >/dev/null 2>&1 || true
trap '"$wineserver" -k' EXIT
# Wine's own services start with the first program and live as long as the server: started here,
# with their output going nowhere, they cannot hold on to the output of a test being listed.
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1

cmake --build build-windows
ctest --test-dir build-windows --output-on-failure -j2
