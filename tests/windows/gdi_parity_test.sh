#!/usr/bin/env bash
# Draws the parity pictures with our GDI (native program) and with real GDI
# (the Windows program under Wine), then compares every pixel.
#   gdi_parity_test.sh WINE_RUN PREFIX PROGRAM.exe NATIVE_PROGRAM WORK_DIR
set -euo pipefail

wine_run=$1
prefix=$2
windows_program=$3
native_program=$4
work=$5

if [ ! -x "$native_program" ]; then
    echo "FAILED: no native parity program at $native_program (build it in the native build)"
    exit 1
fi
mkdir -p "$work"
rm -f "$work/ours.bin" "$work/real.bin"
"$native_program" --draw "$work/ours.bin"
"$wine_run" "$prefix" "$windows_program" --draw "$work/real.bin"
"$native_program" --compare "$work/ours.bin" "$work/real.bin"
