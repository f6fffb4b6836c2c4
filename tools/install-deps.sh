#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian 12 packages that building, running and testing Trelvane need,
# skipping the ones already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    clang libclang-rt-dev
    qt6-base-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-open-sans fonts-crosextra-carlito fonts-symbola
    desktop-file-utils appstream icoutils
    dpkg-dev file
    lintian devscripts
    xvfb xauth dbus at-spi2-core python3-pyatspi xclip orca
    time
    xxd
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo_cmd=(sudo)
    fi
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
