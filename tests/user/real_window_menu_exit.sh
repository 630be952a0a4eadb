#!/usr/bin/env bash
# On a virtual X display (run under xvfb-run): the program starts, opens its
# window "Morva", grows until the planet shows, and ends with exit code 0
# when its File menu is opened with Alt+F and Exit chosen with X.
#
#   real_window_menu_exit.sh PROGRAM SCREEN_PROBE [SCREENSHOT.png]
set -uo pipefail

program=$1
probe=$2
screenshot=${3:-}

fail() {
    echo "real-window test: $*" >&2
    [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
    exit 1
}

unset QT_QPA_PLATFORM
"$program" &
pid=$!

window=""
for _ in $(seq 1 150); do
    window=$(xdotool search --onlyvisible --name '^Morva$' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.2
done
[ -n "$window" ] || fail "no window named Morva appeared"

# Growing: the map appears after the first batch; wait until both the ocean
# and the land colours are on the screen.
shown=no
for _ in $(seq 1 100); do
    if "$probe" ${screenshot:+--save "$screenshot"} >/dev/null; then
        shown=yes
        break
    fi
    kill -0 "$pid" 2>/dev/null || fail "the program ended while growing"
    sleep 0.3
done
[ "$shown" = yes ] || fail "the planet never showed: $("$probe")"
echo "planet shown: $("$probe")"

# Keys go to the focused window; without a window manager, focus it.
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 0.3
xdotool key --clearmodifiers alt+f
sleep 0.5
xdotool key --clearmodifiers x

for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    fail "the program still runs after Alt+F, X"
fi
wait "$pid"
status=$?
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"
echo "real-window test: ended with exit code 0"
