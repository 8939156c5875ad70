#!/usr/bin/env bash
# Builds Plinth.exe with mingw-w64, shows it with the bundled layouts under
# Wine on a virtual display of its own, and saves a picture of the keyboard
# window (docs/screenshot-windows.png unless another path is given), at a
# scale of the layout's Scale= setting (100 unless given).
#
#   scripts/screenshot-windows.sh [output.png [scale]]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot-windows.png}
scale=${2:-100}

scripts/install-deps.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target Plinth plinth_layouts
bin=$PWD/build/mingw/bin
work=$PWD/build/mingw/screenshot
app=$work/app
rm -rf "$app"
mkdir -p "$app"
cp "$bin"/Plinth.exe "$bin"/*.ini "$app/"
if [ "$scale" != 100 ]; then
  sed -i "s/^\[Configuration\]/&\nScale=$scale/" "$app/Default.ini"
fi

xvfb_pid=""
cleanup() {
  set +e
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >>"$work/wine.log" 2>&1
    wineserver -w >>"$work/wine.log" 2>&1
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

rm -f "$work/display.number"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display.number" \
  </dev/null >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display.number" ] && break; sleep 0.1; done
[ -s "$work/display.number" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display.number")"

scripts/wine-run.sh "$work/wine" --prepare
export WINEPREFIX=$work/wine/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

xdotool mousemove 1000 700  # keep the pointer off the keyboard
(cd "$app" && exec wine ./Plinth.exe) </dev/null >>"$work/wine.log" 2>&1 &
for _ in $(seq 1200); do
  xdotool search --onlyvisible --name '^Plinth$' >/dev/null 2>&1 && break
  sleep 0.1
done
window=$(xdotool search --onlyvisible --name '^Plinth$' | head -1)
[ -n "$window" ] || { echo "the keyboard window did not appear" >&2; exit 1; }
sleep 1  # let the buttons finish painting
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "$out"
