#!/usr/bin/env bash
# Runs accessibility_test's checks of what a screen reader is told as it happens,
# which Qt sends only while assistive technology listens: on a private X server,
# with a private session bus and AT-SPI's accessibility bus, and Qt's bridge on.
set -euo pipefail
test_program=$1
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || { echo "accessibility-bus: needs $launcher (Debian package at-spi2-core)" >&2; exit 1; }
work=$(mktemp -d)
export AROMELLE_TEST_RUN=$work
# shellcheck source=tests/private_home.sh
. "$(dirname "$(readlink -f "$0")")/private_home.sh"
cleanup() {
    local pids
    pids=$(marked_processes "$work")
    # shellcheck disable=SC2086 # one word per process
    [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT PIPE TERM
mkdir -p "$work/run"
chmod 700 "$work/run"
export HOME=$work XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY || true

readonly patience=60 # seconds, on a busy machine
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
dbus-daemon --session --nofork --address="unix:path=$work/run/bus" >"$work/dbus.log" 2>&1 &
export DBUS_SESSION_BUS_ADDRESS=unix:path=$work/run/bus
waited=0
until [ -s "$work/display" ] && [ -S "$work/run/bus" ]; do
    [ $((waited += 1)) -lt $((patience * 20)) ] || { echo "no X server or session bus" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=:$(tr -dc '0-9' <"$work/display")
"$launcher" --launch-immediately >"$work/launcher.log" 2>&1 &
a11y_bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q 'boolean true'
}
waited=0
until a11y_bus_up; do
    [ $((waited += 1)) -lt $((patience * 20)) ] || { echo "no accessibility bus" >&2; cat "$work/launcher.log" >&2; exit 1; }
    sleep 0.05
done
"$test_program" tabBarFocusIsToldOnTheCurrentTab exitScreenIsShowingToAScreenReader
