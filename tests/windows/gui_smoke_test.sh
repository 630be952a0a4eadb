#!/usr/bin/env bash
# morva75.exe as a person meets it, under Wine on an X display: it opens its
# window titled "Morva", grows the planet on screen, and ends with exit code
# 0 when closed through its menu (Alt+F, X: File, Exit).
#   gui_smoke_test.sh WINE_RUN PREFIX PROGRAM.exe
# Exit code 77 (skipped) without an X display or xdotool.
set -uo pipefail

wine_run=$1
prefix=$2
program=$3

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null || ! command -v xwd >/dev/null; then
    echo "skipped: needs an X display (xvfb-run), xdotool and xwd"
    exit 77
fi

fail() {
    echo "FAILED: $*"
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

"$wine_run" "$prefix" "$program" &
pid=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Morva$' | head -n 1)
[ -n "$window" ] || fail "no visible window titled \"Morva\" within 60 s"
echo "window $window: \"$(xdotool getwindowname "$window")\""

# The window shows the planet growing: its picture keeps changing while the
# timer runs its batches (the status line counts the passes, the map is
# re-rendered after every batch).
snapshot() { xwd -silent -id "$window" | md5sum; }
first=$(snapshot)
changed=0
for _ in $(seq 1 20); do
    sleep 0.5
    if [ "$(snapshot)" != "$first" ]; then
        changed=1
        break
    fi
done
[ "$changed" = 1 ] || fail "the window's picture did not change in 10 s: no growth shown"
echo "the picture changes: the planet grows"

# Close it through the menu: Alt+F opens File, X chooses Exit.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.5
xdotool key --clearmodifiers alt+f
sleep 1
xdotool key x

for _ in $(seq 1 60); do
    if ! kill -0 "$pid" 2>/dev/null; then
        break
    fi
    sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "still running 30 s after File, Exit: the menu did not close it"
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"
echo "closed through File, Exit with exit code 0"
