#!/usr/bin/env bash
# Runs a Windows program of the mingw build under Wine; the build's test
# emulator.
#
#   wine-run.sh <state-dir> <program.exe> [args...]
#   wine-run.sh <state-dir> --prepare        (create the prefix only)
#   wine-run.sh <state-dir> --watch <pid>    (used by itself)
#
# <state-dir> (in the build directory) holds a Wine prefix of the build's
# own, a log of Wine's messages and the X display the prefix uses. One wine
# server is kept alive for a minute between programs, so that a test costs a
# fraction of a second instead of a server start.
#
# Without DISPLAY the programs share one Xvfb of the state dir's own, which
# ends with the wine server, at the latest after half an hour.
#
# The program's output goes through files: Wine's helper processes outlive
# the program and would keep a pipe to CTest open.
set -euo pipefail

if [ $# -lt 2 ]; then
  echo "usage: $0 <state-dir> <program.exe> [args...] | $0 <state-dir> --prepare" >&2
  exit 2
fi
state=$1
shift
mkdir -p "$state/tmp"
state=$(cd "$state" && pwd)
log=$state/wine.log

export WINEPREFIX=$state/prefix
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

display_alive() { [ -n "$1" ] && xdpyinfo -display "$1" >/dev/null 2>&1; }

# Starts a private Xvfb; prints its display name and notes its process id.
start_xvfb() {
  local number_file=$state/display.number
  rm -f "$number_file"
  setsid timeout 1800 Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 \
    3>"$number_file" </dev/null >>"$log" 2>&1 &
  echo $! >"$state/xvfb.pid"
  for _ in $(seq 100); do
    if [ -s "$number_file" ]; then
      echo ":$(tr -d '[:space:]' <"$number_file")"
      return 0
    fi
    sleep 0.1
  done
  echo "wine-run.sh: Xvfb did not start (see $log)" >&2
  return 1
}

# The wine server of our prefix, found by the prefix in its environment.
server_pid() {
  local comm name pid
  for comm in /proc/[0-9]*/comm; do
    read -r name <"$comm" 2>/dev/null || continue
    [ "$name" = wineserver64 ] || continue
    pid=${comm#/proc/}
    pid=${pid%/comm}
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}

prepare() {
  exec 9>"$state/lock"
  flock 9

  local own_xvfb=""
  if [ -z "${DISPLAY:-}" ]; then
    local own=""
    [ -f "$state/display" ] && own=$(cat "$state/display")
    if ! display_alive "$own"; then
      own=$(start_xvfb)
      echo "$own" >"$state/display"
      own_xvfb=$(cat "$state/xvfb.pid")
    fi
    export DISPLAY=$own
  fi

  # A server still attached to another display would put windows there.
  local served=""
  [ -f "$state/server.display" ] && served=$(cat "$state/server.display")
  if [ "$served" != "$DISPLAY" ]; then
    wineserver -k >>"$log" 2>&1 || true
    wineserver -w >>"$log" 2>&1 || true
  fi
  mkdir -p "$WINEPREFIX"
  wineserver -p60 </dev/null >>"$log" 2>&1 || true  # refuses harmlessly when running
  echo "$DISPLAY" >"$state/server.display"

  if [ -n "$own_xvfb" ]; then
    setsid "$0" "$state" --watch "$own_xvfb" </dev/null >>"$log" 2>&1 9>&- &
  fi

  # A first boot can fail on a busy machine ("could not load kernel32.dll")
  # and leave a half-made prefix: it is made again from nothing, up to three
  # times. A prefix counts as made once its boot succeeded.
  local booted=$WINEPREFIX/.booted attempt
  for attempt in 1 2 3; do
    [ -f "$booted" ] && break
    if wine wineboot -i </dev/null >>"$log" 2>&1; then
      # Debian's Wine does not find its own fonts (Tahoma, Marlett for the
      # caption buttons, MS Sans Serif); a prefix loads every font in its
      # Fonts folder.
      cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
      touch "$booted"
      break
    fi
    echo "wine-run.sh: the prefix did not boot (attempt $attempt); making it again" >>"$log"
    wineserver -k >>"$log" 2>&1 || true
    wineserver -w >>"$log" 2>&1 || true
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineserver -p60 </dev/null >>"$log" 2>&1 || true
  done
  [ -f "$booted" ] || { flock -u 9; return 1; }

  flock -u 9
  exec 9>&-
}

# Ends our Xvfb once no wine server of the prefix has run for a while.
# (Waiting with `wineserver -w` would make the watcher a client that keeps
# the server alive.)
watch_xvfb() {
  local xvfb=$1
  while kill -0 "$xvfb" 2>/dev/null; do
    sleep 5
    if [ ! -d "$state" ]; then  # the build folder was removed
      kill "$xvfb"
      return
    fi
    exec 9>"$state/lock"
    flock 9
    if [ -z "$(server_pid)" ]; then
      kill "$xvfb"
      rm -f "$state/display"
      return
    fi
    flock -u 9
  done
}

if [ "$1" = "--watch" ]; then
  watch_xvfb "$2"
  exit 0
fi
prepare
if [ "$1" = "--prepare" ]; then
  exit 0
fi

out=$(mktemp "$state/tmp/out.XXXXXX")
err=$(mktemp "$state/tmp/err.XXXXXX")
trap 'rm -f "$out" "$err"' EXIT

run_program() {
  wine "$@" </dev/null >"$out" 2>"$err" &
  program=$!
  trap 'kill "$program" 2>/dev/null; exit 143' TERM INT
  status=0
  wait "$program" || status=$?
}
run_program "$@"
# A program of ours that fails without printing a single line never ran:
# Wine failed to start it (seen when the wine server was just ending after
# its idle minute). Once more, then the result stands.
if [ "$status" -ne 0 ] && [ ! -s "$out" ] && [ ! -s "$err" ]; then
  echo "wine-run.sh: $1 ended with $status before its first line; starting it again" >>"$log"
  run_program "$@"
fi
cat "$out"
cat "$err" >&2
exit "$status"
