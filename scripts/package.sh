#!/usr/bin/env bash
# Builds both packages from release builds of their own and prints where
# they are:
#   build/package/plinth_<version>_<arch>.deb           Debian and Ubuntu
#   build/package-win64/Plinth-<version>-win64.zip      Windows (when the
#                                                       mingw preset exists)
# Usage: scripts/package.sh [--deb-only]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc)
made=()

echo "== Debian package"
cmake -S . -B build/package -DCMAKE_BUILD_TYPE=Release \
  -DPLINTH_BUILD_TESTS=OFF -DPLINTH_BUILD_BENCH=OFF >/dev/null
cmake --build build/package -j "$jobs"
(cd build/package && cpack -G DEB)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/package/CMakeCache.txt)
made+=("$(ls build/package/plinth_"$version"_*.deb)")

if [ "${1:-}" != "--deb-only" ] && cmake --list-presets 2>/dev/null | grep -q '"mingw"'; then
  echo "== Windows zip"
  cmake --preset mingw -B build/package-win64 -DCMAKE_BUILD_TYPE=Release \
    -DPLINTH_BUILD_TESTS=OFF -DPLINTH_BUILD_BENCH=OFF >/dev/null
  cmake --build build/package-win64 -j "$jobs"
  (cd build/package-win64 && cpack -G ZIP)
  made+=("build/package-win64/Plinth-$version-win64.zip")
fi

echo
echo "Packages:"
printf '  %s\n' "${made[@]}"
