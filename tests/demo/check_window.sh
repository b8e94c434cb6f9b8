#!/usr/bin/env bash
# The real program, started under Xvfb in a copy of the demo directory, shows its main window
# with at most one error box on the way (the one for a machine without sound output), and
# leaves the saved settings as they were.
#   check_window.sh <veldrun> <application directory> <work directory>
set -euo pipefail
veldrun=$1 app=$2 work=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

if [ -z "${VELDRUN_INSIDE_XVFB:-}" ]; then
    rm -rf "$work" && mkdir -p "$work" && cp -r "$app" "$work/app"
    status=0
    VELDRUN_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
        bash "$0" "$veldrun" "$work/app" "$work" || status=$?
    [ "$status" -ne 0 ] || rm -rf "$work"
    exit "$status"
fi

unset QT_QPA_PLATFORM
settings_before=$(md5sum < "$app/settings.CFG")
cd "$app"
"$veldrun" > "$work/veldrun.log" 2>&1 &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT

boxes=0 seen=" "
for _ in $(seq 1 120); do
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid" && { echo "SKIP: the program ends without showing a window"; exit 77; }
        fail "the program ended with an error: $(cat "$work/veldrun.log")"
    fi
    # Error boxes are titled with the application title; each is answered with Return.
    for box in $(xdotool search --onlyvisible --name '^Veldrun 2\.0c$' 2>/dev/null || true); do
        [[ "$seen" == *" $box "* ]] || { boxes=$((boxes + 1)); seen+="$box "; }
        xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
        # Once gone, a window id may come back for the next box: forget it then.
        for _ in $(seq 1 20); do
            xdotool search --onlyvisible --name '^Veldrun 2\.0c$' 2>/dev/null | grep -qx "$box" || {
                seen=${seen/ $box / }
                break
            }
            sleep 0.25
        done
    done
    if xdotool search --onlyvisible --name '^TULK MSX Front-End 2\.0c$' > /dev/null 2>&1; then
        [ "$boxes" -le 1 ] || fail "$boxes error boxes at start-up"
        [ "$(md5sum < "$app/settings.CFG")" = "$settings_before" ] || fail "starting changed settings.CFG"
        echo "main window shown after $boxes error box(es)"
        exit 0
    fi
    sleep 0.5
done
fail "no main window within a minute: $(cat "$work/veldrun.log")"
