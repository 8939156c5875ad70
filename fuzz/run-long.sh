#!/usr/bin/env bash
# Runs every fuzz target for longer than the test command does, one after
# the other, from the fuzz preset's build. New inputs collect in
# build/fuzz/fuzz/scratch/<target>/corpus; crash inputs in .../crashes.
# A crash stops the run; copy its input into fuzz/corpus/<target>/ with a
# name that says what it found, and add a regression test.
#
# Usage: fuzz/run-long.sh [SECONDS_PER_TARGET]   (default 600)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2

for target in profile_file_fuzz load_layout_fuzz send_button_key_fuzz; do
  echo "== $target for ${seconds}s"
  fuzz/run-target.sh "build/fuzz/fuzz/$target" "$seconds" "fuzz/corpus/$target" \
    "build/fuzz/fuzz/scratch/$target" fuzz/layout.dict
done
