#!/usr/bin/env bash
# Sets up, builds, makes the demo application directory and starts the front-end in it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
demo=build/demo
[ -d "$demo" ] || mkdir -p "$demo"
cd "$demo"
exec ../src/veldrun
