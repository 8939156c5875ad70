#!/usr/bin/env bash
# Start-up of Plinth.exe under Wine against the floor: a minimal Win32
# program that only opens a window (bench/minimal_window.cpp), both started
# the same way (`wine program.exe` in the program's folder, the bundled
# layouts beside Plinth.exe) with a warm wine server and another Windows
# program running, on an Xvfb of its own,
# alternately in the same run. Each time is from the start to the window
# being viewable, polled with xwininfo every few milliseconds. Prints the median, min and max of
# each in milliseconds and their ratio.
#
# Usage: bench/win32_startup.sh PLINTH_EXE [RUNS]   (default 15 runs each)
set -euo pipefail
plinth_exe=$1
runs=${2:-15}
here=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
xvfb_pid=
keeper=
cleanup() {
  set +e
  [ -n "$keeper" ] && kill "$keeper" 2>/dev/null
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null && wineserver -w 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/plinth" "$work/minimal"
cp "$plinth_exe" "$work/plinth/Plinth.exe"
cp "$here"/layouts/*.ini "$work/plinth/"
x86_64-w64-mingw32-g++-posix -O2 -static -mwindows -o "$work/minimal/Minimal.exe" \
  "$here/bench/minimal_window.cpp"

Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" </dev/null \
  >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "win32_startup.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

# A prefix of the benchmark's own, made once and kept beside the build,
# served by one wine server for the whole run so that every start is warm.
export WINEPREFIX=$here/build/wine-bench/prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wine wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
wineserver -p || true  # refuses harmlessly when one still runs after wineboot
# A Windows program kept running for the whole run keeps Wine's own
# processes (services, the desktop) up, as on a desktop in use.
(cd "$work/minimal" && exec wine ./Minimal.exe Keeper) </dev/null >/dev/null 2>&1 &
keeper=$!
until xwininfo -name Keeper 2>/dev/null | grep -q IsViewable; do sleep 0.1; done

# Milliseconds from starting `wine NAME.exe` in DIR until a window with the
# title TITLE is viewable.
start_time() {
  local dir=$1 exe=$2 title=$3 start end pid
  start=$(date +%s%N)
  (cd "$dir" && exec wine "./$exe") </dev/null >/dev/null 2>&1 &
  pid=$!
  until xwininfo -name "$title" 2>/dev/null | grep -q IsViewable; do
    kill -0 "$pid" 2>/dev/null || { echo "win32_startup.sh: $exe ended early" >&2; exit 1; }
    sleep 0.005  # leaves the processor to the program started
  done
  end=$(date +%s%N)
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  # The window must be gone before the next start is timed.
  while xwininfo -name "$title" >/dev/null 2>&1; do sleep 0.01; done
  echo $(((end - start) / 1000))
}

: >"$work/plinth.times"
: >"$work/minimal.times"
for _ in $(seq "$runs"); do
  start_time "$work/plinth" Plinth.exe Plinth >>"$work/plinth.times"
  start_time "$work/minimal" Minimal.exe Minimal >>"$work/minimal.times"
done

summary() {
  sort -n "$1" | awk '
    { t[NR] = $1 }
    END {
      median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
      printf "median=%.1f min=%.1f max=%.1f runs=%d", median / 1000, t[1] / 1000, t[NR] / 1000, NR
    }'
}
plinth=$(summary "$work/plinth.times")
minimal=$(summary "$work/minimal.times")
echo "plinth_exe_ms $plinth"
echo "minimal_exe_ms $minimal"
awk -v p="$plinth" -v m="$minimal" 'BEGIN {
  split(p, a, /[= ]/); split(m, b, /[= ]/)
  printf "ratio %.2f\n", a[2] / b[2]
}'
