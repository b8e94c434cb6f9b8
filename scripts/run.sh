#!/usr/bin/env bash
# Sets up, builds, makes the demo application directory and starts the front-end in it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh run
# The tests and benchmarks, and the packages they need, come with scripts/test.sh; a build
# directory that test.sh has set up already keeps them.
options=()
[ -f build/CMakeCache.txt ] || options=(-DVELDRUN_BUILD_TESTS=OFF -DVELDRUN_BUILD_BENCH=OFF)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
# The program and the pictures, tunes, disk images and texts it names, made by tools/demo.
cmake --build build -j "$(nproc)" --target veldrun demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display to show the window on: start this from a desktop session," >&2
    echo "or under Xvfb (xvfb-run ./scripts/run.sh)." >&2
    exit 1
fi
# The program takes its application directory from where it starts.
cd build/demo
exec ../src/veldrun
