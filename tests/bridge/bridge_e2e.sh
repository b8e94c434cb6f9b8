#!/usr/bin/env bash
# End to end: the bridge reads a response file naming the demo cartridge and starts openMSX under
# a private Xvfb; openMSX saves a screenshot after five emulated seconds and quits. The pictures
# must show text (not a blank screen) and differ between an MSX1 and an MSX2+ machine, since the
# cartridge prints the generation it finds. A disk game on the C-BIOS machine, which has no
# drive, must show the bridge's notice on the screen.
# Usage: bridge_e2e.sh <path of fmsx-dos.exe> <path of veldrun-demo.rom>
# Ends with 77 (skipped) when openmsx, the C-BIOS ROMs, Xvfb or ImageMagick are missing.
set -u

bridge=$1
rom=$2
skip() { echo "SKIPPED: $*"; exit 77; }

command -v openmsx >/dev/null || skip "openmsx is not installed (package openmsx)"
[ -e /usr/share/cbios/cbios_main_msx2.rom ] || [ -e /usr/share/openmsx/systemroms/cbios_main_msx2.rom ] ||
    skip "the C-BIOS ROMs are not installed (package cbios)"
command -v Xvfb >/dev/null || skip "Xvfb is not installed (package xvfb)"
command -v identify >/dev/null && command -v compare >/dev/null || skip "ImageMagick is not installed (package imagemagick)"
[ -f "$rom" ] || { echo "no demo cartridge at $rom"; exit 1; }

work=$(mktemp -d /tmp/veldrun-bridge-e2e.XXXXXX)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display number that nobody uses, from VELDRUN_E2E_DISPLAY on: no socket and no lock file.
# Xvfb itself refuses a taken one, so a race with another test only costs a retry.
for n in $(seq ${VELDRUN_E2E_DISPLAY:-140} 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
        export DISPLAY=":$n"
        break
    fi
    kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || { echo "could not start Xvfb"; cat "$work/xvfb.log"; exit 1; }

# The application directory as the front-end lays it out; blanks in the paths on purpose.
app="$work/my msx"
mkdir -p "$app/emulator" "$app/roms dir" "$app/disks"
cp "$bridge" "$app/emulator/fmsx-dos.exe"
cp "$rom" "$app/roms dir/veldrun demo.rom"
: >"$app/disks/drivea.dsk"
: >"$app/disks/driveb.dsk"
head -c 737280 /dev/zero >"$app/disks/my game.dsk"

# openMSX keeps its own files here, not in the user's home, and runs every script of its
# scripts folder at start: that one takes the screenshot. No sound card is needed.
export OPENMSX_HOME="$work/openmsx-home" HOME="$work" XDG_CACHE_HOME="$work/cache" SDL_AUDIODRIVER=dummy
mkdir -p "$OPENMSX_HOME/share/scripts"

status=0
run() { # cartridge, machine option, screenshot name, screenshot option, disk in drive A
    local shot="$work/$3.png"
    printf '%s\r\n' "$1 -diska $app/disks/${5:-drivea.dsk} -diskb $app/disks/driveb.dsk$2 -rom 0,0 -sq 5 -volume 15 -video 0 -scc 1 -ifreq 60" \
        >"$app/TULK.CFG"
    printf 'after time 5 {screenshot %s {%s}; exit}\n' "$4" "$shot" >"$OPENMSX_HOME/share/scripts/e2e.tcl"
    (cd "$work" && timeout 60 "$app/emulator/fmsx-dos.exe" "@$app/TULK.CFG") >"$work/$3.out" 2>&1
    local rc=$?
    echo "--- bridge.log ($3, exit $rc)"; cat "$app/emulator/bridge.log"
    if [ ! -s "$shot" ]; then
        echo "FAIL: no screenshot for $3"; cat "$work/$3.out"; status=1; return
    fi
}

text_of() { # screenshot name
    local shot="$work/$1.png"
    [ -s "$shot" ] || return
    # The text: the white pixels once the picture is cut to black and white.
    convert "$shot" -colorspace Gray -threshold 80% "$work/$1-text.png"
    local colours text
    colours=$(identify -format '%k' "$shot")
    text=$(convert "$work/$1-text.png" -format '%[fx:int(mean*w*h+0.5)]' info:)
    echo "$1: $(identify -format '%wx%h' "$shot"), $colours colours, $text text pixels"
    [ "$colours" -ge 2 ] && [ "$text" -ge 200 ] || { echo "FAIL: $1 shows no text"; status=1; }
}

cartridge="$app/roms dir/veldrun demo.rom"
run "$cartridge" " -msx1" msx1 -raw
text_of msx1
grep -q -- "-machine C-BIOS_MSX1_JP -carta '$app/roms dir/veldrun demo.rom'" "$app/emulator/bridge.log" ||
    { echo "FAIL: bridge.log does not show the MSX1 start"; status=1; }
run "$cartridge" " -msx2+" msx2plus -raw
text_of msx2plus
grep -q -- "-machine C-BIOS_MSX2+_JP" "$app/emulator/bridge.log" ||
    { echo "FAIL: bridge.log does not show the MSX2+ start"; status=1; }

# A disk game on the C-BIOS machine: the disk is left out and the notice, white text in an
# orange box at the top, is on the screen (the picture includes openMSX's on-screen display).
run "" " -msx2+" disk -with-osd "my game.dsk"
grep -q -- "drive A: $app/disks/my game.dsk: left out, C-BIOS_MSX2+_JP has no drive A" "$app/emulator/bridge.log" ||
    { echo "FAIL: bridge.log does not say why the disk was left out"; status=1; }
if [ -s "$work/disk.png" ]; then
    orange=$(convert "$work/disk.png" -alpha off -fuzz 20% -fill white -opaque '#aa6600' -fill black +opaque white \
        -format '%[fx:int(mean*w*h+0.5)]' info:)
    echo "disk: $(identify -format '%wx%h, %k colours' "$work/disk.png"), $orange pixels of the notice's box"
    [ "$orange" -ge 2000 ] || { echo "FAIL: the notice is not on the screen"; status=1; }
fi

if [ $status -eq 0 ]; then
    # The cartridge names the machine it runs on, so the texts differ, though not by much.
    diff_pixels=$(compare -metric AE "$work/msx1-text.png" "$work/msx2plus-text.png" null: 2>&1)
    echo "text pixels that differ between MSX1 and MSX2+: $diff_pixels"
    [ "${diff_pixels%%.*}" -gt 0 ] 2>/dev/null && [ "${diff_pixels%%.*}" -lt 2000 ] ||
        { echo "FAIL: the MSX1 and MSX2+ texts should differ in the machine name only"; status=1; }
fi
exit $status
