#!/usr/bin/env bash
# FluidSynth reads every tune to its end without an error, each lasts 30 to 90 seconds (and
# fades out within two more), no two are
# the same file; then a few are rendered in full and must sound nearly all the time.
#   check_tunes.sh <application directory> <work directory> <wav level checker>
set -euo pipefail
app=$1 work=$2 level=$3
fail() { echo "FAIL: $*" >&2; exit 1; }
font=""
for f in /usr/share/sounds/sf2/TimGM6mb.sf2 /usr/share/sounds/sf2/FluidR3_GM.sf2 /usr/share/sounds/sf2/default-GM.sf2; do
    [ -f "$f" ] && { font=$f; break; }
done
[ -n "$font" ] || fail "no General MIDI sound font installed"
rm -rf "$work" && mkdir -p "$work"

for n in $(seq 1 34); do
    f="$app/music/$n.mid"
    [ -f "$f" ] || fail "music/$n.mid missing"
    file -b "$f" | grep -q "Standard MIDI data (format 1)" || fail "$n.mid: $(file -b "$f")"
done
[ "$(ls "$app/music" | wc -l)" -eq 34 ] || fail "music holds more than the 34 tunes"
[ "$(md5sum "$app"/music/*.mid | cut -d' ' -f1 | sort -u | wc -l)" -eq 34 ] || fail "two tunes are the same file"

# Quick pass over all 34 at a low sample rate, two at a time: 8000 frames of 4 bytes per second.
render_raw() {
    fluidsynth -ni -q -r 8000 -T raw -F "$2/$1.raw" "$3" "$4/music/$1.mid" > "$2/$1.log" 2>&1 || echo "exit $?" >> "$2/$1.log"
}
export -f render_raw
seq 1 34 | xargs -P 2 -I{} bash -c 'render_raw {} "$0" "$1" "$2"' "$work" "$font" "$app"
for n in $(seq 1 34); do
    ! grep -qiE 'error|warning|exit' "$work/$n.log" || fail "$n.mid: $(cat "$work/$n.log")"
    bytes=$(stat -c %s "$work/$n.raw")
    (( bytes >= 30 * 32000 && bytes <= 92 * 32000 )) || fail "$n.mid renders $(( bytes / 32000 )) s"
done

for n in 1 17 34; do
    fluidsynth -ni -q -F "$work/$n.wav" -T wav "$font" "$app/music/$n.mid" > "$work/$n.wav.log" 2>&1
    ! grep -qiE 'error|warning' "$work/$n.wav.log" || fail "$n.mid: $(cat "$work/$n.wav.log")"
    "$level" "$work/$n.wav" 30 92 0.9 || fail "$n.mid does not sound right"
done
rm -rf "$work"
