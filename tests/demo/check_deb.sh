#!/usr/bin/env bash
# The Debian package: its control data, then (as root, on a machine where Veldrun is not installed
# already) installing it with dpkg, starting the program, and removing it again.
#   check_deb.sh <build directory> <work directory>
set -euo pipefail
build=$1 work=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
! dpkg-query -W -f='${Status}' veldrun 2>/dev/null | grep -q "install ok installed" ||
    skip "a veldrun package is installed here already; not touching it"

rm -rf "$work" && mkdir -p "$work"
installed=no
cleanup() {
    [ "$installed" = yes ] && dpkg_retry -P veldrun > /dev/null
    rm -rf "$work"
}
# Other programs may hold the dpkg lock for a while.
dpkg_retry() {
    for _ in $(seq 1 30); do
        if out=$(dpkg "$@" 2>&1); then
            echo "$out"
            return 0
        fi
        grep -q "lock" <<<"$out" || { echo "$out" >&2; return 1; }
        sleep 2
    done
    echo "$out" >&2
    return 1
}
trap cleanup EXIT

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log" 2>&1) || fail "cpack failed: $(cat "$work/cpack.log")"
deb=$(ls "$work"/veldrun_*.deb)
[ -n "$deb" ] || fail "no package"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libfluidsynth3; do
    grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
grep -qE "timgm6mb-soundfont \| fluid-soundfont-gm" <<<"$depends" || fail "Depends lacks the sound font: $depends"
[ "$(dpkg-deb -f "$deb" Package)" = veldrun ] || fail "the package is not called veldrun"
contents=$(dpkg-deb -c "$deb")
grep -q " ./usr/bin/veldrun$" <<<"$contents" || fail "no /usr/bin/veldrun in the package"
entry=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/veldrun.desktop)
grep -qx "Path=/usr/share/veldrun" <<<"$entry" || fail "the desktop entry does not start in /usr/share/veldrun"

dpkg_retry -i "$deb" > "$work/dpkg.log" || fail "dpkg -i failed: $(cat "$work/dpkg.log")"
installed=yes
desktop-file-validate /usr/share/applications/veldrun.desktop || fail "the installed entry is not valid"
! ldd /usr/bin/veldrun | grep -q "not found" || fail "missing libraries: $(ldd /usr/bin/veldrun | grep 'not found')"
[ -f /usr/share/veldrun/images/msx2.bmp ] && [ -f /usr/share/veldrun/music/1.mid ] || fail "the demo directory is missing"
# It starts and runs in its directory until stopped (or ends by itself).
status=0
(cd /usr/share/veldrun && QT_QPA_PLATFORM=offscreen timeout 5 veldrun > "$work/run.log" 2>&1) || status=$?
[ "$status" -eq 0 ] || [ "$status" -eq 124 ] || fail "veldrun ended with $status: $(cat "$work/run.log")"

dpkg_retry -P veldrun > /dev/null || fail "dpkg -P failed"
installed=no
[ ! -e /usr/bin/veldrun ] && [ ! -e /usr/share/veldrun ] || fail "removing the package left files behind"
