#!/usr/bin/env bash
# What Aromelle's start-up costs before its first window maps, in instructions
# counted by callgrind. Unlike times, the counts do not depend on how busy the
# machine is, so they show what a change to the start path gains:
#
#   bench/startup_profile.sh [BUILD_DIR [OUT_DIR]]   (defaults: build/release, a new
#                                                     temporary folder)
#
# Runs Aromelle, the one-label window and the empty window once each under callgrind
# on a private Xvfb server, in the environment bench/startup.sh gives them, and
# counts up to each program's first request to map a window (xcb_map_window). Prints
# the counts, Aromelle's ratio to the one-label window, and what Aromelle's main(),
# start-up and input window spend, inclusive of what they call. The callgrind files
# stay in OUT_DIR for callgrind_annotate or kcachegrind. Needs valgrind.
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
cmake --build "$build" --target aromelle text_window minimal_window > /dev/null

# A fresh home, a private runtime folder and X server.
source "$(dirname "${BASH_SOURCE[0]}")/private_display.sh"

# count NAME PROGRAM: prints the instructions PROGRAM runs before its first map
# request. Callgrind writes NAME.PID.1 when the request comes; the rest of the run
# (NAME.PID, and files of processes forked on the way) is of no interest.
count() {
  local pid file
  valgrind --tool=callgrind --callgrind-out-file="$out/$1.%p" --dump-before=xcb_map_window \
    "$2" > /dev/null 2> "$out/$1.log" &
  pid=$!
  file=$out/$1.$pid.1
  for _ in $(seq 1200); do
    [[ -s $file ]] && grep -q '^summary:' "$file" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [[ -s $file ]] || { echo "startup_profile.sh: $2 never asked to map a window" >&2; exit 1; }
  ln -sf "$(basename "$file")" "$out/$1.before-map"
  sed -n 's/^summary: //p' "$file"
}

aromelle=$(count aromelle "$build/app/aromelle")
text=$(count text_window "$build/bench/text_window")
minimal=$(count minimal_window "$build/bench/minimal_window")
echo "Instructions before the first window is mapped (callgrind, $build)"
printf '  %-18s %12d\n' "Aromelle" "$aromelle" "one-label window" "$text" "empty window" "$minimal"
awk -v a="$aromelle" -v t="$text" 'BEGIN { printf "  Aromelle / one-label window  %.3f\n", a / t }'

# inclusive NAME FUNCTION: instructions spent in FUNCTION and what it calls.
inclusive() {
  callgrind_annotate --inclusive=yes --threshold=100 "$out/$1.before-map" 2> /dev/null |
    awk -v f="???:$2 [" 'index($0, f) { gsub(",", "", $1); print $1; found = 1; exit }
      END { if (!found) print 0 }'
}
share() { # LABEL AROMELLE TEXT
  printf '  %-36s %12s %12s\n' "$1" "$2" "$3"
}
echo "Where they go, inclusive of what each calls:"
share "" "Aromelle" "one-label"
share "before main() (loading, relocating)" $((aromelle - $(inclusive aromelle main))) \
  $((text - $(inclusive text_window main)))
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
callees 'aromelle::startUp()'
callees 'FrmMain::FrmMain()'
echo "Callgrind files: $out"
