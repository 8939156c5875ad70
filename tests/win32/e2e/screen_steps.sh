# A change of the screen end to end, read by plinth_e2e.sh in its "screen"
# mode: the keyboard at three times its size, docked to the bottom right of
# the 1024 x 768 screen, stays whole on the screen, caption bar included,
# when the resolution drops to 800 x 600: it takes a smaller size that fits and
# docks again; a click then still types its key.

# The outer window against the bottom right of a screen of $1 x $2, whole.
docked_in() {
  local left top right bottom
  read -r left top right bottom < <(inspected window)
  [ "$right $bottom" = "$1 $2" ] && [ "$left" -ge 0 ] && [ "$top" -ge 0 ]
}
screen_is() { xdpyinfo | grep -q "dimensions: *$1 pixels"; }

step "screen: the large keyboard docks to the bottom right"
click_cell 2 ""
wait_until 10 docked_in 1024 768 || fail "the window is at [$(inspected window)], not docked"
read -r large_width _ < <(inspected area)

step "screen: a smaller screen shrinks the keyboard and keeps its caption bar on the screen"
# The X screen gets a mode of 800 x 600, and the system switches to it as
# its display settings do; it tells every window so (WM_DISPLAYCHANGE).
{
  xrandr --newmode 800x600 40 800 840 968 1056 600 601 605 628
  xrandr --addmode screen 800x600
} >>"$logs/xrandr.log" 2>&1 || fail "xrandr could not add a mode of 800 x 600"
wine "${PLINTH_SET_RESOLUTION:?the path of set_resolution.exe}" 800 600 >>"$logs/wine.log" 2>&1 || fail "the resolution was not changed"
wait_until 10 screen_is 800x600 || fail "the screen did not become 800 x 600"
wait_until 10 inspected_is screen "800 600" || fail "Windows sees a screen of [$(inspected screen)]"
wait_until 20 docked_in 800 600 || fail "after the screen shrank the window is at [$(inspected window)]"
read -r width height < <(inspected area)
[ "$width" -lt "$large_width" ] && [ $((height % 7)) = 0 ] && [ $((width + 2)) = "$height" ] ||
  fail "the client area is ${width}x$height, no smaller grid of square cells"
pitch=$((height / 7))
read -r cx cy < <(inspected client)
click_cell 1 "down 41,char 61,up 41"
expect_pointer_home

step "screen: the target kept the focus"
[ "$(inspected foreground)" = "Plinth key target" ] || fail "the target is no longer active"
