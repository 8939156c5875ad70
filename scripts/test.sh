#!/usr/bin/env bash
# Builds and runs every test: the Linux build (unit, tool, X11 and Wayland
# end-to-end tests), the core under AddressSanitizer + UBSan, the fuzz
# targets for a few seconds each (clang, libFuzzer), and the
# Windows build under Wine. Tests that need a display start their own Xvfb,
# or a headless sway of their own.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
# sway and the user it runs as are installed now: the Wayland tests run.
export PLINTH_REQUIRE_WAYLAND=1

for preset in dev asan fuzz; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done

echo "== clang-tidy and cppcheck"
JOBS="$jobs" scripts/lint.sh build/dev

if [ -x scripts/test-windows.sh ]; then
  echo "== Windows build under Wine"
  scripts/test-windows.sh
fi
