#!/usr/bin/env bash
# A program started with no display (neither DISPLAY nor WAYLAND_DISPLAY set)
# and no Qt platform chosen ends at once, before any window, with exit code
# 0 and one line on stderr that says why and names its grower. Asked for
# Qt's offscreen platform, a program runs there with no display at all.
#
#   no_display_test.sh PROGRAM OFFSCREEN_PROGRAM
set -uo pipefail

program=$1
offscreen_program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "no-display test: $*" >&2
    exit 1
}

# A program that ran on would be ended by timeout(1) with 124.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$program" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status, not 0: $(cat "$work/err")"
[ ! -s "$work/out" ] || fail "it wrote to stdout: $(cat "$work/out")"
expected="$program: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set); $program-grower draws the planet's pictures without one"
[ "$(cat "$work/err")" = "$expected" ] || fail "stderr is not the one line '$expected': $(cat "$work/err")"
[ "$(wc -l <"$work/err")" -eq 1 ] || fail "stderr holds $(wc -l <"$work/err") lines"

env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen timeout 60 "$offscreen_program" \
    || fail "on the offscreen platform, as asked: exit status $?"
echo "no-display test: all passed"
