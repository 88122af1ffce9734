#!/usr/bin/env bash
# End to end: the real program on a private X server, driven with real keys.
# A fresh HOME, and a stand-in xdg-open that records the pages instead of
# starting a browser. Types a name, makes a reading, opens a page, refuses a
# second copy, leaves through the exit screen with a refer-a-friend submit, and
# checks the pages asked for, the stored setting and the exit status.
set -euo pipefail
program=$(readlink -f "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/run"
chmod 700 "$work/run"
cat > "$work/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >> "$work/urls"
SH
chmod +x "$work/bin/xdg-open"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
export PATH=$work/bin:$PATH QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP || true
export AROMELLE=$program WORK=$work

xvfb-run -a -s "-screen 0 1024x768x24" bash -euo pipefail -c '
  step() { sleep 0.4; }
  window() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
  "$AROMELLE" & pid=$!
  win=$(window "Aromelle v1.0")
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  # The caption the desktop shows is exactly the window'"'"'s own.
  [ "$(xdotool getwindowname "$win")" = "Aromelle v1.0" ] || { echo "caption: $(xdotool getwindowname "$win")" > "$WORK/status"; kill $pid; exit 0; }
  step
  xdotool type --delay 40 "ann"; xdotool key Tab Tab; xdotool type --delay 40 "lee"
  # July, 25: Leo.
  xdotool key Tab; for i in 1 2 3 4 5 6; do xdotool key Down; done
  xdotool key Tab; for i in $(seq 24); do xdotool key Down; done
  step
  xdotool key alt+f; step; xdotool key Return; step; step
  # The profile window (561 pixels wide) has taken the input window'"'"'s place.
  shown=$(window "Aromelle v1.0")
  xdotool getwindowgeometry --shell "$shown" | grep -qx "WIDTH=561" || { echo "no reading" > "$WORK/status"; kill $pid; exit 0; }
  # A second copy is refused with a message and ends by itself.
  "$AROMELLE" & second=$!
  box=$(window "Aromelle$"); xdotool windowactivate --sync "$box" 2>/dev/null || true
  step; xdotool key Return
  wait $second; echo "second copy ended with $?" > "$WORK/second"
  win=$(window "Aromelle v1.0")
  xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
  step
  xdotool key alt+h; step; xdotool key v; step
  xdotool key alt+f; step; xdotool key x; step; step
  exit_win=$(window "Aromelle v1.0")
  xdotool windowactivate --sync "$exit_win" 2>/dev/null || xdotool windowfocus --sync "$exit_win"
  step
  xdotool key Tab Tab; xdotool type --delay 40 "Ann Lee"
  xdotool key Tab Tab; xdotool type --delay 40 "ann@example.org"
  xdotool key Tab; xdotool type --delay 40 "bo@example.net"
  xdotool key Tab; xdotool type --delay 40 "Bo"
  xdotool key alt+n; step
  xdotool key alt+x
  wait $pid; echo $? > "$WORK/status"
'

fail() { echo "e2e: $*" >&2; exit 1; }
[ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status")"
grep -qx "second copy ended with 0" "$work/second" || fail "second copy: $(cat "$work/second")"
[ -f "$work/urls" ] || fail "no page was opened"
echo "pages opened:"; cat "$work/urls"
grep -qx "http://www.quorvane.com" "$work/urls" || fail "home page not opened"
refer="http://www.quorvane.com/qrvs-refer-a-friend.php?taf1=Ann%20Lee&taf2=ann%40example.org&taf3=Your%20Message%0D%0A&taf4=Bo&taf5=bo%40example.net&taf6=http%3A%2F%2Faromelle.quorvane.com%2F"
grep -qxF "$refer" "$work/urls" || fail "refer-a-friend page not opened as expected"
[ "$(wc -l < "$work/urls")" -eq 2 ] || fail "unexpected pages"
conf=$work/home/.config/aromelle/aromelle.conf
grep -qx "Duration=$(date +%Y-%m-%d)" "$conf" || fail "no date stored in $conf"
echo "1 passed, 0 failed"
