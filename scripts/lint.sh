#!/usr/bin/env bash
# Static checks over the keyboard's own code: clang-tidy (the checks in
# .clang-tidy) and cppcheck over src/ and platform/, with the compile
# commands of a Linux build. platform/win32 is left out: it compiles only
# with the mingw toolchain's headers. Fails on any finding.
#
# Usage: scripts/lint.sh [BUILD_DIR]   (default build/dev, configured)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
jobs=${JOBS:-2}

mapfile -t files < <(find src platform -name '*.cpp' -not -path 'platform/win32/*' | sort)

echo "== clang-tidy (${#files[@]} files)"
tidy_log=$(mktemp)
trap 'rm -f "$tidy_log"' EXIT
printf '%s\n' "${files[@]}" |
  xargs -P "$jobs" -n 1 clang-tidy -p "$build" --quiet \
    --extra-arg=-Wno-unknown-warning-option >"$tidy_log" 2>/dev/null || true
if grep -E '(warning|error):' "$tidy_log"; then
  echo "clang-tidy found the above" >&2
  exit 1
fi

echo "== cppcheck"
cppcheck --quiet --error-exitcode=1 --std=c++20 --language=c++ \
  --enable=warning,performance,portability --inline-suppr \
  --suppress=missingIncludeSystem -I . "${files[@]}"
echo "lint: no findings"
