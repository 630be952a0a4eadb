#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build and the tests need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev nlohmann-json3-dev libcli11-dev libopenexr-dev
    nodejs python3-pil
    qt6-base-dev
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64 wine wine64
    xvfb xauth xdotool x11-apps desktop-file-utils
    locales
)

# The glTF validator the tests read meshes with, from npm, pinned by
# tests/readers/package-lock.json. Some Node packages bring npm, Debian's
# needs its own.
install_node_tools() {
    if ! command -v npm >/dev/null 2>&1 && [ "$(id -u)" -eq 0 ]; then
        apt-get install -y -q --no-install-recommends npm || true
    fi
    if command -v npm >/dev/null 2>&1; then
        (cd tests/readers && npm ci --no-audit --no-fund --loglevel=error)
    else
        echo "install-deps: npm not found; the glTF validator tests will be skipped"
    fi
}

# A locale whose decimal separator is a comma, for the tests of what the
# grower prints for programs to read: the same in every locale. It goes in a
# folder of its own, not the locale archive, which every program that sets
# its locale (Qt does) would map: the memory tests' address-space limits
# are measured without it.
install_comma_locale() {
    if locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
        return
    fi
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: no de_DE.UTF-8 locale; the tests that need it will be skipped"
        return
    fi
    localedef --no-archive -i de_DE -f UTF-8 de_DE.utf8
}
cd "$(dirname "$0")/.."

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: every package is installed"
    install_node_tools
    install_comma_locale
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: not root; run this as root:"
    echo "  apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
install_node_tools
install_comma_locale
