#!/usr/bin/env bash
# Every picture opens in ImageMagick as a 24-bit BMP shaped like the frame it is stretched into,
# and every picture the program's sources name exists with that exact name.
#   check_pictures.sh <application directory> <source directory>
set -euo pipefail
app=$1 src=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

shopt -s nullglob
pictures=("$app"/images/*)
[ ${#pictures[@]} -eq 47 ] || fail "expected 3 machine pictures and 44 catalogue pictures, found ${#pictures[@]}"

# One identify run for all: a picture it cannot open makes it fail and drops that picture's line.
described=$(identify -regard-warnings -format '%f %m %w %h\n' "${pictures[@]}") || fail "identify: $described"
[ "$(wc -l <<<"$described")" -eq ${#pictures[@]} ] || fail "identify did not describe every picture"
while read -r name format width height; do
    f="$app/images/$name"
    [ "$format" = BMP ] || [ "$format" = BMP3 ] || fail "$name is $format, not BMP"
    file -b "$f" | grep -q "x 24," || fail "$name is not 24-bit: $(file -b "$f")"
    case $name in
        msx1.bmp | msx2.bmp | msx2plus.bmp) fw=89 fh=97 ;;  # cpupic
        *) fw=73 fh=97 ;;                                  # gamepic
    esac
    # Within 3% of the frame's shape, so stretching does not distort it.
    (( 100 * width * fh >= 97 * fw * height && 100 * width * fh <= 103 * fw * height )) ||
        fail "$name is ${width}x${height}, not shaped like its ${fw}x${fh} frame"
    (( width >= fw && height >= fh )) || fail "$name is smaller than its frame"
done <<<"$described"

# The names the program uses, e.g. "\images\Bit2.bmp", written "\\images\\Bit2.bmp" in C++.
named=$(grep -rhoE 'images(\\{1,2}|/)[A-Za-z0-9_]+\.bmp' "$src" 2>/dev/null | sed -E 's/.*[\\/]//' | sort -u || true)
for name in $named; do
    [ -f "$app/images/$name" ] || fail "the program names images/$name, which the generator does not make"
done
echo "${#pictures[@]} pictures fine; $(echo "$named" | grep -c . || true) names from the sources found"
