#!/usr/bin/env bash
# How fast and lean Aromelle is, in one command:
#
#   bench/startup.sh [BUILD_DIR [RUNS]]     (defaults: build/release, 16)
#
# Builds aromelle, text_window, minimal_window, reading_bench and map_timer in
# BUILD_DIR (making a Release configuration there first if it has none). Then, on
# a private Xvfb server, starts Aromelle, the one-label window and the empty window
# RUNS times each, taking turns, after one unmeasured start of each. map_timer
# starts a program, times it from fork to the MapNotify of its first window (an X
# event, not a poll: xdotool search --sync looks only twice a second), reads the
# program's peak resident memory (VmHWM) and its anonymous memory at that moment,
# and kills it. Aromelle runs as on a fresh machine: an empty home whose one
# setting says the update question was asked today, and a private runtime folder
# for its lock. All three get the same plain environment (no desktop session, no
# D-Bus session bus).
#
# The comparison is the one-label window (text_window): a Qt window showing one
# line of text and sized by it, so that, like Aromelle, it sets up the fonts and
# lays out its text before it can map. The script prints the medians and
# Aromelle's ratios to it. Then it times, RUNS times, a launch to a shown reading:
# map_timer starts Aromelle and, once the input window is mapped, has xdotool type
# a first and a last name and press the button (one xdotool run, no delays), and
# waits for the profile window to be mapped. Last it runs reading_bench (a reading
# and Back on the offscreen platform) and prints its medians, and reading_bench's
# long session (1,000 readings and Backs in a process of their own) with the
# resident memory after the first and the last. PASS or MISS for each target:
#   start-up        <= 1.05 x the one-label window
#   peak memory     <= 1.05 x the one-label window
#   reading, Back   <  5 ms median each
#   memory after 1,000 readings  <= 3 MB above that after the first
# The empty window (minimal_window) is printed for information: it never loads a
# font. Taking turns cancels much of the load of a busy machine, but not all:
# the load average is printed with the results, and so is the processor time
# each program had used by its first map, which waiting for a processor does not
# lengthen. A miss is reported, not an error: the script fails only when it
# cannot measure.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-build/release}
runs=${2:-16}
[[ $runs =~ ^[1-9][0-9]*$ ]] || { echo "startup.sh: RUNS must be a positive number" >&2; exit 2; }
mkdir -p "$build"
build=$(cd "$build" && pwd)

quietly() { # runs a command, showing its output only when it fails
  local output
  output=$("$@" 2>&1) || { echo "$output" >&2; echo "startup.sh: failed: $*" >&2; exit 1; }
}
if [[ ! -f $build/CMakeCache.txt ]]; then
  quietly cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
quietly cmake --build "$build" --target aromelle text_window minimal_window reading_bench map_timer
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")

aromelle=$build/app/aromelle
minimal=$build/bench/minimal_window
text=$build/bench/text_window
reading_bench=$build/bench/reading_bench
map_timer=$build/bench/map_timer
for program in "$aromelle" "$minimal" "$text" "$reading_bench" "$map_timer"; do
  [[ -x $program ]] || { echo "startup.sh: $program was not built" >&2; exit 1; }
done

# A fresh home, a private runtime folder and X server.
source "$(dirname "${BASH_SOURCE[0]}")/private_display.sh"

# measure TITLE PROGRAM OUT: appends "milliseconds peak-kB anonymous-kB cpu-ms" to OUT.
# A start that fails is tried once more before the script gives up.
measure() {
  local line attempt
  for attempt in 1 2; do
    if line=$("$map_timer" "$1" "$2") &&
      [[ $line =~ startup_ms=([0-9.]+)\ vmhwm_kb=([0-9]+)\ .*rssanon_kb=([0-9]+)\ cpu_ms=([0-9.]+) ]]; then
      echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]} ${BASH_REMATCH[4]}" >> "$3"
      return
    fi
    echo "startup.sh: start $attempt of $2 could not be timed" >&2
  done
  exit 1
}

# The keys for a reading from the input window as it opens (the first name has the
# focus): a first name, Tab to the last name, a last name, Tab past the three date
# lists (1 January 1900) to the button, and Space.
reading_keys='xdotool windowfocus --sync "$MAP_TIMER_WINDOW" type --delay 0 "$(printf "a\t\tb\t\t\t\t ")"'

# measure_reading OUT: appends "launch-to-input-ms input-to-profile-ms launch-to-profile-ms".
measure_reading() {
  local line attempt
  for attempt in 1 2; do
    if line=$(MAP_TIMER_THEN=$reading_keys "$map_timer" "Aromelle v1.0" "$aromelle") &&
      [[ $line =~ startup_ms=([0-9.]+)\ .*then_ms=([0-9.]+)\ total_ms=([0-9.]+) ]]; then
      echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]}" >> "$1"
      return
    fi
    echo "startup.sh: reading $attempt could not be timed" >&2
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

echo "Build $build (${build_type:-no build type}); load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Start-up to the first window mapped, on Xvfb $DISPLAY, $runs runs each"
measure "Aromelle v1.0" "$aromelle" /dev/null # one unmeasured start each: warm caches
measure "Text baseline" "$text" /dev/null
measure "Minimal" "$minimal" /dev/null
: > "$work/aromelle"
: > "$work/text"
: > "$work/minimal"
for _ in $(seq "$runs"); do
  measure "Aromelle v1.0" "$aromelle" "$work/aromelle"
  measure "Text baseline" "$text" "$work/text"
  measure "Minimal" "$minimal" "$work/minimal"
done

declare -A ms kb anon cpu
for name in aromelle text minimal; do
  ms[$name]=$(median 1 "$work/$name")
  kb[$name]=$(median 2 "$work/$name")
  anon[$name]=$(median 3 "$work/$name")
  cpu[$name]=$(median 4 "$work/$name")
done
printf '  %-22s %10s %14s %14s %11s   %s\n' "" "start-up" "peak RSS" "anonymous" "processor" \
  "start-up range (ms)"
row() {
  printf '  %-22s %7.1f ms %11.0f kB %11.0f kB %8.1f ms   %s\n' "$1" "${ms[$2]}" "${kb[$2]}" \
    "${anon[$2]}" "${cpu[$2]}" "$(range 1 "$work/$2")"
}
row "Aromelle" aromelle
row "one-label window" text
row "empty window (info)" minimal

time_ratio=$(ratio "${ms[aromelle]}" "${ms[text]}")
memory_ratio=$(ratio "${kb[aromelle]}" "${kb[text]}")
echo "  start-up ratio, Aromelle / one-label window  $time_ratio  (target <= 1.05)  $(at_most "$time_ratio" 1.05)"
echo "  memory ratio,   Aromelle / one-label window  $memory_ratio  (target <= 1.05)  $(at_most "$memory_ratio" 1.05)"
echo "  for information: processor time to the map, Aromelle / one-label window" \
  "$(ratio "${cpu[aromelle]}" "${cpu[text]}") (a busy machine does not lengthen it)"
echo "  for information: Aromelle / empty window $(ratio "${ms[aromelle]}" "${ms[minimal]}") start-up," \
  "$(ratio "${kb[aromelle]}" "${kb[minimal]}") memory; one-label / empty window" \
  "$(ratio "${ms[text]}" "${ms[minimal]}"), $(ratio "${kb[text]}" "${kb[minimal]}")"

echo "Launch to a shown reading, on Xvfb $DISPLAY, $runs runs (keys typed by xdotool at once)"
: > "$work/launch"
for _ in $(seq "$runs"); do
  measure_reading "$work/launch"
done
printf '  launch to the input window mapped      %8.1f ms\n' "$(median 1 "$work/launch")"
printf '  input window to the profile mapped     %8.1f ms  (xdotool'"'"'s start and keys included)\n' \
  "$(median 2 "$work/launch")"
printf '  launch to a shown reading              %8.1f ms   range %s\n' "$(median 3 "$work/launch")" \
  "$(range 3 "$work/launch")"

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
