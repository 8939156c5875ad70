#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Plinth
# needs. Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake make g++ clang libclang-rt-14-dev clang-format clang-tidy cppcheck
  libgtest-dev libgmock-dev libbenchmark-dev
  libfltk1.3-dev libx11-dev libxtst-dev libxext-dev libxft-dev libxinerama-dev libxrandr-dev libxfixes-dev libxcursor-dev libxrender-dev libfontconfig-dev
  xvfb xauth x11-xkb-utils libxi-dev openbox i3-wm xdotool x11-utils x11-xserver-utils imagemagick fonts-dejavu-core
  mingw-w64 wine wine64
  valgrind dpkg-dev file lintian desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
