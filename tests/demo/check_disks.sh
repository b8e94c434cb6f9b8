#!/usr/bin/env bash
# mtools reads each disk image as an empty 720 KB FAT12 disk with media byte F9h, and a copy of
# one takes a file and gives it back unchanged.
#   check_disks.sh <application directory> <work directory>
set -euo pipefail
app=$1 work=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
export MTOOLS_SKIP_CHECK=0 MTOOLSRC=/dev/null
rm -rf "$work" && mkdir -p "$work"

for name in drivea.dsk driveb.dsk mgear2sa.dsk; do
    f="$app/disks/$name"
    [ "$(stat -c %s "$f")" -eq 737280 ] || fail "$name is not 720 KB"
    listing=$(mdir -i "$f" :: 2>&1) || fail "mdir cannot read $name: $listing"
    grep -q "No files" <<<"$listing" || fail "$name is not empty: $listing"
    info=$(minfo -i "$f" :: 2>&1) || fail "minfo cannot read $name"
    grep -q "media descriptor byte: 0xf9" <<<"$info" || fail "$name: media byte is not F9h"
    grep -q "sectors per fat: 3" <<<"$info" || fail "$name: not the 720 KB layout"
done

cp "$app/disks/drivea.dsk" "$work/copy.dsk"
head -c 20000 /dev/urandom > "$work/GAME.BIN"
mcopy -i "$work/copy.dsk" "$work/GAME.BIN" ::GAME.BIN
mdir -i "$work/copy.dsk" :: | grep -q "GAME     BIN" || fail "the copied file is not listed"
mtype -i "$work/copy.dsk" ::GAME.BIN | cmp -s - "$work/GAME.BIN" || fail "the file read back differs"
mdel -i "$work/copy.dsk" ::GAME.BIN
[ "$(mdir -i "$work/copy.dsk" :: | grep -o '[0-9 ]* bytes free')" = "$(mdir -i "$app/disks/drivea.dsk" :: | grep -o '[0-9 ]* bytes free')" ] ||
    fail "deleting the file did not free its clusters"
rm -rf "$work"
