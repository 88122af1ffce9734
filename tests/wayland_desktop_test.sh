#!/usr/bin/env bash
# End to end on a Wayland desktop: the real program as a native Wayland client of
# GNOME's own compositor (mutter) or KDE Plasma's (KWin), headless on a 1024 x 768
# virtual monitor, driven by the keyboard alone through the compositor's way for
# remote input and read through AT-SPI (wayland_drive.py). A private session bus,
# accessibility bus and runtime folder, a fresh HOME, and a stand-in xdg-open that
# records the pages instead of starting a browser.
#
#   wayland_desktop_test.sh mutter|kwin PROGRAM
#
# Makes a reading and goes Back, opens and closes the about window, leaves by
# Alt+F4 to the exit screen, has a space in an address refused by a message box,
# and ends by Exit with status 0. Wayland leaves two things to the compositor,
# so they are not checked here as e2e_test.sh checks them on X11: where each
# window opens (the program cannot place its windows) and keeping the exit screen
# above other windows (Wayland has no request for it). Everything else must be
# as on X11: the same windows, sizes, texts, keyboard and focus.
#
# Each step waits for what it needs, never for a fixed time. Everything the test
# starts carries this run's folder in its environment, so that clean-up ends it
# all, also what D-Bus started on the test's behalf (the accessibility registry),
# however the test ends.
set -euo pipefail

compositor=$1
case $compositor in
mutter) name=gnome-wayland ;;
kwin) name=kwin-wayland ;;
*) echo "wayland-desktop: no such compositor: $compositor (mutter or kwin)" >&2; exit 1 ;;
esac
# A build machine without KDE (Debian's package build does not ask for it) has
# nothing to walk under; CTest counts the test as skipped.
readonly skipped=77
if [ "$compositor" = kwin ] && ! command -v kwin_wayland >/dev/null; then
    echo "$name: skipped, KWin is not installed here (Debian package kwin-wayland)"
    exit $skipped
fi

# What the test needs, each with its Debian package (script/bootstrap installs
# them). A missing one fails the test: it must not pass without having run.
missing=""
for need in dbus-daemon:dbus-daemon dbus-send:dbus-bin \
    /usr/libexec/at-spi-bus-launcher:at-spi2-core; do
    command -v "${need%%:*}" >/dev/null || missing+=" ${need##*:}"
done
/usr/bin/python3 -c 'import dbus' 2>/dev/null || missing+=" python3-dbus"
[ "$compositor" != mutter ] || command -v mutter >/dev/null || missing+=" mutter"
if [ -n "$missing" ]; then
    echo "$name: not run, these Debian packages are missing:$missing" >&2
    exit 1
fi

program=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")

# Qt 6.4's Wayland plugin draws a window's title bar only where it has an EGL
# client-buffer integration, so every window it shows opens EGL, and Mesa loads
# its DRI driver for it (swrast_dri.so here: mutter draws in software; on Debian
# every Mesa driver is the same file under other names). At exit Mesa unloads the
# driver, which still holds memory from its own static data. LeakSanitizer looks
# once the module is gone: it no longer sees that data, so it reports the memory
# (128 bytes) as a leak, from frames it cannot name, which no suppression can
# match. A library loaded at start is never unloaded, so in the sanitizer
# build (the program links libasan, which must come first) the program runs with
# the driver preloaded: the driver's memory stays reachable as in the running
# program, and any leak of the program's own is still reported with its stack.
# The ordinary build runs the program as a user runs it.
command=("$program")
asan_runtime=$(ldd "$program" | awk '$1 ~ /^libasan\.so/ { print $3 }')
mesa_driver=$(dpkg-query -L libgl1-mesa-dri 2>/dev/null | grep '/dri/swrast_dri\.so$' || true)
if [ -n "$asan_runtime" ] && [ -n "$mesa_driver" ]; then
    command=(env "LD_PRELOAD=$asan_runtime $mesa_driver" "$program")
fi

readonly patience=60 # seconds any one step may take on a busy machine
readonly socket=aromelle-$compositor

# shellcheck source=tests/private_home.sh
. "$here/private_home.sh"
# An interrupted run must not leave the compositor behind.
private_run

private_home "$work"
unset DISPLAY WAYLAND_SOCKET DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP || true

# Reported on the test's own error output, even from a condition being waited on.
exec 4>&2
fail() {
    echo "$name: $*" >&4
    echo "--- $compositor log (last lines)" >&4
    tail -n 20 "$work/compositor.log" >&4 || true
    echo "--- program output (last lines)" >&4
    tail -n 40 "$work/program.log" >&4 || true
    exit 1
}
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + patience))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# The session bus that the desktop's services (the compositor's own interfaces, the
# accessibility bus) are found on.
dbus-daemon --session --nofork --print-address=3 3>"$work/bus" >"$work/dbus.log" 2>&1 &
bus_known() { [ -s "$work/bus" ]; }
wait_for "the session bus" bus_known
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS

owned() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}
# The compositor with no X server at all, on a virtual monitor: it needs no GPU
# (it draws in software) and no PipeWire (that is only for screen casts).
if [ "$compositor" = mutter ]; then
    mutter --wayland --headless --no-x11 --virtual-monitor 1024x768 --wayland-display="$socket" \
        >"$work/compositor.log" 2>&1 &
    compositor_pid=$!
    ready() { [ -S "$work/run/$socket" ] && owned org.gnome.Mutter.RemoteDesktop; }
else
    # Debian's kwin_wayland carries a file capability (cap_sys_resource, for a
    # higher open-file limit), and a container may refuse to run such a file at
    # all; a plain copy runs as any user's program does. It keeps its name: KWin
    # loads its own Qt platform plugin only as kwin_wayland. Its fake-input
    # interface, through which the keys come, is one KWin gives only to the
    # programs a desktop file grants it (X-KDE-Wayland-Interfaces); its
    # permission checks are off for this private instance instead, as KWin's own
    # tests have them.
    mkdir -p "$work/kwin"
    cp "$(command -v kwin_wayland)" "$work/kwin/kwin_wayland"
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$work/kwin/kwin_wayland" --virtual --width 1024 \
        --height 768 --socket "$socket" >"$work/compositor.log" 2>&1 &
    compositor_pid=$!
    ready() { [ -S "$work/run/$socket" ] && owned org.kde.KWin; }
fi
compositor_ready() {
    kill -0 "$compositor_pid" || fail "$compositor ended"
    ready
}
wait_for "$compositor" compositor_ready

# The accessibility bus, through which Qt's bridge tells the program's windows.
/usr/libexec/at-spi-bus-launcher >"$work/at-spi.log" 2>&1 &
wait_for "the accessibility bus" owned org.a11y.Bus

# The program itself is started by the driver, which needs its exit status. Qt's
# bridge stays off unless a screen reader is known to run; the variable says one does.
export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Debian's own Python, where python3-dbus is installed.
/usr/bin/python3 "$here/wayland_drive.py" "$compositor" "${command[@]}" >"$work/program.log" 2>&1 ||
    fail "$(grep '^wayland: ' "$work/program.log" | tail -n 1 | sed 's/^wayland: //')"

if grep -qE "AddressSanitizer|LeakSanitizer|runtime error" "$work/program.log"; then
    fail "the program reported an error"
fi
[ ! -e "$work/urls" ] || fail "pages opened without being asked for: $(cat "$work/urls")"
conf=$work/home/.config/aromelle/aromelle.conf
grep -q '^Duration=' "$conf" || fail "no date stored in $conf"
echo "1 passed, 0 failed"
