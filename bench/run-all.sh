#!/usr/bin/env bash
# Runs every benchmark on an optimised build and writes one table to
# bench/RESULTS.md, with the machine and the date:
#   - start-up: process start to the window viewable, median of 20 runs;
#   - layout loading: the start-up loads of the bundled layouts and of a
#     full 196-section layout, next to a reader that re-reads the file for
#     every key;
#   - fitting a button's caption: a long one's cut, and a redraw that finds
#     it fitted already;
#   - start-up with each hostile layout file, with its peak memory;
#   - the keyboard's share of a click held 80 ms and of a click pressed
#     and released at once (click to key minus a direct XTest key to
#     KeyPress) and its processor time per click, for Plinth,
#     matchbox-keyboard, xvkbd and the floor (a keyboard that only sends its
#     key), each alone on an Xvfb of its own, clicked in turn in one run;
#     and their start-up to a mapped window;
#   - start-up to the first frame on a headless sway, Plinth against wvkbd;
#   - Plinth.exe's start-up under Wine against a minimal Win32 program;
#   - memory of the running keyboard after start and after a click storm;
#   - word suggestions (bench/words.sh, its own section at the end);
#   - switch scanning's steps per character (bench/scan.sh, its own section).
# Each X measurement runs on an Xvfb of its own.
#
# Usage: bench/run-all.sh   (about five minutes after the build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
results=bench/RESULTS.md

# GCC 12 at -O3 gives a false -Wrestrict inside std::string in some test
# support code; it is no finding of ours.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-error=restrict >/dev/null
cmake --build "$build" -j 2 --target \
  plinth key_recorder stress_tests layout_load_bench hostile_load_bench caption_fit_bench key_latency \
  plinth-seat-devices

rows=()
row() { rows+=("| $1 | $2 | $3 |"); }

echo "== start-up" >&2
read -r _ median min max runs < <(bench/startup.sh "$build/bin/plinth" 20 | tr '=' ' ' |
  awk '{print $1, $3, $5, $7, $9}')
row "start-up: process start to window viewable (median of $runs)" "$median ms" "min $min, max $max"

echo "== layout loading" >&2
benchmark_rows() {  # BINARY: one row per benchmark, real time and counters
  "$1" --benchmark_format=csv 2>/dev/null | awk -F, '
    /^name,/ { for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); column[$i] = i }; next }
    NF > 3 {
      gsub(/"/, "", $1)
      note = ""
      if ("peak_rss_mb" in column && $column["peak_rss_mb"] != "")
        note = sprintf("peak RSS %.1f MB, file %.1f MB", $column["peak_rss_mb"], $column["file_mb"])
      printf "%s\t%.3f %s\t%s\n", $1, $column["real_time"], $column["time_unit"], note
    }'
}
while IFS=$'\t' read -r name value note; do
  row "$name" "$value" "$note"
done < <(benchmark_rows "$build/bench/layout_load_bench")

echo "== caption fitting" >&2
while IFS=$'\t' read -r name value note; do
  row "$name" "$value" "$note"
done < <(benchmark_rows "$build/bench/caption_fit_bench")

echo "== hostile layout files" >&2
while IFS=$'\t' read -r name value note; do
  row "$name" "$value" "$note"
done < <(benchmark_rows "$build/bench/hostile_load_bench")

echo "== click-to-key share, processor time and start-up, next to two other on-screen keyboards" >&2
# The peers are measured, nothing of Plinth uses them.
bench/install-peers.sh || echo "run-all.sh: the peer keyboards could not be installed" >&2
load_before=$(cut -d' ' -f1-3 /proc/loadavg)
latency=$("$build/bench/key_latency" --clicks 300 --starts 20)
load_after=$(cut -d' ' -f1-3 /proc/loadavg)
while IFS=$'\t' read -r _ measure value note; do
  row "$measure" "$value" "$note"
done < <(grep $'^ROW\t' <<<"$latency")
targets=$(grep $'^NOTE\t' <<<"$latency" | cut -f2- | sed 's/^/- /')

echo "== start-up on a headless sway, Plinth and wvkbd" >&2
wayland=$(bench/wayland_startup.sh "$build/bin/plinth" "$build/tests/wayland/plinth-seat-devices" 20)
for keyboard in plinth wvkbd; do
  line=$(grep "sway: $keyboard:" <<<"$wayland")
  row "start-up to first frame on sway: $keyboard" \
    "$(sed -n 's/.*median \([0-9.]*\) ms.*/\1/p' <<<"$line") ms" \
    "$(sed -n 's/.*(\(min [0-9.]*, max [0-9.]*\),.*/\1/p' <<<"$line")"
done
row "Plinth / wvkbd, start-up medians on sway" "$(sed -n 's/^ratio Plinth \/ wvkbd: //p' <<<"$wayland")" ""

echo "== Plinth.exe start-up under Wine" >&2
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Plinth >/dev/null
win32=$(bench/win32_startup.sh build/mingw/bin/Plinth.exe 15)
field() { echo "$win32" | sed -n "s/^$1 .*$2=\([^ ]*\).*/\1/p"; }
row "Plinth.exe under Wine: start to window viewable (median of $(field plinth_exe_ms runs))" \
  "$(field plinth_exe_ms median) ms" "min $(field plinth_exe_ms min), max $(field plinth_exe_ms max)"
row "minimal Win32 window program, started the same way in the same run" \
  "$(field minimal_exe_ms median) ms" "min $(field minimal_exe_ms min), max $(field minimal_exe_ms max)"
row "Plinth.exe / minimal program, start-up medians" "$(echo "$win32" | sed -n 's/^ratio //p')" \
  "target: at most 1.5"

echo "== memory around a click storm" >&2
memory=$("$build/tests/stress/stress_tests" --gtest_filter='ClickStorm*' | grep '^storm memory kB:')
value() { echo "$memory" | tr ' ' '\n' | sed -n "s/^$1=//p"; }
row "memory: peak RSS after start and 200 warm-up clicks" "$(value peak_start) kB" \
  "resident now $(value rss_start) kB"
row "memory: peak RSS after 2 000 storm clicks" "$(value peak_after) kB" \
  "resident now $(value rss_after) kB"

{
  echo "# Benchmark results"
  echo
  echo "Written by bench/run-all.sh on $(date -u '+%Y-%m-%d %H:%M UTC'), a machine with" \
    "$(nproc) cores ($(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1))," \
    "on an optimised build (CMAKE_BUILD_TYPE=Release). The machine was shared with other work" \
    "while it ran: the spread of repeated runs is wide, medians are what to compare. Load" \
    "average (1, 5, 15 minutes) before the click benchmark: $load_before; after it: $load_after."
  echo
  echo "| measure | value | note |"
  echo "|---|---|---|"
  printf '%s\n' "${rows[@]}"
  echo
  echo "Click to key on X11: each keyboard runs alone on an Xvfb of its own, with an application"
  echo "that holds the focus; the four keyboards run at once and are clicked in turn, click by click,"
  echo "so that each meets the same load of the machine. Before each click the pointer comes to the"
  echo "key button and rests 5 ms. A held click keeps the button down 80 ms, as a person's click does,"
  echo "and is timed from the release to the first key event after it; a fast click presses and"
  echo "releases at once, as a quick user or a dwell click does, and is timed to the KeyPress. The"
  echo "keyboard's share is that time minus the application's own XTest key to its KeyPress on the"
  echo "same server (medians). The floor is a one-button keyboard that draws nothing and only sends"
  echo "its key through XTest when its window is clicked: what it adds is what one more process"
  echo "between the pointer and the application costs on this machine, which no keyboard can go"
  echo "below. Processor time per click is the keyboard process's own (/proc/PID/schedstat) over"
  echo "all its clicks. Plinth's targets in this run:"
  echo
  echo "$targets"
} >"$results"

echo "== word suggestions" >&2
bench/words.sh >/dev/null
echo "== switch scanning" >&2
bench/scan.sh >/dev/null
cat "$results"
