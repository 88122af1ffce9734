#!/usr/bin/env bash
# What Aromelle's start-up and reading cost, in instructions counted by callgrind.
# Unlike times, the counts do not depend on how busy the machine is, so they show
# what a change gains:
#
#   bench/startup_profile.sh [BUILD_DIR [OUT_DIR]]   (defaults: build/release, a new
#                                                     temporary folder)
#
# Runs Aromelle, the one-label window, the empty window and the two-window program
# under callgrind on a private Xvfb server, in the environment bench/startup.sh
# gives them, each started by map_timer, and cuts the count at each request to map
# a window (xcb_map_window) and at each drawing sent to the X server
# (xcb_shm_put_image, xcb_put_image). It prints, against the baselines:
#   - the instructions to the first window's map request and to its first drawing;
#   - for Aromelle and the two-window program, with the keys of bench/startup.sh
#     typed once the first window is drawn and settled, the instructions from that
#     drawing to the second window's map request and to its first drawing;
# then what Aromelle's main(), start-up and input window spend before the map,
# inclusive of what they call. The callgrind files stay in OUT_DIR for
# callgrind_annotate or kcachegrind. With AROMELLE=PROGRAM in the environment it
# counts that program (another build's, to compare) instead of BUILD_DIR's.
# Needs valgrind and xdotool.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-build/release}
out=${2:-$(mktemp -d)}
command -v valgrind >/dev/null || { echo "startup_profile.sh: needs valgrind" >&2; exit 2; }
mkdir -p "$build" "$out"
build=$(cd "$build" && pwd)
out=$(cd "$out" && pwd)
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release > /dev/null
fi
cmake --build "$build" --target aromelle text_window minimal_window two_windows map_timer > /dev/null

# A fresh home, a private runtime folder and X server.
source "$(dirname "${BASH_SOURCE[0]}")/private_display.sh"

# The keys of bench/startup.sh (see there).
keys_aromelle=$(printf 'a\t\tb\t\t\t\t ')
keys_two=$(printf 'a\tb\t ')

# run NAME TITLE PROGRAM [KEYS]: runs PROGRAM under callgrind, started by map_timer,
# up to its first window's first drawing, or with KEYS on to the second window's.
# Callgrind writes one file, NAME.PID.N, per cut; the rest of the run (NAME.PID) is
# of no interest.
run() {
  local then=
  [[ -n ${4:-} ]] && then="xdotool type --delay 0 '$4'"
  rm -f "$out/$1".*
  # Under callgrind the program takes its time to settle after its first drawing.
  MAP_TIMER_THEN=$then MAP_TIMER_PAUSE_MS=3000 "$build/bench/map_timer" "$2" valgrind --tool=callgrind \
    --callgrind-out-file="$out/$1.%p" --dump-before=xcb_map_window \
    --dump-before=xcb_shm_put_image --dump-before=xcb_put_image "$3" > /dev/null 2> "$out/$1.log" ||
    { echo "startup_profile.sh: $3 could not be followed under callgrind:" >&2; cat "$out/$1.log" >&2; exit 1; }
}

# cuts NAME: one line per cut, in order: "map COUNT" or "draw COUNT", the count
# being the instructions since the cut before.
cuts() {
  local file
  for file in $(ls "$out/$1".*.* 2> /dev/null | grep -E '\.[0-9]+\.[0-9]+$' | sort -t. -k3,3n); do
    awk '/^desc: Trigger:/ { kind = /xcb_map_window/ ? "map" : "draw" }
      /^summary:/ { print kind, $2 }' "$file"
  done
}

# phases NAME: prints "to-map to-drawing then-to-map then-to-drawing": the
# instructions to the first map request and to the first drawing after it, and
# from there to the next map request and to the first drawing after that.
phases() {
  cuts "$1" | awk '{ total += $2 }
    step == 0 && $1 == "map" { map1 = total; step = 1; next }
    step == 1 && $1 == "draw" { draw1 = total; step = 2; next }
    step == 2 && $1 == "map" { map2 = total; step = 3; next }
    step == 3 && $1 == "draw" { draw2 = total; step = 4; next }
    END { if (step < 2) exit 1
      printf "%d %d %d %d\n", map1, draw1, (step >= 3 ? map2 - draw1 : 0), (step >= 4 ? draw2 - draw1 : 0) }'
}

run aromelle "Aromelle v1.0" "${AROMELLE:-$build/app/aromelle}" "$keys_aromelle"
run text_window "Text baseline" "$build/bench/text_window"
run minimal_window "Minimal" "$build/bench/minimal_window"
run two_windows "Reading baseline" "$build/bench/two_windows" "$keys_two"
for name in aromelle text_window minimal_window two_windows; do
  read -r -a counts <<< "$(phases "$name")" ||
    { echo "startup_profile.sh: $name was never drawn under callgrind" >&2; exit 1; }
  declare "map_$name=${counts[0]}" "drawn_$name=${counts[1]}" "then_map_$name=${counts[2]}" \
    "then_drawn_$name=${counts[3]}"
  # The first cut, at the first map request, for the breakdown below.
  first=$(ls "$out/$name".*.1 | head -n 1)
  ln -sf "$(basename "$first")" "$out/$name.before-map"
done
[[ $then_drawn_aromelle -gt 0 && $then_drawn_two_windows -gt 0 ]] ||
  { echo "startup_profile.sh: the keys brought no second window under callgrind" >&2; exit 1; }

echo "Instructions (callgrind, ${AROMELLE:-$build}), in millions"
printf '  %-28s %14s %14s\n' "" "to the map" "to the drawing"
for pair in "Aromelle:aromelle" "one-label window:text_window" "empty window:minimal_window"; do
  map=map_${pair#*:} drawn=drawn_${pair#*:}
  printf '  %-28s %14.1f %14.1f\n' "${pair%%:*}" "$(awk -v n="${!map}" 'BEGIN { print n / 1e6 }')" \
    "$(awk -v n="${!drawn}" 'BEGIN { print n / 1e6 }')"
done
awk -v a="$map_aromelle" -v t="$map_text_window" -v ad="$drawn_aromelle" -v td="$drawn_text_window" \
  'BEGIN { printf "  Aromelle / one-label window  %.3f to the map, %.3f to the first drawing\n", a / t, ad / td }'
echo "From the first window's first drawing, with the keys for a reading, in millions"
printf '  %-28s %14s %14s\n' "" "to the 2nd map" "to its drawing"
for pair in "Aromelle:aromelle" "two-window program:two_windows"; do
  map=then_map_${pair#*:} drawn=then_drawn_${pair#*:}
  printf '  %-28s %14.1f %14.1f\n' "${pair%%:*}" "$(awk -v n="${!map}" 'BEGIN { print n / 1e6 }')" \
    "$(awk -v n="${!drawn}" 'BEGIN { print n / 1e6 }')"
done
awk -v a="$then_map_aromelle" -v t="$then_map_two_windows" -v ad="$then_drawn_aromelle" \
  -v td="$then_drawn_two_windows" 'BEGIN {
    printf "  Aromelle / two-window program  %.3f to the map, %.3f to the drawing\n", a / t, ad / td }'

# inclusive NAME FUNCTION: instructions spent in FUNCTION and what it calls.
inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 "$out/$1.before-map" 2> /dev/null |
    awk -v f="???:$2 [" 'index($0, f) { gsub(",", "", $1); print $1; found = 1; exit }
      END { if (!found) print 0 }'
}
share() { # LABEL AROMELLE TEXT
  printf '  %-36s %12s %12s\n' "$1" "$2" "$3"
}
echo "Before the first map request, where they go, inclusive of what each calls:"
share "" "Aromelle" "one-label"
share "before main() (loading, relocating)" $((map_aromelle - $(inclusive aromelle main))) \
  $((map_text_window - $(inclusive text_window main)))
for f in 'QApplication::QApplication(int&, char**, int)' \
  'QFontconfigDatabase::populateFontDatabase()' \
  'QFontconfigDatabase::fontEngine(QFontDef const&, void*)' \
  'QTextEngine::shapeText(int) const'; do
  case $f in
  QApplication*) label="QApplication" ;;
  *populate*) label="font database (fontconfig)" ;;
  *fontEngine*) label="font engines, one per font" ;;
  *) label="text shaping (HarfBuzz)" ;;
  esac
  share "$label" "$(inclusive aromelle "$f")" "$(inclusive text_window "$f")"
done

# callees FUNCTION: the functions FUNCTION calls, inclusive, as callgrind_annotate's
# calling tree lists them under it.
tree=$out/aromelle.tree
callgrind_annotate --inclusive=yes --tree=calling --threshold=100 "$out/aromelle.before-map" \
  > "$tree" 2> /dev/null
callees() {
  awk -v f="*  ???:$1 [" 'index($0, f) { on = 1; print; next } on && /^ *$/ { exit }
    on && / > / { print }' "$tree" | head -n 12 | sed -e 's/ \[[^]]*\]$//' -e 's/???://' -e 's/^/  /'
}
echo "Aromelle, inclusive (instructions, share of the whole):"
callees main
callees 'aromelle::startUp(aromelle::Windows&)'
callees 'aromelle::FrmMain::FrmMain(aromelle::Services const&)'
echo "Callgrind files: $out"
