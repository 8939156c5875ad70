#!/usr/bin/env bash
# Plinth.exe end to end under Wine: on an X server of its own, a window of
# ours (key_target.exe) takes the focus and records the key messages it
# receives; xdotool clicks the real keyboard window, and every click is
# checked by the keys that arrive, the keyboard's caption, its window and
# the pointer. The target must keep the focus throughout.
#
#   plinth_e2e.sh <Plinth.exe> <key_target.exe> <plinth_inspect.exe>
#                 <layouts dir> <work dir> <wine-run.sh> [scale | <dpi>dpi | dwell | screen | words | scan]
#
# With a scale other than 100 the layout asks for it (Scale=), or with
# <dpi>dpi the screen has that resolution; then only a key, the pointer
# return, docking, a drag of the border and the end are checked at that size.
# With "dwell" the steps of dwell_steps.sh replace the clicks: the keyboard
# is worked by pointer motions alone. With "screen" the layout asks for
# Scale=300 and the steps of screen_steps.sh change the screen's size.
# With "words" the word list PLINTH_WORD_LIST lies beside the program and
# the steps of words_steps.sh click word suggestions. With "scan" the steps
# of scan_steps.sh work the keyboard by switch keys alone.
set -euo pipefail

if [ $# -ne 6 ] && [ $# -ne 7 ]; then
  echo "usage: $0 <Plinth.exe> <key_target.exe> <plinth_inspect.exe> <layouts> <work> <wine-run.sh> [scale | <dpi>dpi | dwell | screen | words | scan]" >&2
  exit 2
fi
plinth_exe=$1 target_exe=$2 inspect_exe=$3 layouts=$4 work=$5 wine_run=$6 scale=${7:-100}
mode=clicks dpi=96
if [ "$scale" = dwell ]; then
  mode=dwell scale=100
elif [ "$scale" = screen ]; then
  mode=screen scale=300
elif [ "$scale" = words ]; then
  mode=words scale=100
elif [ "$scale" = scan ]; then
  mode=scan scale=100
elif [[ $scale == *dpi ]]; then
  dpi=${scale%dpi}
  scale=$((100 * dpi / 96))
fi
pitch=$((32 * scale / 100))  # from one cell to the next

rm -rf "$work/app" "$work/logs"
mkdir -p "$work/app" "$work/logs"
work=$(cd "$work" && pwd)
logs=$work/logs
keys=$logs/keys.log
cp "$plinth_exe" "$layouts"/*.ini "$work/app/"
if [ "$mode" = words ]; then cp "$PLINTH_WORD_LIST" "$work/app/"; fi
if [ "$scale" != 100 ] && [ "$dpi" = 96 ]; then
  sed -i "s/^\[Configuration\]/&\nScale=$scale/" "$work/app/Default.ini"
fi

xvfb_pid="" target_pid="" plinth_pid=""
started=$(date +%s)

cleanup() {
  set +e
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >>"$logs/wine.log" 2>&1  # ends this prefix's processes only
    wineserver -w >>"$logs/wine.log" 2>&1
  fi
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  echo "end-to-end run took $(($(date +%s) - started)) s"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- keys received:" >&2
  cat "$keys" >&2 2>/dev/null
  echo "--- keyboard:" >&2
  inspect >&2 2>/dev/null
  import -window root "$logs/failure.png" 2>/dev/null && echo "screen: $logs/failure.png" >&2
  exit 1
}

# Runs a command until it succeeds, for at most $1 seconds.
wait_until() {
  local timeout=$1
  shift
  local deadline=$(($(date +%s) + timeout))
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# ---------------------------------------------------------------- the display

rm -f "$work/display.number"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display.number" \
  </dev/null >"$logs/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 20 test -s "$work/display.number" || fail "Xvfb did not start"
export DISPLAY=":$(tr -d '[:space:]' <"$work/display.number")"

# The prefix of this test, served on this display (the runner restarts its
# server when the display changes).
"$wine_run" "$work/wine" --prepare || fail "no Wine prefix"
export WINEPREFIX=$work/wine/prefix WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The prefix outlives a run: what an earlier run learned must not count.
find "$WINEPREFIX/drive_c/users" -path '*/Plinth/learned-words.txt' -delete 2>/dev/null || true

inspect() { wine "$inspect_exe" 2>>"$logs/wine.log" | tr -d '\r'; }
inspected() { inspect | sed -n "s/^$1 //p"; }
has_menu() { [ -n "$(inspected menu)" ]; }
inspected_is() { [ "$(inspected "$1")" = "$2" ]; }
shows_button() { inspect | grep -q -x "button $1 $2"; }

if [ "$dpi" != 96 ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    >>"$logs/wine.log" 2>&1 || fail "the screen's resolution could not be set"
  # The session starts anew at that resolution, as after a user's login.
  wineserver -k >>"$logs/wine.log" 2>&1 || true
  wineserver -w >>"$logs/wine.log" 2>&1 || true
fi

# ---------------------------------------------------------------- start

wine "$target_exe" "$(winepath -w "$keys")" </dev/null >>"$logs/wine.log" 2>&1 &
target_pid=$!
wait_until 60 grep -q -E '^(ready|no focus)' "$keys" 2>/dev/null || fail "the key target did not start"
grep -q '^ready' "$keys" || fail "the key target did not get the focus"

(cd "$work/app" && exec wine ./Plinth.exe) </dev/null >>"$logs/wine.log" 2>&1 &
plinth_pid=$!
keyboard_visible() { xdotool search --onlyvisible --name '^Plinth$' >/dev/null 2>&1; }
wait_until 120 keyboard_visible || fail "the keyboard window did not appear"
echo "keyboard shown after $(($(date +%s) - started)) s"

read -r left top right bottom < <(inspected window)
read -r cx cy < <(inspected client)
# The designed place, moved up or left only as far as the 1024 x 768 screen
# needs to show the whole window (a large keyboard would run off it).
want_left=$((194 < 1024 - (right - left) ? 194 : 1024 - (right - left)))
want_top=$((250 < 768 - (bottom - top) ? 250 : 768 - (bottom - top)))
[ "$left $top" = "$want_left $want_top" ] || fail "keyboard at $left,$top, not at $want_left,$want_top"
# Plinth's icon, a resource of the program, at the window's two sizes.
[ "$(inspected icon)" = "32 16" ] || fail "the program's icon is [$(inspected icon)], not 32 and 16"
# The client area spans seven cells but for two pixels, plus the frame.
[ $((right - left)) -ge $((7 * pitch - 2)) ] && [ $((right - left)) -lt $((7 * pitch + 30)) ] ||
  fail "keyboard $((right - left)) pixels wide at $scale%"

# Centre of the button of a cell, on screen.
cell() {
  echo $((cx + pitch * (($1 - 1) % 7) + pitch / 2)) $((cy + pitch * (($1 - 1) / 7) + pitch / 2))
}
home() { echo $((cx + 3 * pitch + (pitch + 1) / 2)) $((cy + 3 * pitch + (pitch + 1) / 2)); }
pixel() { import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'; }
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
# Pixels of a cell's button tinted purple: red and blue well above green.
# Text in the window-text colour on the grey face is grey however the font
# is smoothed, and purple text leaves such pixels whatever the font.
purple_pixels() {
  import -window root -crop "33x33+$((cx + 32 * (($1 - 1) % 7)))+$((cy + 32 * (($1 - 1) / 7)))" \
    -depth 8 txt:- | sed -n 's/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
    awk '$1 - $2 >= 48 && $3 - $2 >= 48 { n++ } END { print n + 0 }'
}
is_purple() { [ "$(purple_pixels "$1")" -gt 0 ]; }

# The key messages that arrive after the mark, as one line.
mark=0
set_mark() { mark=$(wc -l <"$keys"); }
since_mark() { tail -n +$((mark + 1)) "$keys" | paste -sd, -; }
has_keys() { [ "$(since_mark)" = "$1" ]; }

# Clicks a cell and checks the keys that arrive ("" for none).
click_cell() {
  local target=$1 expected=$2
  set_mark
  xdotool mousemove $(cell "$target") click 1
  if [ -n "$expected" ]; then
    wait_until 20 has_keys "$expected" || fail "cell $target: expected [$expected], got [$(since_mark)]"
  fi
}
expect_caption() {
  local caption
  caption=$(inspected caption)
  [ "$caption" = "$1" ] || fail "caption [$caption], expected [$1]"
}
expect_pointer_home() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  read -r hx hy < <(home)
  [ "$X $Y" = "$hx $hy" ] || fail "pointer at $X,$Y, not at the home point $hx,$hy"
}

step() { echo "-- $*"; }

# Opens the popup menu by a right-click on cell $2 (13 unless given) and
# clicks its item captioned $1, whose row is the caption's among the rows of
# platform/popup_menu.h.
menu_captions=$(sed -n 's/^ *MenuItem{MenuItemId::[A-Za-z]*, "\([^"]*\)".*/\1/p' \
  "$(dirname "$0")/../../../platform/popup_menu.h")
menu_rows=$(printf '%s\n' "$menu_captions" | wc -l)
choose_menu_item() {
  xdotool mousemove $(cell "${2:-13}") click 3
  wait_until 10 has_menu || fail "no popup menu"
  local mleft mtop mright mbottom
  read -r mleft mtop mright mbottom < <(inspected menu)
  local row
  row=$(printf '%s\n' "$menu_captions" | grep -nxF "$1" | cut -d: -f1)
  [ -n "$row" ] || fail "no menu item \"$1\""
  xdotool mousemove $(((mleft + mright) / 2)) \
    $((mtop + (mbottom - mtop) * (2 * row - 1) / (2 * menu_rows))) click 1
}

if [ "$mode" = dwell ]; then
  # shellcheck source=dwell_steps.sh
  . "$(dirname "$0")/dwell_steps.sh"
  echo "PASS"
  exit 0
elif [ "$mode" = screen ]; then
  # shellcheck source=screen_steps.sh
  . "$(dirname "$0")/screen_steps.sh"
  echo "PASS"
  exit 0
elif [ "$mode" = words ]; then
  # shellcheck source=words_steps.sh
  . "$(dirname "$0")/words_steps.sh"
  echo "PASS"
  exit 0
elif [ "$mode" = scan ]; then
  # shellcheck source=scan_steps.sh
  . "$(dirname "$0")/scan_steps.sh"
  echo "PASS"
  exit 0
fi

# ---------------------------------------------------------------- keys

idle=$(pixel $((cx + 99)) $((cy + 99)))  # the system's button-face colour

step "a key, the caption and the pointer return"
click_cell 1 "down 41,char 61,up 41"
expect_caption "A - 65"
expect_pointer_home
read -r hx hy < <(home)
wait_until 10 pixel_is "$hx" "$hy" "#008080" || fail "no hover colour on the Shift panel under the pointer"

expected_focus_changes=""
key_of_cell_1="down 41,char 61,up 41"
if [ "$scale" = 100 ]; then  # the rest of the keys at the designed size

step "the Shift panel: a click arms it, a key releases it"
set_mark
xdotool click 1
wait_until 10 pixel_is "$hx" "$hy" "#000000" || fail "the Shift panel was not armed"
click_cell 1 "down 10,down 41,char 41,up 41,up 10"
pixel_is $((cx + 99)) $((cy + 99)) "$idle" || fail "the Extend panel is not idle"

step "a double-click on a panel arms it once"
xdotool mousemove "$hx" "$hy"
wait_until 10 pixel_is "$hx" "$hy" "#008080" || fail "the Shift panel did not show the hover colour"
xdotool click --repeat 2 --delay 60 1
wait_until 10 pixel_is "$hx" "$hy" "#000000" || fail "the Shift panel was not armed"
click_cell 1 "down 10,down 41,char 41,up 41,up 10"

step "the Extend panel selects the Ext layer"
xdotool mousemove $((cx + 99)) $((cy + 99))
wait_until 10 pixel_is $((cx + 99)) $((cy + 99)) "#008080" || fail "no hover on the Extend panel"
xdotool click 1
wait_until 10 pixel_is $((cx + 99)) $((cy + 99)) "#000000" || fail "the Extend panel was not armed"
click_cell 1 "down 58,char 78,up 58"

step "a key with Control set"
click_cell 2 "down 11,down 42,char 02,up 42,up 11"

step "the Ctrl toggle arms Ctrl for one key"
click_cell 3 ""
wait_until 10 is_purple 3 || fail "the Ctrl button did not turn purple"
click_cell 1 "down 11,down 41,char 01,up 41,up 11"
! is_purple 3 || fail "the Ctrl button stayed purple"

step "the Alt toggle arms Alt for one key"
click_cell 4 ""
wait_until 10 is_purple 4 || fail "the Alt button did not turn purple"
click_cell 1 "sysdown 12,sysdown 41,syschar 61,sysup 41,up 12"

step "named keys: ENTER, and LEFT as an extended key"
click_cell 5 "down 0D,char 0D,up 0D"
expect_caption "ENTER - 13"
click_cell 6 "down 25 ext,up 25 ext"

step "a quick double-click on a key button types twice"
set_mark
xdotool mousemove $(cell 7) click --repeat 2 --delay 60 1
wait_until 20 has_keys "down 43,char 63,up 43,down 43,char 63,up 43" ||
  fail "double-click: got [$(since_mark)]"

step "selecting mode adds Shift"
click_cell 8 ""
wait_until 10 inspected_is caption "Plinth Selecting" || fail "no selecting mode"
click_cell 6 "down 10,down 25 ext,up 25 ext,up 10"
click_cell 8 ""
wait_until 10 inspected_is caption "Plinth " || fail "selecting mode stayed on"
click_cell 6 "down 25 ext,up 25 ext"

step "the popup menu: Show All (the second item) numbers every button"
choose_menu_item "Show All"
wait_until 10 shows_button 13 13 || fail "Show All did not number the buttons"
choose_menu_item "Show All"
wait_until 10 shows_button 1 a || fail "unticking Show All did not bring the captions back"

step "an unknown key name: the warning, then the focus is back"
click_cell 12 ""
wait_until 20 xdotool search --onlyvisible --name '^Warning$' >/dev/null 2>&1 || fail "no warning dialog"
xdotool key Return
wait_until 20 inspected_is foreground "Plinth key target" ||
  fail "the target did not get the focus back after the warning"
click_cell 1 "down 41,char 61,up 41"
expect_caption "A - 65"
expected_focus_changes="focus lost,focus"

step "LOADINI loads another layout"
click_cell 9 ""
wait_until 30 shows_button 1 q || fail "Second.ini was not loaded"
click_cell 1 "down 51,char 71,up 51"
key_of_cell_1="down 51,char 71,up 51"

fi  # the rest of the keys

step "MOVE docks the window at the top left; the pointer follows"
click_cell 10 ""
wait_until 10 inspected_is window "0 0 $((right - left)) $((bottom - top))" ||
  fail "the window is at [$(inspected window)], not at the top left"
read -r cx cy < <(inspected client)
expect_pointer_home

step "a drag of the border's corner keeps the cells square; a click still types its key"
# Mostly to the right: the width leads, and the corner stays under the pointer.
read -r _ _ right bottom < <(inspected window)
to_x=$((right + 3 * pitch)) to_y=$((bottom + pitch))
xdotool mousemove $((right - 2)) $((bottom - 2)) mousedown 1
xdotool mousemove $((right + pitch)) $((bottom + pitch / 3))
xdotool mousemove $((to_x - 2)) $((to_y - 2)) mouseup 1
grown() { [ "$(inspected area)" != "$((7 * pitch - 2)) $((7 * pitch))" ]; }
wait_until 20 grown || fail "the window did not grow by a drag of its corner"
read -r width height < <(inspected area)
[ $((height % 7)) = 0 ] && [ $((width + 2)) = "$height" ] && [ $((height / 7)) -gt "$pitch" ] ||
  fail "the dragged client area is ${width}x$height, no grid of larger square cells"
pitch=$((height / 7))
read -r left top right bottom < <(inspected window)
[ "$left $top" = "0 0" ] || fail "the docked window left its corner: [$(inspected window)]"
[ $((right - to_x)) -le $((pitch / 2 + 1)) ] && [ $((to_x - right)) -le $((pitch / 2 + 1)) ] ||
  fail "the right edge at $right did not follow the pointer to $to_x"
read -r cx cy < <(inspected client)
click_cell 1 "$key_of_cell_1"
expect_pointer_home

step "the target kept the focus"
[ "$(inspected foreground)" = "Plinth key target" ] || fail "the target is no longer active"
focus_changes=$( (grep -E '^focus' "$keys" || true) | paste -sd, -)
[ "$focus_changes" = "$expected_focus_changes" ] ||
  fail "focus changes [$focus_changes], expected only those of the warning"

step "TERMINATE ends the keyboard after the pointer return"
click_cell 11 ""
keyboard_ended() { ! kill -0 "$plinth_pid" 2>/dev/null; }
wait_until 30 keyboard_ended || fail "the keyboard did not end"
expect_pointer_home
plinth_pid=""

echo "PASS"
