#!/usr/bin/env bash
# Builds and runs the whole test suite three times: an optimised build, one
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the Windows
# build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)

run_suite() {
    local dir=$1
    shift
    echo "== $dir: configure and build"
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
    echo "== $dir: test"
    (cd "$dir" && ctest -j "$jobs" --output-on-failure --timeout 600)
}

run_suite build
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-sanitize -DMORVA_SANITIZE=ON -DMORVA_BUILD_BENCHMARKS=OFF

# The Windows build: cross-compiled with MinGW-w64, its suite run under Wine.
bash scripts/test-windows.sh
