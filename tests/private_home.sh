# Sourced by the tests that run the real program or start services for it.
#
# private_home WORK: a fresh HOME, with the configuration folder every desktop makes,
# and a private runtime folder under WORK, and a stand-in xdg-open first on PATH that
# writes each page asked for to WORK/urls instead of starting a browser, and a line
# more for a browser that would be started without a session bus the user has (the
# program's own D-Bus switch).
private_home() {
    local work=$1
    mkdir -p "$work/bin" "$work/home/.config" "$work/run"
    chmod 700 "$work/run"
    cat >"$work/bin/xdg-open" <<SH
#!/bin/sh
printf '%s\n' "\$1" >> "$work/urls"
[ "\${DBUS_SESSION_BUS_ADDRESS-}" != disabled: ] || echo "inherited DBUS_SESSION_BUS_ADDRESS" >> "$work/urls"
SH
    chmod +x "$work/bin/xdg-open"
    export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
    export PATH=$work/bin:$PATH
}

# marked_processes WORK: the processes, other than this shell, started under
# `export AROMELLE_TEST_RUN=WORK`, the services D-Bus starts on demand included.
marked_processes() {
    local p
    for p in /proc/[0-9]*; do
        [ "${p#/proc/}" != "$$" ] || continue
        grep -qzx "AROMELLE_TEST_RUN=$1" "$p/environ" 2>/dev/null && echo "${p#/proc/}"
    done
    return 0
}

# private_run: a fresh folder in $work for one run of a test, marked on every process
# started from here on (AROMELLE_TEST_RUN); however the test ends, all of them, the
# services D-Bus starts on demand included, are ended and the folder is removed.
# Signals end the test through the same way out.
private_run() {
    work=$(mktemp -d)
    export AROMELLE_TEST_RUN=$work
    trap end_private_run EXIT
    trap 'exit 1' HUP INT PIPE TERM
}
end_private_run() {
    local pids
    pids=$(marked_processes "$work")
    # The shell would report each killed job; all there is to say has been said.
    exec 2>/dev/null
    # shellcheck disable=SC2086 # one word per process
    [ -z "$pids" ] || kill -KILL $pids || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
