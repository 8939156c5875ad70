#!/usr/bin/env bash
# Installs xvkbd, whose word list the word-suggestion benchmark simulates as
# the peer. Benchmark peer only: nothing of Plinth uses it, and its list
# (GPL) is read only by the benchmark, never bundled.
set -euo pipefail
dpkg-query -W -f='${Status}' xvkbd 2>/dev/null | grep -q "install ok installed" && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y -qq --no-install-recommends xvkbd >/dev/null ||
  { $SUDO apt-get update -qq && $SUDO apt-get install -y -qq --no-install-recommends xvkbd >/dev/null; }
