#!/usr/bin/env bash
# Builds the Windows program with mingw-w64 (the `mingw` preset) and runs
# its tests under Wine: the unit tests of the core and of the Windows
# platform, the agreement of the two profile readers, and Plinth.exe end to
# end; then packs the Windows zip and runs the Plinth.exe inside it. Tests
# that need a display start their own Xvfb; Wine runs in prefixes inside
# build/mingw.
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

# The zip a user downloads: Plinth.exe with its layouts, started as unpacked.
zip_dir=build/mingw/package
(cd build/mingw && cpack -G ZIP -B "$PWD/package" >/dev/null) || status=1
zip=$(ls "$zip_dir"/Plinth-*-win64.zip 2>/dev/null | head -n 1)
if [ -n "$zip" ]; then
  scripts/test-zip.sh "$zip" "$zip_dir/test" || status=1
else
  echo "FAIL: cpack made no Windows zip" >&2
  status=1
fi
exit "$status"
