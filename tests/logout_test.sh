#!/usr/bin/env bash
# A logout, as KDE Plasma and Xfce end their programs: the real program on its own
# Xvfb, a client of an X session manager (session_manager.cpp, on libSM) through
# SESSION_MANAGER, as Qt joins any session that names one.
#
#   logout_test.sh PROGRAM SESSION_MANAGER_PROGRAM
#
# 1. Started with a date more than two weeks old, the program asks about an update
#    before any window shows. A checkpoint (a save without ending) changes nothing:
#    the question stays up and the date stays. The session's end then ends the
#    program, with status 0, within a few seconds, no window shown: the question
#    was not answered, so its date stays and it comes again at the next start, and
#    the single-instance lock is free.
# 2. With the input window up, the session's end ends the program just as well.
#    This time it runs where no file may grow by a byte (a shell's `ulimit -f 0`)
#    and with no settings file: it stores the reminder's date at once, and the
#    write fails. The kernel would kill a program that writes past the limit with
#    SIGXFSZ; this one ignores the signal, so its window shows all the same.
set -euo pipefail
program=$(readlink -f "$1")
manager=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
for tool in Xvfb xdotool flock; do
    command -v "$tool" >/dev/null || { echo "logout: needs $tool" >&2; exit 1; }
done

readonly patience=60 # seconds any one step may take on a busy machine
readonly ending=10   # seconds the program may take to end once the session has

# shellcheck source=tests/private_home.sh
. "$here/private_home.sh"
private_run
private_home "$work"
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS || true
export QT_QPA_PLATFORM=xcb

exec 4>&2
fail() {
    echo "logout: $*" >&4
    echo "--- session manager" >&4
    cat "$work/manager.out" >&4 || true
    echo "--- program output (last lines)" >&4
    tail -n 20 "$work/program.log" >&4 || true
    exit 1
}
wait_for() {
    local what=$1 limit=$2
    shift 2
    local deadline=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ $SECONDS -lt $deadline ] || fail "timed out waiting for $what"
        sleep 0.05
    done
}

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
wait_for "the X server" $patience test -s "$work/display"
export DISPLAY=:$(tr -dc '0-9' <"$work/display")

# The manager reads its commands from a pipe the test holds open, and writes what
# happens to a file the test reads.
mkfifo "$work/manager.in"
"$manager" <"$work/manager.in" >"$work/manager.out" 2>&1 &
exec 5>"$work/manager.in"
wait_for "the session manager" $patience test -s "$work/manager.out"
SESSION_MANAGER=$(head -n 1 "$work/manager.out")
export SESSION_MANAGER
said() { [ "$(grep -cx "$1" "$work/manager.out")" -ge "$2" ]; }
window_up() { xdotool search --onlyvisible --name "^$1\$"; }

conf=$work/home/.config/aromelle/aromelle.conf
lock=$work/run/aromelle.lock
mkdir -p "$(dirname "$conf")"
readonly old_date=2000-01-01
printf '[Settings]\nDuration=%s\n' "$old_date" >"$conf"

# ends_within SECONDS PID: the program has ended by then, with status 0.
ends_within() {
    local limit=$1 pid=$2 started=$SECONDS status=0
    wait_for "the program to end after the logout" "$limit" bash -c "! kill -0 $pid"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
    echo "logout: the program ended $((SECONDS - started)) s after the session's end"
}

# 1. The start-up question.
"$program" >"$work/program.log" 2>&1 &
app=$!
wait_for "the program to join the session" $patience said registered 1
wait_for "the update question" $patience window_up Aromelle
echo checkpoint >&5
wait_for "the program's save" $patience said save-done 1
window_up Aromelle >/dev/null || fail "the checkpoint closed the update question"
! window_up "Aromelle v1.0" >/dev/null || fail "the checkpoint brought the input window up"
kill -0 "$app" 2>/dev/null || fail "the checkpoint ended the program"
grep -qx "Duration=$old_date" "$conf" || fail "the checkpoint changed the date: $(cat "$conf")"
echo logout >&5
wait_for "the program's save before the end" $patience said save-done 2
ends_within $ending "$app"
grep -qx "Duration=$old_date" "$conf" ||
    fail "the unanswered question stored a date: $(grep Duration "$conf")"
flock -n "$lock" true || fail "the lock is still held"
[ ! -e "$work/urls" ] || fail "pages opened: $(cat "$work/urls")"

# 2. The input window, where no file may grow: a first run, so no question.
rm "$conf"
(ulimit -f 0 && exec "$program") >>"$work/program.log" 2>&1 &
app=$!
wait_for "the program to join the session again" $patience said registered 2
wait_for "the input window" $patience window_up "Aromelle v1.0"
echo logout >&5
ends_within $ending "$app"
flock -n "$lock" true || fail "the lock is still held after the second logout"
[ ! -s "$conf" ] || fail "a date was stored where no file may grow: $(cat "$conf")"

if grep -qE "AddressSanitizer|LeakSanitizer|runtime error" "$work/program.log"; then
    fail "the program reported an error"
fi
echo "1 passed, 0 failed"
