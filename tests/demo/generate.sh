#!/usr/bin/env bash
# Fills a fresh application directory with every generator: generate.sh <dir> <art> <tunes> <disks> <texts>
set -euo pipefail
dir=$1
rm -rf "$dir"
mkdir -p "$dir"
QT_QPA_PLATFORM=offscreen "$2" images "$dir"
"$3" "$dir"
"$4" "$dir"
"$5" "$dir"
