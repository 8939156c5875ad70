#!/usr/bin/env bash
# Start-up time of the keyboard: from starting `plinth` (with the bundled
# layouts beside it) until its window is viewable on the screen, on an Xvfb
# of its own. Polls with xwininfo, so the figure carries a few milliseconds
# of polling. Prints the median, min and max of the runs in milliseconds.
#
# Usage: bench/startup.sh PLINTH_BINARY [RUNS]   (default 20 runs)
set -euo pipefail
binary=$1
runs=${2:-20}
here=$(cd "$(dirname "$0")/.." && pwd)

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

cp "$binary" "$work/plinth"
cp "$here"/layouts/*.ini "$work/"
Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp >"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "startup.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
xwininfo -root >/dev/null  # the server answers

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  (cd "$work" && exec ./plinth) &
  pid=$!
  until xwininfo -name Plinth 2>/dev/null | grep -q IsViewable; do
    kill -0 "$pid" 2>/dev/null || { echo "startup.sh: plinth ended before its window showed" >&2; exit 1; }
  done
  end=$(date +%s%N)
  times+=($(((end - start) / 1000)))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done

printf '%s\n' "${times[@]}" | sort -n | awk '
  { t[NR] = $1 }
  END {
    median = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
    printf "startup_ms median=%.1f min=%.1f max=%.1f runs=%d\n", median / 1000, t[1] / 1000, t[NR] / 1000, NR
  }'
