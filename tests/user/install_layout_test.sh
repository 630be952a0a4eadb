#!/usr/bin/env bash
# `cmake --install` puts the programs, the growers, a desktop entry per
# program and the icon where Linux desktops look for them; the desktop
# entries are valid (checked when desktop-file-validate is there).
#
#   install_layout_test.sh BUILD_DIR N...
set -euo pipefail

build=$1
shift
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

missing=0
expect() {
    if [ ! -e "$prefix/$1" ]; then
        echo "install layout: $1 is missing" >&2
        missing=1
    fi
}
for n in "$@"; do
    expect "bin/morva$n"
    expect "bin/morva$n-grower"
    expect "share/applications/morva$n.desktop"
    [ -x "$prefix/bin/morva$n" ] || { echo "install layout: bin/morva$n is not executable" >&2; missing=1; }
    grep -qx "Exec=morva$n" "$prefix/share/applications/morva$n.desktop" 2>/dev/null \
        || { echo "install layout: morva$n.desktop does not start morva$n" >&2; missing=1; }
    grep -qx "Icon=morva" "$prefix/share/applications/morva$n.desktop" 2>/dev/null \
        || { echo "install layout: morva$n.desktop does not name the icon" >&2; missing=1; }
done
expect "share/icons/hicolor/32x32/apps/morva.png"
[ "$missing" -eq 0 ] || exit 1

if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix"/share/applications/*.desktop
fi
echo "install layout: complete"
