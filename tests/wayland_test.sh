#!/usr/bin/env bash
# The real program under Wayland: a headless weston on its own socket in a
# private runtime folder, with a fresh HOME and a stand-in xdg-open. Reads the
# client's protocol log (WAYLAND_DEBUG) to see the input window become a
# toplevel with its caption, acknowledge its first configure, commit a buffer and
# enter the compositor's output. The log's form changes between libwayland
# releases (object ids written xdg_toplevel@17 or xdg_toplevel#17, a queue tag,
# other time stamps), so each line is first brought to one form. Headless weston
# has no input devices, so nothing can press Exit; the test ends the program the
# way a Wayland session does at logout, with SIGTERM, and checks that it ends
# promptly, by that signal and without a protocol error.
set -euo pipefail
program=$(readlink -f "$1")
readonly kWaitSeconds=60
readonly kPollSeconds=0.1
readonly kCaption="Aromelle v1.0"
readonly kSocket=aromelle-test

work=$(mktemp -d)
weston_pid=""
app_pid=""
# Runs on every way out, failures included: nothing in it may end it early.
stop() {
  set +e
  if [ -n "$app_pid" ]; then kill -KILL "$app_pid" 2>/dev/null; wait "$app_pid" 2>/dev/null; fi
  if [ -n "$weston_pid" ]; then
    kill -TERM "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop EXIT
# An interrupted run must not leave weston behind: signals end through the EXIT trap.
trap 'exit 1' HUP INT PIPE TERM
# shellcheck source=tests/private_home.sh
. "$(dirname "$(readlink -f "$0")")/private_home.sh"
private_home "$work"
unset DISPLAY WAYLAND_SOCKET DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP || true

log=$work/client.log
fail() {
  echo "wayland: $*" >&2
  echo "--- weston log" >&2; cat "$work/weston.log" >&2 || true
  echo "--- program output (last lines)" >&2; tail -n 40 "$log" >&2 || true
  exit 1
}

# wait_for DESCRIPTION COMMAND...: polls COMMAND until it succeeds, giving up
# after kWaitSeconds; fails early when weston or the program has gone.
wait_for() {
  local what=$1 tries
  shift
  tries=$(awk -v s="$kWaitSeconds" -v p="$kPollSeconds" 'BEGIN { print int(s / p) }')
  for ((i = 0; i < tries; i++)); do
    "$@" && return 0
    kill -0 "$weston_pid" 2>/dev/null || fail "weston ended while waiting for $what"
    if [ -n "$app_pid" ] && ! kill -0 "$app_pid" 2>/dev/null; then
      wait "$app_pid" && status=0 || status=$?
      app_pid=""
      fail "the program ended with status $status while waiting for $what"
    fi
    sleep "$kPollSeconds"
  done
  fail "timed out waiting for $what"
}

weston --backend=headless-backend.so --socket="$kSocket" --no-config --idle-time=0 \
  >"$work/weston.log" 2>&1 &
weston_pid=$!
wait_for "weston's socket" test -S "$work/run/$kSocket"

QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=$kSocket WAYLAND_DEBUG=1 "$program" >"$log" 2>&1 &
app_pid=$!

# The log in one form: no time stamp or queue tag in front, "-> " before each
# request, object ids as interface@id.
protocol=$work/protocol.log
normalise() {
  sed -E -e 's/^\[[^]]*\][[:space:]]*//' -e 's/^\{[^}]*\}[[:space:]]*//' \
    -e 's/^->[[:space:]]*/-> /' -e 's/([A-Za-z_][A-Za-z0-9_]*)#([0-9]+)/\1@\2/g' \
    "$log" >"$protocol"
}
# The object ids tie the caption to the surface that is shown: the toplevel
# titled kCaption, its xdg_surface, and the wl_surface under both.
ids() {
  local toplevel
  toplevel=$(grep -oE "xdg_toplevel@[0-9]+\.set_title\(\"$kCaption\"\)" "$protocol" |
    head -n 1 | cut -d. -f1)
  [ -n "$toplevel" ] || return 1
  xdg_surface=$(grep -oE "xdg_surface@[0-9]+\.get_toplevel\(new id $toplevel\)" "$protocol" |
    head -n 1 | cut -d. -f1)
  [ -n "$xdg_surface" ] || return 1
  surface=$(grep -oE "get_xdg_surface\(new id $xdg_surface, wl_surface@[0-9]+\)" "$protocol" |
    head -n 1 | grep -oE "wl_surface@[0-9]+")
  [ -n "$surface" ]
}
# Shown: the first configure acknowledged, a buffer attached and then committed,
# and the compositor reporting the surface on its output.
window_shown() {
  normalise
  ids || return 1
  grep -qF -- "-> $xdg_surface.ack_configure(" "$protocol" || return 1
  awk -v s="$surface" '
    index($0, "-> " s ".attach(wl_buffer@") == 1 { attached = 1 }
    attached && index($0, "-> " s ".commit()") == 1 { committed = 1 }
    END { exit !committed }' "$protocol" || return 1
  grep -qE "^$surface\.enter\(wl_output@" "$protocol"
}
wait_for "the input window to be shown" window_shown
echo "shown: $kCaption on $surface"

kill -TERM "$app_pid"
ended() { ! kill -0 "$app_pid" 2>/dev/null; }
wait_for "the program to end on SIGTERM" ended
wait "$app_pid" && status=0 || status=$?
app_pid=""
readonly kTerminated=$((128 + 15))
[ "$status" -eq "$kTerminated" ] || fail "exit status $status after SIGTERM, expected $kTerminated"
if grep -qE "wl_display@1\.error\(|fatal error|AddressSanitizer|runtime error" "$log"; then
  fail "the program reported an error"
fi
[ ! -e "$work/urls" ] || fail "pages opened without being asked for: $(cat "$work/urls")"
echo "1 passed, 0 failed"
