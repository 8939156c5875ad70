#!/usr/bin/env bash
# Takes the README's picture of Plinth on Wayland: a headless sway of its
# own (run as the unprivileged user plinth-test when run as root, as sway
# refuses root), with a virtual keyboard and pointer on its seat, wev as the
# focused application, and the keyboard with the bundled layouts, its Shift
# panel armed and a key typed. grim takes the picture.
#
#   scripts/screenshot-wayland.sh [OUTPUT.png]   (default docs/screenshot-wayland.png)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot-wayland.png}")

scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j 2 --target plinth plinth_layouts plinth-seat-devices >/dev/null
bin="$PWD/build/dev/bin"
devices="$PWD/build/dev/tests/wayland/plinth-seat-devices"

source scripts/headless-sway.sh
sway_start 1024x768 "$devices"
runtime=$sway_runtime
stdbuf -oL wev >"$runtime/wev.log" &
sway_track $!
sway_wait_for 10 grep -q "wl_keyboard] enter" "$runtime/wev.log"

cd "$bin"
./plinth &
sway_track $!
cd - >/dev/null
sleep 1.5

# The grid starts below the status line; cell 16 is "u" in the bundled
# layout, the centre of the centre cell is the Shift panel.
status=19
click() {
  swaymsg seat - cursor set "$1" "$2" >/dev/null
  swaymsg seat - cursor set "$1" "$2" >/dev/null
  swaymsg seat - cursor press button1 >/dev/null
  swaymsg seat - cursor release button1 >/dev/null
}
left=194
top=$((250 + status))
click $((left + 112)) $((top + 112))
click $((left + 32 * 1 + 16)) $((top + 32 * 2 + 16))
click $((left + 112)) $((top + 112))
# The pointer away from the picture.
swaymsg seat - cursor set 1000 740 >/dev/null
sleep 0.5
grim -g "170,226 270x290" "$out"
echo "typed: $(grep -o "utf8: '.'" "$runtime/wev.log" | tr -d '\n')"
echo "$out"
