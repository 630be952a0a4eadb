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
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            "$wineserver" -w </dev/null >/dev/null 2>&1 || true
        fi
    ) 9>"$prefix.lock"
fi

# A server that outlives each program by a minute: with the default three
# seconds a test often connects just as the previous test's server exits
# ("wine client error: recvmsg: Connection reset by peer"). Exit status 2
# means a server is running already. A new server's first program starts
# Wine's background services, which live as long as the server: start them
# with a throwaway program, so that they do not hold on to the output of
# ours (CTest waits for every writer of a test's output to finish).
if "$wineserver" -p60 </dev/null >/dev/null 2>&1; then
    "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
fi

exec "$wine" "$@"
