#!/usr/bin/env bash
# Sets up, builds, makes the demo application directory and starts the front-end in it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
# The pictures, tunes, disk images and texts the front-end names, made by tools/demo.
cmake --build build --target demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to show the window on: start this from a desktop session," >&2
    echo "or under Xvfb (xvfb-run ./scripts/run.sh)." >&2
    exit 1
fi
# The program takes its application directory from where it starts.
cd build/demo
exec ../src/veldrun
