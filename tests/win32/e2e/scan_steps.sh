# Switch scanning end to end, read by plinth_e2e.sh in its "scan" mode:
# the layout asks for Scan=STEP with F11 to move and F12 to choose, and key
# presses alone, sent by send_key.exe, arm Shift through its panel and type
# "Hi"; neither key reaches the target while the keyboard scans. After the
# SCAN button stops scanning, and after the keyboard has ended, F12 reaches
# the target again.

send_key() { wine "${PLINTH_SEND_KEY:?the path of send_key.exe}" "$1" >>"$logs/wine.log" 2>&1; }
scan_blue="#005AFF"
mid_row() { echo $((cy + pitch * ($1 - 1) + pitch / 2)); }
# The scan colour down both sides of a row, or of a cell's button.
row_lit() { pixel_is $((cx + 1)) "$(mid_row "$1")" "$scan_blue" &&
  pixel_is $((cx + 7 * pitch - 4)) "$(mid_row "$1")" "$scan_blue"; }
cell_lit() {
  local x=$((cx + pitch * (($1 - 1) % 7))) y
  y=$(mid_row $((($1 - 1) / 7 + 1)))
  pixel_is $((x + 1)) "$y" "$scan_blue" && pixel_is $((x + pitch - 1)) "$y" "$scan_blue"
}
# Sends key $1 (F11 7A, F12 7B) once the bounce time has passed, and waits
# for what it lights: "row N", "cell N" or "none".
tap() {
  sleep 0.15
  send_key "$1" || fail "send_key $1 failed"
  case $2 in
    none) ;;
    *) wait_until 20 "${2%% *}_lit" "${2##* }" || fail "after key $1, $2 is not lit" ;;
  esac
}
read -r hx hy < <(home)

step "scan: the first row is lit from the start"
wait_until 20 row_lit 1 || fail "row 1 is not lit"

step "scan: F11 and F12 alone arm Shift and type Hi"
set_mark
tap 7A "row 2"
tap 7A "row 4"
tap 7B none
tap 7B "row 1"
wait_until 10 pixel_is "$hx" "$hy" "#000000" || fail "the Shift panel was not armed"
tap 7B "cell 1"
tap 7B "row 1"
wait_until 20 has_keys "down 10,down 48,char 48,up 48,up 10" || fail "got [$(since_mark)] for H"
set_mark
tap 7B "cell 1"
tap 7A "cell 2"
tap 7B "row 1"
wait_until 20 has_keys "down 49,char 69,up 49" || fail "got [$(since_mark)] for i"
! grep -q -E '7A|7B' "$keys" || fail "a switch key reached the target"

step "scan: SCAN stops scanning and F12 reaches the target"
tap 7A "row 2"
tap 7B "cell 8"
tap 7B none
row_1_dark() { ! row_lit 1; }
wait_until 10 row_1_dark || fail "the frame stayed after SCAN"
set_mark
tap 7B none
wait_until 20 has_keys "down 7B,up 7B" || fail "F12 did not reach the target: [$(since_mark)]"

step "scan: the popup's Scanning item turns it on again; the switch keys are the keyboard's"
choose_menu_item Scanning
wait_until 20 row_lit 1 || fail "scanning did not start again"
set_mark
tap 7A "row 2"
tap 7B "cell 8"
tap 7A "cell 9"
tap 7B none
keyboard_ended() { ! kill -0 "$plinth_pid" 2>/dev/null; }
wait_until 30 keyboard_ended || fail "TERMINATE did not end the keyboard"
plinth_pid=""
[ -z "$(since_mark)" ] || fail "switch keys reached the target while scanning: [$(since_mark)]"

step "scan: after the end F12 reaches the target"
set_mark
tap 7B none
wait_until 20 has_keys "down 7B,up 7B" || fail "F12 did not reach the target after the end: [$(since_mark)]"
