#!/usr/bin/env bash
# unrtf converts the manual without a complaint and finds every option, bold headings and colour
# in it; the About text and the first settings file say what they must.
#   check_texts.sh <application directory>
set -euo pipefail
app=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

manual="$app/emulator/fmsx-dos.txt"
head -c 6 "$manual" | grep -q '{\\rtf1' || fail "the manual is not RTF"
err=$(mktemp)
trap 'rm -f "$err"' EXIT
text=$(unrtf --text "$manual" 2>"$err") || fail "unrtf failed: $(cat "$err")"
[ ! -s "$err" ] || fail "unrtf complains: $(cat "$err")"
for option in -diska -diskb -msx1 -msx2+ -rom -cpuspeed -sq -volume -video -fmpac -scc -ifreq -ram -vram \
    -sprite -adjust -painter -modeswitch -sync; do
    grep -qF -- "$option " <<<"$text" || fail "the manual does not explain $option"
done
grep -q "emulator folder" <<<"$text" || fail "the manual does not tell where the emulator goes"
html=$(unrtf --html "$manual" 2>/dev/null)
grep -q "<b>" <<<"$html" || fail "no bold text in the manual"
grep -q 'color="#008080"' <<<"$html" || fail "no teal headings in the manual"
grep -q '&bull;' <<<"$html" || fail "no bulleted list in the manual"

about="$app/About.txt"
grep -q "Veldrun 2.0c" "$about" || fail "About.txt does not name the program and version"
grep -q "MIT" "$about" || fail "About.txt does not name the licence"
[ "$(grep -c $'\r$' "$about")" -eq "$(wc -l < "$about")" ] || fail "About.txt has a line that does not end in CR LF"

# MSX2, 60Hz, 128Kb Ram, 128Kb Vram, mappers 0,0, quality 5, 320x200, FM-PAC off, SCC on,
# the five video lists 0, volume 15, '#', speed 100, "00".
[ "$(od -An -c "$app/settings.CFG" | tr -d ' \n')" = '11000050010000015#10000\r\n' ] ||
    fail "settings.CFG is $(od -An -c "$app/settings.CFG")"
