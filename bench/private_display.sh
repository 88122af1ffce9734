# Sourced by the start-up measures: a scratch folder removed on exit, a fresh home
# holding the one setting (so no question is asked), a private runtime folder, no
# desktop settings that would change what Qt loads, and a private Xvfb server.
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# A fresh home with the one setting, and a private runtime folder.
mkdir -p "$work/home/.config/aromelle" "$work/home/.cache" "$work/run"
chmod 700 "$work/run"
printf '[Settings]\nDuration=%s\n' "$(date +%Y-%m-%d)" > "$work/home/.config/aromelle/aromelle.conf"
unset DBUS_SESSION_BUS_ADDRESS XDG_CURRENT_DESKTOP DESKTOP_SESSION SESSION_MANAGER \
  QT_QPA_PLATFORMTHEME QT_STYLE_OVERRIDE QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
  QT_AUTO_SCREEN_SCALE_FACTOR QT_DEBUG_PLUGINS QT_LOGGING_RULES WAYLAND_DISPLAY || true
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_CACHE_HOME=$work/home/.cache
export XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=xcb

# Xvfb picks a free display number itself and writes it to the descriptor.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "$(basename "$0"): Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
  sleep 0.1
done
[[ -s $work/display ]] || { echo "$(basename "$0"): Xvfb gave no display" >&2; exit 1; }
DISPLAY=:$(tr -dc '0-9' < "$work/display")
export DISPLAY
