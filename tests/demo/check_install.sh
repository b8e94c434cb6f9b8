#!/usr/bin/env bash
# `cmake --install` into a scratch prefix gives the executable, the demo application directory,
# the icon in hicolor sizes and a valid desktop entry that starts in that directory.
#   check_install.sh <build directory> <scratch prefix>
set -euo pipefail
build=$1 prefix=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" > /dev/null

[ -x "$prefix/bin/veldrun" ] || fail "bin/veldrun missing"
app="$prefix/share/veldrun"
for f in About.txt settings.CFG emulator/fmsx-dos.txt disks/drivea.dsk disks/driveb.dsk disks/mgear2sa.dsk \
    images/msx1.bmp images/Bit2.bmp music/1.mid music/34.mid; do
    [ -f "$app/$f" ] || fail "share/veldrun/$f missing"
done
[ -d "$app/roms" ] || fail "share/veldrun/roms missing"
[ ! -e "$app/TULK.CFG" ] || fail "a response file from a run was installed"

for size in 16 24 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/veldrun.png"
    [ "$(identify -format '%m %wx%h' "$icon")" = "PNG ${size}x${size}" ] || fail "icon $size is wrong"
done

entry="$prefix/share/applications/veldrun.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx "Path=$app" "$entry" || fail "Path= is not $app: $(grep Path= "$entry")"
grep -qx "Exec=veldrun" "$entry" || fail "Exec= is not veldrun"
grep -qx "Icon=veldrun" "$entry" || fail "Icon= is not veldrun"
rm -rf "$prefix"
