#!/usr/bin/env bash
# Runs a Windows executable under Wine with a private prefix:
#   wine-run.sh PREFIX_DIR program.exe [args...]
# The prefix is created on first use, under a lock, so tests that start
# together do not race to create it. The exit code is the program's.
set -euo pipefail

prefix=$1
shift

export WINEPREFIX=$prefix
export WINEDEBUG=${MORVA_WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or HTML, and without them Wine
# would offer to download them when the prefix is made.
export WINEDLLOVERRIDES="mscoree,mshtml="

wine=
for candidate in /usr/lib/wine/wine64 "$(command -v wine64 || true)" "$(command -v wine || true)"; do
    if [ -n "$candidate" ] && [ -x "$candidate" ]; then
        wine=$candidate
        break
    fi
done
if [ -z "$wine" ]; then
    echo "wine-run.sh: Wine is not installed (apt-get install wine wine64)" >&2
    exit 127
fi
export WINELOADER=$wine

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            wineserver=$(dirname "$wine")/wineserver
            [ -x "$wineserver" ] || wineserver=wineserver
            "$wineserver" -w || true
        fi
    ) 9>"$prefix.lock"
fi

exec "$wine" "$@"
