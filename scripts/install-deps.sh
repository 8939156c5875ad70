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
  libwayland-dev libwayland-bin wayland-protocols libxkbcommon-dev libcairo2-dev libpango1.0-dev
  sway wev grim wtype
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# sway refuses to run as root: tests run as root start it as this user.
if [ "$(id -u)" -eq 0 ] && ! id plinth-test >/dev/null 2>&1; then
  useradd --system --user-group --no-create-home --home-dir /nonexistent \
    --shell /usr/sbin/nologin plinth-test
fi
