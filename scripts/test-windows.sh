#!/usr/bin/env bash
# Cross-builds the Windows programs and the test suite with MinGW-w64 (the
# `windows` preset, in build-windows/) and runs the suite under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

echo "== build-windows: configure and build"
cmake --preset windows >/dev/null
cmake --build --preset windows

prefix=$PWD/build-windows/wine-prefix
wine_run=$PWD/cmake/wine-run.sh

echo "== build-windows: prepare the Wine prefix"
# Creates the prefix on first use (about ten seconds) and starts the Wine
# server that the tests share; stop that server when done.
"$wine_run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true
trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null || true' EXIT

echo "== build-windows: test under Wine"
ctest --preset windows
