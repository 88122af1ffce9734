#!/usr/bin/env bash
# How fast and lean Aromelle is where the user looks, in one command:
#
#   bench/startup.sh [BUILD_DIR [RUNS [OTHER_AROMELLE]]]   (defaults: build/release, 16)
#
# Builds aromelle, text_window, minimal_window, two_windows, reading_bench and
# map_timer in BUILD_DIR (making a Release configuration there first if it has
# none). Then, on a private Xvfb server with no window manager, it measures, each
# program RUNS times, taking turns, after one unmeasured start of each:
#
# 1. Start-up. Aromelle, the one-label window (text_window) and the empty window
#    (minimal_window). map_timer starts a program and times it from fork to the
#    MapNotify of its first window and on to that window's first drawing (the first
#    X Damage event on it: what the user first sees), reading the program's peak
#    resident memory (VmHWM) and processor time at both moments, and kills it. The
#    baseline is the one-label window: a Qt window showing one line of text and
#    sized by it, so that, like Aromelle, it sets up the fonts and lays out its text
#    before it can map. The empty window never loads a font; it is for information.
# 2. A reading. Aromelle and the two-window program (two_windows: a form with a
#    first name, a last name and a button that swaps it for a window of two tabs
#    with labels and three read-only text boxes). Once the first window is drawn,
#    map_timer gives it the focus and, after a user's pause of 200 ms, has xdotool
#    (one run, no delays) type a first and a last name and press the button, and
#    times that to the second window's map and first drawing, with the processor
#    time the program used meanwhile. The keys do the same in both: Aromelle's go on
#    through its middle name and date lists to the button.
# 3. reading_bench: a reading and Back on the offscreen platform, then its long
#    session (1,000 readings and Backs in a process of its own) with the resident
#    memory after the first and the last.
#
# Aromelle runs as on a fresh machine: an empty home whose one setting says the
# update question was asked today, and a private runtime folder for its lock. All
# get the same plain environment (no desktop session, no D-Bus session bus). With
# OTHER_AROMELLE (another build's program), that one takes its turns beside this
# build's in 1 and 2, to compare two builds in one run. PASS or MISS for each target:
#   first drawing            <= 1.20 x the one-label window's
#   peak memory at it        <= 1.10 x the one-label window's
#   keys to a shown reading  <= 1.30 x the two-window program
#   first map, peak memory at it  <= 1.05 x the one-label window's
#   reading, Back            <  5 ms median each
#   memory after 1,000 readings  <= 3 MB above that after the first
# Taking turns cancels much of the load of a busy machine, but not all: the load
# average is printed with each part, and so is the processor time each program had
# used, which waiting for a processor does not lengthen. bench/startup_profile.sh
# counts instructions instead, which the load does not change. A miss is reported,
# not an error: the script fails only when it cannot measure.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-build/release}
runs=${2:-16}
other=${3:-}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "startup.sh: RUNS must be a positive number" >&2; exit 2; }
if [[ -n $other ]]; then
  [[ -x $other ]] || { echo "startup.sh: $other is not a program" >&2; exit 2; }
  other=$(cd "$(dirname "$other")" && pwd)/$(basename "$other")
fi
mkdir -p "$build"
build=$(cd "$build" && pwd)

quietly() { # runs a command, showing its output only when it fails
  local output
  output=$("$@" 2>&1) || { echo "$output" >&2; echo "startup.sh: failed: $*" >&2; exit 1; }
}
if [[ ! -f $build/CMakeCache.txt ]]; then
  quietly cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
quietly cmake --build "$build" --target aromelle text_window minimal_window two_windows reading_bench map_timer
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")

declare -A program title
program[aromelle]=$build/app/aromelle
program[text]=$build/bench/text_window
program[minimal]=$build/bench/minimal_window
program[two]=$build/bench/two_windows
title[aromelle]="Aromelle v1.0"
title[text]="Text baseline"
title[minimal]="Minimal"
title[two]="Reading baseline"
if [[ -n $other ]]; then
  program[other]=$other
  title[other]=${title[aromelle]}
fi
reading_bench=$build/bench/reading_bench
map_timer=$build/bench/map_timer
for file in "${program[@]}" "$reading_bench" "$map_timer"; do
  [[ -x $file ]] || { echo "startup.sh: $file was not built" >&2; exit 1; }
done

# A fresh home, a private runtime folder and X server.
source "$(dirname "${BASH_SOURCE[0]}")/private_display.sh"

# The keys for a reading, typed into the first window once it is drawn and focused
# (its first name has the focus), then Space on the button. Aromelle: a first name, Tab past the
# middle name, a last name, Tab past the three date lists (1 January 1900) to the
# button. The two-window program: a first name, Tab, a last name, Tab to the button.
declare -A keys
keys[aromelle]=$(printf 'a\t\tb\t\t\t\t ')
keys[other]=${keys[aromelle]}
keys[two]=$(printf 'a\tb\t ')

# measure NAME OUT [KEYS]: starts program NAME under map_timer and appends its figures
# to OUT: "map-ms peak-kB anonymous-kB cpu-ms drawn-ms drawn-peak-kB drawn-cpu-ms",
# and with KEYS "keys-to-map-ms keys-to-drawn-ms peak-kB-then cpu-ms-meanwhile" after them. A start that fails is
# tried once more before the script gives up.
measure() {
  local line attempt then=
  [[ -n ${3:-} ]] && then="xdotool type --delay 0 '$3'"
  for attempt in 1 2; do
    if line=$(MAP_TIMER_THEN=$then "$map_timer" "${title[$1]}" "${program[$1]}") &&
      [[ $line =~ startup_ms=([0-9.]+)\ vmhwm_kb=([0-9]+)\ .*rssanon_kb=([0-9]+)\ cpu_ms=([0-9.]+)\ drawn_ms=([0-9.]+)\ drawn_vmhwm_kb=([0-9]+)\ drawn_cpu_ms=([0-9.]+)(\ then_ms=([0-9.]+)\ then_drawn_ms=([0-9.]+)\ total_ms=[0-9.]+\ then_vmhwm_kb=([0-9]+)\ then_cpu_ms=([0-9.]+))? ]] &&
      [[ -z ${3:-} || -n ${BASH_REMATCH[10]} ]]; then
      echo "${BASH_REMATCH[*]:1:7} ${BASH_REMATCH[9]} ${BASH_REMATCH[10]} ${BASH_REMATCH[11]} ${BASH_REMATCH[12]}" >> "$2"
      return
    fi
    echo "startup.sh: $attempt. ${3:+reading with }${program[$1]} could not be timed" >&2
  done
  exit 1
}

median() { # of column $1 in file $2
  sort -g -k"$1","$1" "$2" | awk -v c="$1" '{ v[NR] = $c } END {
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
range() { # lowest..highest of column $1 in file $2
  sort -g -k"$1","$1" "$2" | awk -v c="$1" 'NR == 1 { lo = $c } { hi = $c } END { printf "%s..%s", lo, hi }'
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
at_most() { awk -v a="$1" -v b="$2" 'BEGIN { print (a <= b) ? "PASS" : "MISS" }'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { print (a < b) ? "PASS" : "MISS" }'; }
load() { cut -d' ' -f1-3 /proc/loadavg; }
# judge LABEL RATIO TARGET
judge() { printf '  %-58s %s  (target <= %s)  %s\n' "$1" "$2" "$3" "$(at_most "$2" "$3")"; }

echo "Build $build (${build_type:-no build type})${other:+; also $other}"
starters=(aromelle text minimal)
[[ -n $other ]] && starters+=(other)
echo "Start-up to the first window mapped and drawn, on Xvfb $DISPLAY, $runs runs each; load average $(load)"
for name in "${starters[@]}"; do
  measure "$name" /dev/null # one unmeasured start each: warm caches
  : > "$work/$name"
done
for _ in $(seq "$runs"); do
  for name in "${starters[@]}"; do
    measure "$name" "$work/$name"
  done
done
echo "  load average after: $(load)"

declare -A ms kb anon cpu drawn drawn_kb drawn_cpu
for name in "${starters[@]}"; do
  ms[$name]=$(median 1 "$work/$name")
  kb[$name]=$(median 2 "$work/$name")
  anon[$name]=$(median 3 "$work/$name")
  cpu[$name]=$(median 4 "$work/$name")
  drawn[$name]=$(median 5 "$work/$name")
  drawn_kb[$name]=$(median 6 "$work/$name")
  drawn_cpu[$name]=$(median 7 "$work/$name")
done
printf '  %-22s %9s %10s %10s %9s %10s %9s   %s\n' "" "drawn" "peak RSS" "processor" "mapped" \
  "peak RSS" "anonymous" "drawn range (ms)"
row() {
  printf '  %-22s %6.1f ms %7.0f kB %7.1f ms %6.1f ms %7.0f kB %6.0f kB   %s\n' "$1" "${drawn[$2]}" \
    "${drawn_kb[$2]}" "${drawn_cpu[$2]}" "${ms[$2]}" "${kb[$2]}" "${anon[$2]}" "$(range 5 "$work/$2")"
}
row "Aromelle" aromelle
[[ -n $other ]] && row "Aromelle, other build" other
row "one-label window" text
row "empty window (info)" minimal

judge "first drawing, Aromelle / one-label window" "$(ratio "${drawn[aromelle]}" "${drawn[text]}")" 1.20
judge "peak memory at the first drawing, Aromelle / one-label" "$(ratio "${drawn_kb[aromelle]}" "${drawn_kb[text]}")" 1.10
judge "first map, Aromelle / one-label window" "$(ratio "${ms[aromelle]}" "${ms[text]}")" 1.05
judge "peak memory at the first map, Aromelle / one-label" "$(ratio "${kb[aromelle]}" "${kb[text]}")" 1.05
echo "  for information: processor time to the first drawing, Aromelle / one-label window" \
  "$(ratio "${drawn_cpu[aromelle]}" "${drawn_cpu[text]}") (a busy machine does not lengthen it)"
if [[ -n $other ]]; then
  echo "  for information: this build / the other: first drawing $(ratio "${drawn[aromelle]}" "${drawn[other]}")," \
    "peak memory at it $(ratio "${drawn_kb[aromelle]}" "${drawn_kb[other]}")," \
    "processor time $(ratio "${drawn_cpu[aromelle]}" "${drawn_cpu[other]}")"
fi

readers=(aromelle two)
[[ -n $other ]] && readers+=(other)
echo "Keys to a shown reading, on Xvfb $DISPLAY, $runs runs each (typed by xdotool at once, 200 ms" \
  "after the first window's first drawing); load average $(load)"
for name in "${readers[@]}"; do
  measure "$name" /dev/null "${keys[$name]}"
  : > "$work/$name.reading"
done
for _ in $(seq "$runs"); do
  for name in "${readers[@]}"; do
    measure "$name" "$work/$name.reading" "${keys[$name]}"
  done
done
echo "  load average after: $(load)"
printf '  %-24s %17s %15s %12s %11s   %s\n' "" "to the 2nd window" "to its drawing" "peak RSS" \
  "processor" "drawing range (ms)"
reading_row() {
  printf '  %-24s %14.1f ms %12.1f ms %9.0f kB %8.1f ms   %s\n' "$1" "$(median 8 "$work/$2.reading")" \
    "$(median 9 "$work/$2.reading")" "$(median 10 "$work/$2.reading")" \
    "$(median 11 "$work/$2.reading")" "$(range 9 "$work/$2.reading")"
}
reading_row "Aromelle" aromelle
[[ -n $other ]] && reading_row "Aromelle, other build" other
reading_row "two-window program" two
judge "keys to a shown reading, Aromelle / two-window program" \
  "$(ratio "$(median 9 "$work/aromelle.reading")" "$(median 9 "$work/two.reading")")" 1.30
echo "  for information: processor time meanwhile, Aromelle / two-window program" \
  "$(ratio "$(median 11 "$work/aromelle.reading")" "$(median 11 "$work/two.reading")")"
if [[ -n $other ]]; then
  echo "  for information: this build / the other: keys to a shown reading" \
    "$(ratio "$(median 9 "$work/aromelle.reading")" "$(median 9 "$work/other.reading")"), processor time" \
    "$(ratio "$(median 11 "$work/aromelle.reading")" "$(median 11 "$work/other.reading")")," \
    "peak memory $(ratio "$(median 10 "$work/aromelle.reading")" "$(median 10 "$work/other.reading")")"
fi
printf '  for information: launch to a shown reading (Aromelle) %.1f ms\n' \
  "$(awk '{ print $5 + $9 }' "$work/aromelle.reading" | sort -g | awk '{ v[NR] = $1 } END {
    print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }')"

echo "Reading and Back (reading_bench, offscreen platform, median of single steps)"
"$reading_bench" --benchmark_filter=-LongSession --benchmark_format=csv > "$work/reading.csv" 2> "$work/reading.log" ||
  { echo "startup.sh: reading_bench failed:" >&2; cat "$work/reading.log" >&2; exit 1; }
bench_ms() { # the median (or the single) real time of benchmark $1, in ms
  awk -F, -v name="$1" '$1 ~ "^\"" name "/" && ($1 ~ /_median"$/ || $1 !~ /_(mean|median|stddev|cv)"$/) {
    print $3; exit }' "$work/reading.csv"
}
reading_ms=$(bench_ms Reading)
back_ms=$(bench_ms Back)
events_ms=$(bench_ms ReadingAndEvents)
first_ms=$(bench_ms FirstReading)
[[ -n $reading_ms && -n $back_ms && -n $events_ms && -n $first_ms ]] ||
  { echo "startup.sh: no medians in reading_bench's output:" >&2; cat "$work/reading.csv" >&2; exit 1; }
printf '  reading            %8.3f ms  (target < 5 ms)  %s\n' "$reading_ms" "$(below "$reading_ms" 5)"
printf '  Back               %8.3f ms  (target < 5 ms)  %s\n' "$back_ms" "$(below "$back_ms" 5)"
printf '  reading + events   %8.3f ms  (for information: until the queued layout and paint are done)\n' "$events_ms"
printf '  first reading      %8.3f ms  (for information: the first of the process, once)\n' "$first_ms"

echo "A long session (reading_bench LongSession: 1,000 readings and Backs, offscreen platform)"
"$reading_bench" --benchmark_filter=LongSession --benchmark_format=csv > "$work/long.csv" 2> "$work/long.log" ||
  { echo "startup.sh: reading_bench failed:" >&2; cat "$work/long.log" >&2; exit 1; }
counter() { # the value of counter $1 in the long session's output
  awk -F, -v name="$1" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "\"" name "\"") c = i; next }
    c && $1 ~ /^"LongSession/ { print $c; exit }' "$work/long.csv"
}
rss_1=$(counter rss_1_kB)
rss_1000=$(counter rss_1000_kB)
long_reading=$(counter reading_median_ms)
[[ -n $rss_1 && -n $rss_1000 && -n $long_reading ]] ||
  { echo "startup.sh: no figures in the long session's output:" >&2; cat "$work/long.csv" >&2; exit 1; }
growth=$(awk -v a="$rss_1000" -v b="$rss_1" 'BEGIN { printf "%.0f", a - b }')
printf '  resident memory after 1 reading    %8.0f kB\n' "$rss_1"
printf '  resident memory after 1,000        %8.0f kB  growth %s kB (target <= 3072 kB)  %s\n' \
  "$rss_1000" "$growth" "$(at_most "$growth" 3072)"
printf '  reading + events, median of 1,000  %8.3f ms\n' "$long_reading"
