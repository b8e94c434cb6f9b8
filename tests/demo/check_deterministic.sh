#!/usr/bin/env bash
# A second run of the generators gives the same bytes.
#   check_deterministic.sh <application directory> <second directory> <art> <tunes> <disks> <texts>
set -euo pipefail
first=$1 second=$2
shift 2
bash "$(dirname "$0")/generate.sh" "$second" "$@"
diff -r "$first" "$second" || { echo "FAIL: the generators are not deterministic" >&2; exit 1; }
rm -rf "$second"
