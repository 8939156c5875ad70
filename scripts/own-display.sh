#!/usr/bin/env bash
# Runs a command on an X display of its own: a new Xvfb on the first free
# display number (chosen by the server itself, so parallel runs never
# collide), stopped by its PID when the command ends.
#
#   scripts/own-display.sh COMMAND [ARGS...]
set -euo pipefail

number_file=$(mktemp)
# -noreset: the command's clients come and go (a program stopped, the next
# started); without it the server resets each time its last client leaves,
# and a client that connects meanwhile, more likely on a busy machine, finds
# no display.
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$number_file" </dev/null >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -f "$number_file"' EXIT

for _ in $(seq 100); do
  [ -s "$number_file" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "own-display.sh: Xvfb did not start" >&2; exit 1; }
  sleep 0.1
done
[ -s "$number_file" ] || { echo "own-display.sh: Xvfb gave no display within 10 s" >&2; exit 1; }

export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
status=0
"$@" || status=$?
exit "$status"
