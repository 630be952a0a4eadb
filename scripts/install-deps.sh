#!/usr/bin/env bash
# Installs, from Debian's packages, everything the build and the tests need.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libpng-dev
    qt6-base-dev
    binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64 wine wine64
    xvfb xauth xdotool x11-apps desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: everything is installed"
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
