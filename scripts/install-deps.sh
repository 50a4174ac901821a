#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the viewer needs.
# Packages already present are skipped; nothing is fetched from anywhere else.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev libgl-dev libgl1-mesa-dri
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth x11-utils
    fonts-liberation2 fonts-crosextra-carlito fonts-dejavu-core fonts-dejavu-extra fonts-droid-fallback
    imagemagick
    libgl2ps-dev poppler-utils
    desktop-file-utils appstream man-db dpkg-dev file lintian
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
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
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
