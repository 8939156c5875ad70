#!/usr/bin/env bash
# Builds Plinth and starts the keyboard with the bundled layouts.
#
#   scripts/run.sh [release|dev]      (default: release)
#
# Without a usable X display it says so and shows the keyboard at work on a
# virtual display instead: Xvfb with the openbox window manager, a small
# text window beside the keyboard, a few keys clicked into it with the real
# pointer, and a screenshot whose path it prints. It stops everything it
# started.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=${1:-release}
case "$preset" in
  release | dev) ;;
  *)
    echo "usage: scripts/run.sh [release|dev]" >&2
    exit 2
    ;;
esac

scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)" --target plinth plinth_layouts plinth-typepad
bin="$PWD/build/$preset/bin"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  exec "$bin/plinth"
fi

echo "No usable X display (DISPLAY is '${DISPLAY:-}')."
echo "Showing Plinth on a virtual display instead: it types into a small text window."

work=$(mktemp -d)
pids=()
stop_all() {
  # Newest first: the programs before their window manager and server.
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
    wait "${pids[i]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap stop_all EXIT

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.05
  done
}

# Xvfb picks a free display number and writes it to the descriptor.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || { echo "Xvfb did not start; see $work/xvfb.log" >&2; exit 1; }
DISPLAY=":$(head -n 1 "$work/display")"
export DISPLAY
echo "Virtual display: $DISPLAY"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)

window_named() { xdotool search --name "^$1\$" 2>/dev/null | head -n 1; }
has_frame() { xprop -id "$(window_named "$1")" _NET_FRAME_EXTENTS 2>/dev/null | grep -q =; }

# The text window first: once the window manager has framed it, it is ready
# to frame the keyboard too.
title="Typed by Plinth"
"$bin/plinth-typepad" 560 250 "$title" >"$work/typed.log" &
pids+=($!)
wait_for 15 has_frame "$title" || { echo "openbox or the text window did not come up" >&2; exit 1; }

# The text window takes the focus by a click, as a user would give it.
eval "$(xwininfo -id "$(window_named "$title")" |
  awk '/Absolute upper-left X/{print "pad_x=" $4} /Absolute upper-left Y/{print "pad_y=" $4}')"
xdotool mousemove --sync $((pad_x + 150)) $((pad_y + 80)) click 1

"$bin/plinth" 2>"$work/plinth.log" &
pids+=($!)
wait_for 10 has_frame Plinth || { echo "the keyboard did not come up; see $work/plinth.log" >&2; exit 1; }

keyboard=$(window_named Plinth)
eval "$(xwininfo -id "$keyboard" | awk '/Absolute upper-left X/{print "left=" $4} /Absolute upper-left Y/{print "top=" $4}')"

# Clicks grid cell N (1..49, row by row) of the bundled Default.ini, or the
# Shift panel in the centre.
click_cell() {
  local cell=$1
  local column=$(((cell - 1) % 7)) row=$(((cell - 1) / 7))
  xdotool mousemove --sync $((left + 32 * column + 16)) $((top + 32 * row + 16)) click 1
  sleep 0.3
}
click_shift_panel() {
  xdotool mousemove --sync $((left + 112)) $((top + 112))
  sleep 0.2
  xdotool click 1
  sleep 0.3
}

# "Hi plinth": Shift armed for the capital, then h i space p l i n t h.
click_shift_panel
for cell in 11 19 32 13 10 19 31 26 11; do click_cell "$cell"; done
click_shift_panel # leaves Shift armed in the picture

expected="Hi plinth"
typed_text() { sed -n 's/^key [0-9a-f]* //p' "$work/typed.log" | tr -d '\n'; }
typed_all() { [ "$(typed_text)" = "$expected" ]; }
wait_for 5 typed_all || echo "Not every key arrived in the text window." >&2

shot="$PWD/build/$preset/plinth-demo.png"
import -window root "$shot"
echo "Typed into the text window: '$(typed_text)'"
echo "Screenshot: $shot"
