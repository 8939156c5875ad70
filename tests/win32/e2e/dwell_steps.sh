# Dwell click end to end, read by plinth_e2e.sh in its "dwell" mode, with
# its helpers: the layout asks for DwellTime=400, and pointer motions alone,
# not one button press, arm Shift through its panel, type "Hello" and close
# a warning. After each key the pointer rests at home, on the Shift panel,
# and nothing more may happen there.

read -r hx hy < <(home)
pointer_is_home() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  [ "$X $Y" = "$hx $hy" ]
}
keys_changed() { [ "$(since_mark)" != "$1" ]; }
# Nothing more arrives for five dwell times.
nothing_more() { ! wait_until 2 keys_changed "$(since_mark)"; }
warning_open() { xdotool search --onlyvisible --name '^Warning$' >/dev/null 2>&1; }
warning_closed() { ! warning_open; }
has_ok_button() { [ -n "$(inspected ok)" ]; }

# Moves the pointer onto cell $1 and leaves it there: the keys $2 arrive,
# the pointer returns home, and then nothing more happens.
rest_on_cell() {
  set_mark
  xdotool mousemove $(cell "$1")
  wait_until 20 has_keys "$2" || fail "resting on cell $1: expected [$2], got [$(since_mark)]"
  wait_until 10 pointer_is_home || fail "no pointer return after resting on cell $1"
  nothing_more || fail "the pointer at home after cell $1 typed [$(since_mark)]"
  ! pixel_is "$hx" "$hy" "#000000" || fail "the pointer return armed the Shift panel"
}

step "dwell: resting on the Shift panel arms it"
set_mark
xdotool mousemove "$hx" "$hy"
wait_until 10 pixel_is "$hx" "$hy" "#000000" || fail "resting did not arm the Shift panel"
nothing_more || fail "resting on the Shift panel typed [$(since_mark)]"
pixel_is "$hx" "$hy" "#000000" || fail "resting on the Shift panel disarmed it"

step "dwell: resting on the caption bar or outside the keyboard clicks nothing"
set_mark
xdotool mousemove $((cx + 40)) $((cy - 8))
nothing_more || fail "resting on the caption bar typed [$(since_mark)]"
# Straight from a key to beside the keyboard, before the key is due.
xdotool mousemove $(cell 1) sleep 0.1 mousemove $((cx - 30)) "$hy"
nothing_more || fail "resting beside the keyboard typed [$(since_mark)]"
pixel_is "$hx" "$hy" "#000000" || fail "resting elsewhere disarmed the Shift panel"

step "dwell: pointer motions alone type Hello"
rest_on_cell 1 "down 10,down 48,char 48,up 48,up 10"
rest_on_cell 2 "down 45,char 65,up 45"
rest_on_cell 3 "down 4C,char 6C,up 4C"
rest_on_cell 3 "down 4C,char 6C,up 4C"
rest_on_cell 4 "down 4F,char 6F,up 4F"

step "dwell: resting on the warning's OK closes it"
set_mark
xdotool mousemove $(cell 8)
wait_until 20 warning_open || fail "no warning dialog"
wait_until 10 has_ok_button || fail "the warning has no OK button"
read -r oleft otop oright obottom < <(inspected ok)
xdotool mousemove $(((oleft + oright) / 2)) $(((otop + obottom) / 2))
wait_until 20 warning_closed || fail "resting on OK did not close the warning"
wait_until 20 inspected_is foreground "Plinth key target" ||
  fail "the target did not get the focus back after the warning"
wait_until 10 pointer_is_home || fail "no pointer return after the warning"
rest_on_cell 2 "down 45,char 65,up 45"

step "dwell: the popup's Dwell click item turns it off and on again"
set_mark
choose_menu_item "Dwell click" 4
xdotool mousemove $(cell 1)
nothing_more || fail "dwell click stayed on: [$(since_mark)]"
choose_menu_item "Dwell click" 4
nothing_more || fail "the menu's click was followed by a dwell click: [$(since_mark)]"
[ -z "$(since_mark)" ] || fail "the menu typed [$(since_mark)]"
rest_on_cell 1 "down 48,char 68,up 48"

step "dwell: the target kept the focus but for the warning"
[ "$(inspected foreground)" = "Plinth key target" ] || fail "the target is no longer active"
focus_changes=$( (grep -E '^focus' "$keys" || true) | paste -sd, -)
[ "$focus_changes" = "focus lost,focus" ] ||
  fail "focus changes [$focus_changes], expected only those of the warning"
