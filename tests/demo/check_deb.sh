#!/usr/bin/env bash
# The Debian package: lintian, its control data, and then the package unpacked into a private root
# (never installed here) and started the way its desktop entry starts it, by users of their own
# with fresh homes, under an Xvfb of its own: Save, "&MSX!", a second user, an upgrade.
#   check_deb.sh <build directory> <work directory>
set -euo pipefail
build=$1 work=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
for tool in lintian Xvfb xdotool xprop appstreamcli desktop-file-validate; do
    command -v "$tool" > /dev/null || skip "$tool is not installed (scripts/bootstrap.sh test)"
done

rm -rf "$work" && mkdir -p "$work" && chmod 755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -- "-$pid" 2> /dev/null || kill "$pid" 2> /dev/null || true; done
    wait 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/veldrun_*.deb)

lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libfluidsynth3 qt6-qpa-plugins; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
grep -qE "timgm6mb-soundfont \| fluid-soundfont-gm" <<<"$depends" || fail "Depends lacks the sound font: $depends"
twice=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}' | sort | uniq -d)
[ -z "$twice" ] || fail "Depends names $twice twice: $depends"

# --- Unpacked into a private root; what is under its /usr must stay as it is.
root=$work/root
dpkg-deb -x "$deb" "$root"
usr=$root/usr
snapshot() { (cd "$usr" && find . -printf '%p %m %s %l\n' | sort && find . -type f -exec md5sum {} + | sort); }
desktop-file-validate "$usr/share/applications/io.github.veldrun.veldrun.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$usr/share/metainfo/io.github.veldrun.veldrun.metainfo.xml" > "$work/as.log" ||
    fail "appstreamcli rejects the metainfo: $(cat "$work/as.log")"
[ -x "$(readlink -f "$usr/share/veldrun/emulator/fmsx-dos.exe")" ] || fail "the installed bridge link is broken"
! grep -q "^Path=" "$usr/share/applications/io.github.veldrun.veldrun.desktop" || fail "the entry names a starting directory"
exec_line=$(sed -n 's/^Exec=//p' "$usr/share/applications/io.github.veldrun.veldrun.desktop" | sed 's/ *%[fFuUick]//g')

# openMSX itself is not started: an openmsx first on the PATH notes what the bridge gave it.
mkdir -p "$work/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" > "$HOME/openmsx-arguments"\n' > "$work/bin/openmsx"
chmod 755 "$work/bin" "$work/bin/openmsx"

exec 5> "$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset 2> /dev/null &
pids+=($!)
exec 5>&-
for _ in $(seq 1 100); do [ -s "$work/display" ] && break; sleep 0.1; done
DISPLAY=:$(cat "$work/display")
export DISPLAY

# Users: a uid of their own when we may switch, else ourselves; each with a fresh home and only
# the environment a desktop session gives.
as_user() {
    local uid=$1 home=$2
    user=(env)
    [ "$(id -u)" -ne 0 ] || user=(setpriv --reuid="$uid" --regid="$uid" --clear-groups env)
    user+=(-i HOME="$home" DISPLAY="$DISPLAY" PATH="$work/bin:$usr/bin:/usr/bin:/bin" QT_QPA_PLATFORM=xcb
        PULSE_SERVER=unix:/nonexistent ALSA_CONFIG_PATH=/nonexistent)
}
new_home() {
    mkdir -p "$work/$2"
    [ "$(id -u)" -ne 0 ] || chown "$1:$1" "$work/$2"
    echo "$work/$2"
}
until_true() { # seconds, what, command...
    local tries=$(($1 * 10)) what=$2
    shift 2
    for _ in $(seq 1 "$tries"); do "$@" && return 0; sleep 0.1; done
    fail "timed out waiting for $what"
}
window() { { xdotool search --onlyvisible --name "$1" 2> /dev/null || true; } | head -n 1; }
has_window() { [ -n "$(window "$1")" ]; }
# Starts the entry's command in the user's home, as a desktop does; answers the music's box.
start_veldrun() {
    local uid=$1 home=$2
    as_user "$uid" "$home"
    setsid "${user[@]}" sh -c "cd \"\$HOME\" && exec $exec_line" >> "$work/veldrun.log" 2>&1 &
    veldrun_pid=$!
    pids+=("$veldrun_pid")
    until_true 30 "the main window" has_window '^TULK MSX Front-End 2\.0c$'
    main=$(window '^TULK MSX Front-End 2\.0c$')
    for _ in $(seq 1 30); do
        box=$(window '^Veldrun 2\.0c$')
        if [ -n "$box" ]; then
            xdotool windowfocus --sync "$box" key Return
            break
        fi
        sleep 0.1
    done
    xdotool windowfocus --sync "$main"
}
quit_veldrun() {
    xdotool windowfocus --sync "$main" key --clearmodifiers alt+q
    until_true 20 "veldrun to end" sh -c "! kill -0 $veldrun_pid 2> /dev/null"
}

before=$(snapshot)
ann=$(new_home 64010 ann)
appdir=$ann/.local/share/veldrun
start_veldrun 64010 "$ann"
[[ "$(xprop -id "$main" WM_CLASS)" == *'"veldrun", "veldrun"' ]] || fail "window class: $(xprop -id "$main" WM_CLASS)"
[ -f "$appdir/settings.CFG" ] && [ ! -L "$appdir/settings.CFG" ] || fail "no settings.CFG of the user's own"
touch "$work/mark"
xdotool key --clearmodifiers alt+t s
until_true 20 "Save to write settings.CFG" test "$appdir/settings.CFG" -nt "$work/mark"
xdotool key --clearmodifiers alt+m
until_true 20 "the response file" test -f "$appdir/TULK.CFG"
until_true 20 "the bridge's log in the user's directory" test -s "$appdir/emulator/bridge.log"
until_true 20 "the bridge to start openMSX" test -s "$ann/openmsx-arguments"
quit_veldrun
[ "$(stat -c %u "$appdir/settings.CFG")" = "$(stat -c %u "$ann")" ] || fail "settings.CFG is not the user's"

bob=$(new_home 64011 bob)
start_veldrun 64011 "$bob"
quit_veldrun
[ -f "$bob/.local/share/veldrun/settings.CFG" ] || fail "the second user has no directory of their own"
[ "$(snapshot)" = "$before" ] || fail "something under the unpacked /usr changed"

# An upgrade: new defaults, a new text, a file more and one less. The user keeps their settings.
cp "$appdir/settings.CFG" "$work/ann-settings"
printf '21210050010000015#10000\r\n' > "$usr/share/veldrun/settings.CFG"
printf 'Veldrun 2.0c, upgraded\r\n' > "$usr/share/veldrun/About.txt"
cp "$usr/share/veldrun/images/msx1.bmp" "$usr/share/veldrun/images/upgrade.bmp"
rm "$usr/share/veldrun/roms/veldrun-demo.rom"
before=$(snapshot)
start_veldrun 64010 "$ann"
quit_veldrun
cmp -s "$appdir/settings.CFG" "$work/ann-settings" || fail "the upgrade replaced the user's settings.CFG"
grep -q upgraded "$appdir/About.txt" || fail "the user's directory does not show the new About.txt"
[ -f "$appdir/images/upgrade.bmp" ] || fail "the user's directory lacks the new picture"
[ ! -L "$appdir/roms/veldrun-demo.rom" ] || fail "a link to a removed file stayed behind"
[ "$(snapshot)" = "$before" ] || fail "something under the unpacked /usr changed"
echo "package checked: lintian clean, two users, an upgrade"
