#!/usr/bin/env bash
# Installs the two on-screen keyboards the click-to-key benchmark measures
# Plinth against. Benchmark peers only: nothing of Plinth uses them.
set -euo pipefail
peers=(matchbox-keyboard xvkbd)
missing=()
for p in "${peers[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null ||
  { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; }
