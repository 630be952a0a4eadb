#!/usr/bin/env bash
# The Windows grower with the names users give it: a file name outside
# ASCII (the program is UTF-8 through its manifest), the NUL device, which
# is written in place and never replaced, and two outputs naming one file,
# which are refused before any work.
#   file_names_test.sh WINE_RUN PREFIX GROWER.exe WORKDIR
set -euo pipefail
wine_run=$1 prefix=$2 grower=$3 workdir=$4

fail() {
    echo "file names: $*" >&2
    exit 1
}

rm -rf "$workdir"
mkdir -p "$workdir"
cd "$workdir"
export LC_ALL=C.UTF-8

# 75 x 75 points of three float32 each.
grid_bytes=67500

name="Ærø-世界.bin"
"$wine_run" "$prefix" "$grower" --quiet --seeds 1,2 --passes 3 --dump "$name" >summary.txt \
    || fail "--dump '$name' failed"
[ -f "$name" ] || fail "'$name' was not written under its own name: $(ls)"
[ "$(stat -c %s "$name")" -eq "$grid_bytes" ] || fail "'$name' holds $(stat -c %s "$name") bytes"

"$wine_run" "$prefix" "$grower" --quiet --seeds 1,2 --passes 3 --dump NUL >/dev/null || fail "--dump NUL failed"
[ ! -e NUL ] && [ ! -e nul ] || fail "--dump NUL made a file"

set +e
"$wine_run" "$prefix" "$grower" --quiet --seeds 1,2 --passes 3 --dump same.r16 --heightmap same.r16 \
    >out.txt 2>err.txt
status=$?
set -e
[ "$status" -eq 2 ] || fail "two outputs naming one file exited $status: $(cat err.txt)"
[ ! -e same.r16 ] || fail "the refused run wrote same.r16"
grep -q "same.r16" err.txt || fail "the refusal does not name the file: $(cat err.txt)"

echo "file names: all passed"
