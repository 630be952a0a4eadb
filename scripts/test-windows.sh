#!/usr/bin/env bash
# Cross-builds the Windows programs and the test suite with MinGW-w64 (the
# `windows` preset, in build-windows/) and runs the suite under Wine, on a
# virtual X display of 1920x1080 (the size our own GDI assumes headless), so
# the programs' windows can be opened and driven as well.
set -euo pipefail
cd "$(dirname "$0")/.."

prefix=$PWD/build-windows/wine-prefix
wine_run=$PWD/cmake/wine-run.sh

stop_wine_server() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}

if [ "${1:-}" = "--on-display" ]; then
    echo "== build-windows: prepare the Wine prefix"
    # Creates the prefix on first use (about ten seconds) and starts the Wine
    # server the tests share, on this display; stopped when done.
    stop_wine_server
    trap stop_wine_server EXIT
    "$wine_run" "$prefix" cmd /c exit 0 >/dev/null 2>&1 || true

    echo "== build-windows: test under Wine"
    # Now and then Wine fails to start a program at all (no output, exit in
    # milliseconds); such a test gets one more run. A test that fails twice
    # fails the stage.
    ctest --preset windows --repeat until-pass:2
    exit
fi

jobs=$(nproc 2>/dev/null || echo 2)
[ "$jobs" -le 2 ] || jobs=2

echo "== build-win-native: the GDI parity programs on our GDI, and the Linux grower"
cmake -S . -B build-win-native -DCMAKE_BUILD_TYPE=Release -DMORVA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-win-native -j "$jobs" --target morva_gdi_parity_75 morva_gdi_parity_200 morva75-grower

echo "== build-windows: configure and build"
cmake --preset windows -DMORVA_NATIVE_PARITY_DIR="$PWD/build-win-native/bin" >/dev/null
cmake --build --preset windows

exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" --on-display
