#!/usr/bin/env bash
# Builds morva500 and opens it on the user's display. With no display, grows
# a planet with the grower instead and writes the program's window, as it
# would paint it, to planet.png in the current directory.
set -euo pipefail
start_dir=$(pwd)
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target morva500 morva500-grower >/dev/null

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
    exec build/bin/morva500 "$@"
fi

echo "No display to open a window on (neither DISPLAY nor WAYLAND_DISPLAY is set); growing the planet headless instead."
build/bin/morva500-grower --view window --size 1440x780 --image "$start_dir/planet.png" --quiet "$@" >/dev/null
echo "The window's picture is in $start_dir/planet.png"
