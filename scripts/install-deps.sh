#!/usr/bin/env bash
# Installs from Debian whatever the build, the tests and the demo need.
# Does nothing when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config
    qt6-base-dev libgl-dev
    qt6-charts-dev libqt6opengl6-dev
    qt6-translations-l10n
    libgtest-dev libgmock-dev googletest
    libbenchmark-dev
    poppler-utils
    fonts-wqy-microhei
    clang-format
    dpkg-dev desktop-file-utils appstream
    clang libclang-rt-14-dev
    libxlsxwriter-dev libzip-dev python3-openpyxl
)
# `install-deps.sh kiosk`: also what make kiosk-check needs: the kiosk compositor, the X
# server it will not start without, Qt's Wayland plugin and the screenshot tool.
if [ "${1:-}" = kiosk ]; then
    packages+=(cage xwayland qt6-wayland grim)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
