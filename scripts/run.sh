#!/usr/bin/env bash
# Builds the programs and grows a planet with morva500.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
exec build/bin/morva500-export "$@"
