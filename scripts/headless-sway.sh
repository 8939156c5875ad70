# Sourced by scripts that need a Wayland session of their own: a headless
# sway in a runtime directory of its own, run as the unprivileged user
# plinth-test when run as root (sway refuses root; scripts/install-deps.sh
# creates the user), with a virtual keyboard and pointer on its seat from
# plinth-seat-devices. Everything started is stopped by its PID on exit.
#
#   source scripts/headless-sway.sh
#   sway_start WIDTHxHEIGHT SEAT_DEVICES_BINARY   # exports WAYLAND_DISPLAY, SWAYSOCK
#   sway_track PID                                 # stopped on exit too

sway_runtime=$(mktemp -d /tmp/plinth-sway-XXXXXX)
sway_pids=()
sway_stop_all() {
  local i
  for ((i = ${#sway_pids[@]} - 1; i >= 0; i--)); do
    kill "${sway_pids[i]}" 2>/dev/null || true
    wait "${sway_pids[i]}" 2>/dev/null || true
  done
  rm -rf "$sway_runtime"
}
trap sway_stop_all EXIT

sway_track() { sway_pids+=("$1"); }

# Polls a command until it succeeds, for at most $1 seconds.
sway_wait_for() {
  local tries=$(($1 * 20))
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.05
  done
}

sway_start() {
  local size=$1 devices=$2
  cat >"$sway_runtime/config" <<CONFIG
output HEADLESS-1 resolution $size position 0 0
default_border none
xwayland disable
focus_follows_mouse no
CONFIG
  local as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chown plinth-test: "$sway_runtime" "$sway_runtime/config"
    as_user=(setpriv --reuid=plinth-test --regid=plinth-test --clear-groups)
  fi
  chmod 700 "$sway_runtime"
  export XDG_RUNTIME_DIR=$sway_runtime SWAYSOCK=$sway_runtime/sway-ipc.sock
  unset WAYLAND_DISPLAY DISPLAY
  HOME=$sway_runtime WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${as_user[@]}" sway -c "$sway_runtime/config" >"$sway_runtime/sway.log" 2>&1 &
  sway_track $!
  sway_wait_for 20 test -S "$sway_runtime/wayland-1" || { cat "$sway_runtime/sway.log" >&2; return 1; }
  sway_wait_for 20 swaymsg -t get_outputs >/dev/null
  export WAYLAND_DISPLAY=wayland-1
  "$devices" >"$sway_runtime/devices.log" &
  sway_track $!
  sway_wait_for 10 grep -q ready "$sway_runtime/devices.log"
}
