#!/usr/bin/env bash
# Installs everything the build, the program and the tests need on Debian 12.
# Quick when everything is there already: apt is asked only for what is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config file dpkg-dev
    qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
    libfluidsynth-dev fluidsynth timgm6mb-soundfont
    libpugixml-dev nettle-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick
    mtools unrtf desktop-file-utils python3 xclip time
    pasmo openmsx cbios
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
