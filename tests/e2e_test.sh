#!/usr/bin/env bash
# End to end: the real program on a private X server with a window manager
# (openbox), on a small 640 x 480 screen, driven by the keyboard alone. A fresh
# HOME, and a stand-in xdg-open that records the pages instead of starting a
# browser.
#
# Makes a reading (Enter on the reading button), walks both tabs' Tab chains,
# goes Back by Enter, opens a page from the Help menu, leaves through the exit
# screen, where a second copy's refusal and a refused e-mail address must both
# stand above the exit screen, pastes nothing into the message box, submits the
# refer-a-friend form by Enter and ends
# by Enter on Exit, leaving no process behind. Every window must open centred,
# frame included, and keep its title bar on the screen. Each step waits for what it needs (a window mapped or
# active, a page logged, a process ended), never for a fixed time.
set -euo pipefail
program=$(readlink -f "$1")
work=$(mktemp -d)
# shellcheck source=tests/private_home.sh
. "$(dirname "$(readlink -f "$0")")/private_home.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP WAYLAND_DISPLAY || true

readonly screen_w=640 screen_h=480
readonly patience=60 # seconds any one step may take on a busy machine

# Reported on the test's own error output, even from a condition being waited on.
exec 4>&2
fail() {
    echo "e2e: $*" >&4
    exit 1
}

# A private X server and its window manager. Xvfb picks a free display itself
# and writes its number to the descriptor.
Xvfb -displayfd 3 -screen 0 "${screen_w}x${screen_h}x24" -nolisten tcp \
    3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
openbox_pid=""
app=""
cleanup() {
    for p in $app $openbox_pid $xvfb; do kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Runs a condition until it holds or the patience runs out; the program must not
# end meanwhile.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + patience))
    until "$@" >/dev/null 2>&1; do
        [ -z "$app" ] || kill -0 "$app" 2>/dev/null || fail "the program ended while waiting for $what"
        [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}

display_known() { [ -s "$work/display" ]; }
wait_for "the X server" display_known
export DISPLAY=:$(tr -dc '0-9' <"$work/display")
openbox >"$work/openbox.log" 2>&1 &
openbox_pid=$!
wm_ready() {
    kill -0 "$openbox_pid" || fail "openbox ended: $(cat "$work/openbox.log")"
    xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}
wait_for "the window manager" wm_ready

# The visible window with this exact title and client width, if any.
window() {
    local title=$1 width=$2 w
    for w in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null); do
        [ "$(xwininfo -id "$w" | awk '/  Width:/ {print $2}')" = "$width" ] && {
            echo "$w"
            return 0
        }
    done
    return 1
}
# The message box on the screen: the only window titled just "Aromelle".
box() { xdotool search --onlyvisible --name '^Aromelle$' 2>/dev/null | head -n 1 | grep .; }
no_box() { ! box; }
# A menu of the program has popped up.
menu_open() {
    local w
    for w in $(xdotool search --onlyvisible --class aromelle 2>/dev/null); do
        xprop -id "$w" _NET_WM_WINDOW_TYPE | grep -q MENU && return 0
    done
    return 1
}
menu() { # menu ALT-KEY ENTRY-KEY
    xdotool key "$1"
    wait_for "the menu of $1" menu_open
    xdotool key "$2"
}
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }
gone() { ! window "$1" "$2"; }
# Window ids from bottom to top, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/^[^#]*# //; s/,//g'; }
on_top() { [ "$(printf '%d' "$(stacking | awk '{print $NF}')")" = "$1" ]; }
above() { # above LOWER UPPER
    local lower upper i=0 id
    for id in $(stacking); do
        i=$((i + 1))
        [ "$(printf '%d' "$id")" = "$1" ] && lower=$i
        [ "$(printf '%d' "$id")" = "$2" ] && upper=$i
    done
    [ -n "${lower:-}" ] && [ -n "${upper:-}" ] && [ "$upper" -gt "$lower" ]
}
logged() { [ -f "$work/urls" ] && grep -qxF "$1" "$work/urls"; }

# The frame must be centred on the screen, or against its top-left edge where
# the window is larger, so its title bar and close box are always on it.
check_placement() {
    local name=$1 w=$2 x y width height left right top bottom
    read -r x y < <(xwininfo -id "$w" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    read -r width height < <(xwininfo -id "$w" | awk '/  Width:/ {w=$2} /  Height:/ {h=$2} END {print w, h}')
    read -r left right top bottom < <(xprop -id "$w" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,/ /g')
    local outer_w=$((width + left + right)) outer_h=$((height + top + bottom))
    local want_x=$(((screen_w - outer_w) / 2)) want_y=$(((screen_h - outer_h) / 2))
    [ $want_x -ge 0 ] || want_x=0
    [ $want_y -ge 0 ] || want_y=0
    [ $((x - left)) -eq $want_x ] && [ $((y - top)) -eq $want_y ] ||
        fail "$name: frame at $((x - left)),$((y - top)), expected $want_x,$want_y"
}

started_on=$(date +%Y-%m-%d)
# Marks the program and whatever it starts, to find what outlives it.
AROMELLE_TEST_RUN=$work "$program" &
app=$!

# The input window: a name and 25 July (Leo), then Enter on the reading button.
wait_for "the input window" window "Aromelle v1.0" 497
input=$(window "Aromelle v1.0" 497)
wait_for "the input window to take the keyboard" active_is "$input"
check_placement "input window" "$input"
xdotool type --delay 20 "ann"
xdotool key Tab Tab
xdotool type --delay 20 "lee"
xdotool key Tab
for _ in 1 2 3 4 5 6; do xdotool key Down; done
xdotool key Tab
for _ in $(seq 24); do xdotool key Down; done
xdotool key Tab Tab Return

# The profile window opens on the perfume tab with the focus on Back.
wait_for "the profile window" window "Aromelle v1.0" 561
profile=$(window "Aromelle v1.0" 561)
wait_for "the profile window to take the keyboard" active_is "$profile"
check_placement "profile window" "$profile"
# Round the perfume tab (Back, tab bar, preferences) both ways; then on to the
# sun-sign tab from its tab bar and round it (Back, tab bar, positive traits,
# negative traits, picture) both ways. Each round ends on Back, and Enter presses it.
xdotool key Tab Tab Tab shift+Tab shift+Tab shift+Tab
xdotool key Tab Left Tab
# Selecting the positive traits takes the X primary selection from whoever held
# it (here xclip), and the program gives it up again: the reading stays out of it.
printf 'held elsewhere' | xclip -selection primary -loops 1 &
holder=$!
held() { xclip -o -selection primary | grep -qx 'held elsewhere'; }
wait_for "xclip to hold the primary selection" held
xdotool key ctrl+a
holder_gone() { ! kill -0 "$holder"; }
wait_for "the selection to be taken from xclip" holder_gone
primary_empty() { ! xclip -o -selection primary; }
wait_for "the trait text to leave the primary selection" primary_empty
xdotool key Tab Tab Tab
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
xdotool key Return
wait_for "Back to close the profile window" gone "Aromelle v1.0" 561
wait_for "Back to show the input window" active_is "$input"

# A page from the Help menu.
menu alt+h v
wait_for "the home page" logged "http://www.quorvane.com"

# Exit from the File menu: the exit screen, which stays on top.
menu alt+f x
wait_for "the exit screen" window "Aromelle v1.0" 741
leaving=$(window "Aromelle v1.0" 741)
wait_for "the exit screen to take the keyboard" active_is "$leaving"
check_placement "exit screen" "$leaving"

# A second copy is refused; its message stands above the exit screen, and the
# copy ends by itself once the message is answered.
"$program" &
second=$!
wait_for "the second copy's message" box
refusal=$(box)
wait_for "the second copy's message on top" above "$leaving" "$refusal"
xdotool windowactivate --sync "$refusal" 2>/dev/null || true
wait_for "the second copy's message to take the keyboard" active_is "$refusal"
xdotool key Return
status=0
wait $second || status=$?
[ $status -eq 0 ] || fail "second copy ended with $status"
xdotool windowactivate --sync "$leaving" 2>/dev/null || true
wait_for "the exit screen to take the keyboard again" active_is "$leaving"

# The refer-a-friend form (Exit, check box, icon, name): a space in an address is
# refused by a message that must stand above the exit screen and hold the keyboard.
xdotool key Tab Tab Tab
xdotool type --delay 20 "Ann Lee"
xdotool key Tab Tab
xdotool type --delay 20 "ann@example.org "
wait_for "the refusal" box
refused=$(box)
wait_for "the refusal above the exit screen" on_top "$refused"
wait_for "the refusal to take the keyboard" active_is "$refused"
xdotool key Return
wait_for "the refusal to close" no_box
wait_for "the exit screen to take the keyboard back" active_is "$leaving"
xdotool key Tab
xdotool type --delay 20 "bo@example.net"
xdotool key Tab
xdotool type --delay 20 "Bo"
# The reading emptied the clipboard: a paste into the message box brings nothing,
# and the program goes on.
xdotool key Tab ctrl+v shift+Insert shift+Tab
# Back to the submit button (friend's address, own address, submit); Enter.
xdotool key shift+Tab shift+Tab shift+Tab Return
refer="http://www.quorvane.com/qrvs-refer-a-friend.php?taf1=Ann%20Lee&taf2=ann%40example.org&taf3=Your%20Message%0D%0A&taf4=Bo&taf5=bo%40example.net&taf6=http%3A%2F%2Faromelle.quorvane.com%2F"
wait_for "the refer-a-friend page" logged "$refer"

# Back round to Exit (name, icon, check box, Exit) and Enter ends the program.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab Return
status=0
wait $app || status=$?
app=""
[ $status -eq 0 ] || fail "exit status $status"

# Nothing the program started is left running. With no session bus (none is set
# here), D-Bus would start one for it through dbus-launch (Debian's dbus-x11).
left=""
for pid in $(marked_processes "$work"); do left+=" $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"; done
[ -z "$left" ] || fail "left running after the program ended:$left"

echo "pages opened:"
cat "$work/urls"
[ "$(wc -l <"$work/urls")" -eq 2 ] || fail "unexpected pages"
conf=$work/home/.config/aromelle/aromelle.conf
# The date of the start, or of the day after should the run cross midnight.
grep -qxE "Duration=($started_on|$(date +%Y-%m-%d))" "$conf" || fail "no date stored in $conf"
echo "1 passed, 0 failed"
