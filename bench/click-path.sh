#!/usr/bin/env bash
# Where a click's time goes inside the keyboard: runs bench/key_latency
# (Plinth and the floor) with bench/syscall_clock.c preloaded into both
# keyboards, then prints for each, by how the click's events were read,
# the median time from waking to the write that sends the key
# (bench/click_path.py). The rest of a click's share lies outside the
# process: the server, the wake-ups, the scheduler.
#
# Usage: bench/click-path.sh [BUILD_DIR]   (an optimised build; default
# build/release, configured with -DCMAKE_BUILD_TYPE=Release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cmake --build "$build" -j 2 --target key_latency plinth minimal_x11_keyboard >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
gcc -O2 -shared -fPIC -o "$work/syscall_clock.so" bench/syscall_clock.c -ldl
SYSCALL_CLOCK_PROGRAMS=plinth,minimal_x11_keyboard SYSCALL_CLOCK_DIR="$work" \
  LD_PRELOAD="$work/syscall_clock.so" \
  "$build/bench/key_latency" --no-peers --clicks 300 --starts 1 | grep share
# The first Plinth is the one clicked; later ones are start-up timings.
clicked=$(ls "$work"/plinth-* | sort -t- -k2 -n | head -1)
python3 bench/click_path.py "$clicked" "$work"/minimal_x11_keyboard-*
