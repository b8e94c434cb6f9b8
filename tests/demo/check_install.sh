#!/usr/bin/env bash
# `cmake --install --strip` into a scratch prefix gives the launcher, the program and the bridge,
# the demo application directory, the icon in hicolor sizes and a valid desktop entry.
#   check_install.sh <build directory> <scratch prefix>
set -euo pipefail
build=$1 prefix=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" --strip > /dev/null

[ -x "$prefix/bin/veldrun" ] || fail "bin/veldrun missing"
for program in veldrun fmsx-dos.exe; do
    [ -x "$prefix/lib/veldrun/$program" ] || fail "lib/veldrun/$program is missing or not executable"
    file -L "$prefix/lib/veldrun/$program" | grep -q "ELF.*, stripped" || fail "lib/veldrun/$program is not stripped"
done
app="$prefix/share/veldrun"
[ "$(readlink -f "$app/emulator/fmsx-dos.exe")" = "$(readlink -f "$prefix/lib/veldrun/fmsx-dos.exe")" ] ||
    fail "share/veldrun/emulator/fmsx-dos.exe does not lead to the installed bridge"
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

entry="$prefix/share/applications/io.github.veldrun.veldrun.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate rejects the entry"
grep -qx "Exec=veldrun" "$entry" || fail "Exec= is not veldrun"
grep -qx "Icon=veldrun" "$entry" || fail "Icon= is not veldrun"
rm -rf "$prefix"
