#!/usr/bin/env bash
# Runs placement_test on a private X server under lying_wm, a window manager that
# puts a new window one title bar above where it was asked for and reports the
# place asked for, as icewm 3.3 does with a modal dialog.
set -euo pipefail
test_program=$1 wm=$2
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
wm_pid=""
cleanup() {
    for p in $wm_pid $xvfb; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

readonly patience=60 # seconds, on a busy machine
waited=0
until [ -s "$work/display" ] && grep -q ready "$work/wm.out" 2>/dev/null; do
    if [ -s "$work/display" ] && [ -z "$wm_pid" ]; then
        export DISPLAY=:$(tr -dc '0-9' <"$work/display")
        "$wm" >"$work/wm.out" 2>&1 &
        wm_pid=$!
    fi
    [ -z "$wm_pid" ] || kill -0 "$wm_pid" || { cat "$work/wm.out" >&2; exit 1; }
    [ $((waited += 1)) -lt $((patience * 20)) ] || { echo "no X server or window manager" >&2; exit 1; }
    sleep 0.05
done
export HOME=$work XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true
"$test_program"
