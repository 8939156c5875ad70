#!/usr/bin/env bash
# Builds the Windows program with mingw-w64 (the `mingw` preset) and runs
# its tests under Wine: the unit tests of the core and of the Windows
# platform, the agreement of the two profile readers, and Plinth.exe end to
# end. Tests that need a display start their own Xvfb; Wine runs in
# prefixes inside build/mingw.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
started=$(date +%s)
cmake --preset mingw >/dev/null
cmake --build --preset mingw
built=$(date +%s)
status=0
ctest --preset mingw -j 2 || status=$?
echo "Windows build: $((built - started)) s, tests under Wine: $(($(date +%s) - built)) s"
exit "$status"
