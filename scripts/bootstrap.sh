#!/usr/bin/env bash
# Installs the Debian 12 packages that building and running need, or with "test" also those the
# tests need. Quick when everything is there already: apt is asked only for what is missing.
#   bootstrap.sh [run|test]
set -euo pipefail

run_packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-qpa-plugins libgl-dev libfontconfig-dev fonts-dejavu-core
    libfluidsynth-dev timgm6mb-soundfont
    libpugixml-dev nettle-dev
    pasmo openmsx cbios
)
test_packages=(
    file dpkg-dev fluidsynth
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-format tcl-dev
    xvfb xauth xdotool x11-utils imagemagick
    mtools unrtf desktop-file-utils python3 xclip time
    lintian appstream
)

case ${1:-run} in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2> /dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install=(apt-get install -y -qq --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo > /dev/null; then
    as_root=(sudo)
else
    echo "These Debian packages are missing: ${missing[*]}" >&2
    echo "Installing them needs root, and sudo is not installed. As root, run:" >&2
    echo "    apt-get update && apt-get install --no-install-recommends ${missing[*]}" >&2
    echo "then run this command again." >&2
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}"
