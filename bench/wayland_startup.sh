#!/usr/bin/env bash
# Start-up time on Wayland: from starting the keyboard until it attaches its
# first picture to its surface, on a headless sway of its own, for Plinth
# and for wvkbd (a wlroots on-screen keyboard, installed here only to be
# measured). The moment comes from the client's own protocol log
# (WAYLAND_DEBUG), whose clock is the wall clock's microseconds cut to 32
# bits, printed as milliseconds. Prints
# the median, min and max of the runs for each, and their ratio.
#
# Usage: bench/wayland_startup.sh PLINTH_BINARY SEAT_DEVICES_BINARY [RUNS]   (default 20)
set -euo pipefail
binary=$(realpath "$1")
devices=$(realpath "$2")
runs=${3:-20}
here=$(cd "$(dirname "$0")/.." && pwd)

if ! command -v wvkbd-mobintl >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends wvkbd >/dev/null
fi

cd "$here"
source scripts/headless-sway.sh
sway_start 1024x768 "$devices"

work=$sway_runtime/keyboard
mkdir -p "$work"
cp "$binary" "$work/plinth"
cp "$here"/layouts/*.ini "$work/"

# Milliseconds from the start of COMMAND... until it attaches a buffer.
first_frame_ms() {
  local log=$sway_runtime/debug.log start line pid stamp
  : >"$log"
  start=$(date +%s%N)
  (cd "$work" && WAYLAND_DEBUG=1 exec "$@" 2>"$log") &
  pid=$!
  until line=$(grep -m1 -E 'wl_surface@[0-9]+\.attach\(wl_buffer' "$log"); do
    kill -0 "$pid" 2>/dev/null || { echo "wayland_startup.sh: $1 ended before it drew" >&2; exit 1; }
    sleep 0.002
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # "[1234567.890]": the wall clock's microseconds, cut to 32 bits.
  stamp=$(sed -E 's/^\[ *([0-9]+)\.([0-9]+)\].*/\1\2/' <<<"$line")
  awk -v stamp="$stamp" -v start_us="$((start / 1000))" 'BEGIN {
    wrap = 4294967296
    took = (stamp - start_us % wrap + wrap) % wrap
    printf "%.1f\n", took / 1000 }'
}

summary() {
  sort -n | awk '{ v[NR] = $1 } END {
    m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
    printf "%.1f %.1f %.1f\n", m, v[1], v[NR] }'
}

declare -A median
for keyboard in plinth wvkbd; do
  times=()
  for _ in $(seq "$runs"); do
    if [ "$keyboard" = plinth ]; then
      times+=("$(first_frame_ms ./plinth)")
    else
      times+=("$(first_frame_ms wvkbd-mobintl)")
    fi
  done
  read -r med min max < <(printf '%s\n' "${times[@]}" | summary)
  median[$keyboard]=$med
  echo "start-up to first frame on sway: $keyboard: median $med ms (min $min, max $max, $runs runs)"
done
awk -v p="${median[plinth]}" -v w="${median[wvkbd]}" \
  'BEGIN { printf "ratio Plinth / wvkbd: %.2f\n", p / w }'
