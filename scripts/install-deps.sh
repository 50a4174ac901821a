#!/usr/bin/env bash
# Installs the Debian packages the viewer needs: with "viewer", only what building and
# running it takes (./run.sh); without, also what the tests, fuzzing, benchmarks and
# packaging take. Packages already present are skipped; nothing is fetched from
# anywhere else.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev libqt6opengl6-dev libgl-dev libgl1-mesa-dri libgl2ps-dev
    fonts-liberation2 fonts-crosextra-carlito fonts-dejavu-core fonts-dejavu-extra fonts-droid-fallback
    xvfb xauth
)
if [ "${1:-all}" != viewer ]; then
    packages+=(
        pkg-config libgtest-dev libbenchmark-dev
        clang libclang-rt-14-dev
        x11-utils imagemagick poppler-utils
        desktop-file-utils appstream man-db dpkg-dev file lintian
    )
fi

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
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
