#!/usr/bin/env bash
# Switch scanning: the steps and choices per character that typing English
# texts takes with the bundled scanning layout (layouts/Scan.ini) and, for
# comparison, with an alphabetical grid (a to z row by row from the top
# left, then Space, Enter, Backspace and punctuation), Scan.ini typing
# with and without the suggestions of its WORD buttons (cells 22 and 23),
# counted by `plinth-layout scan`. Written as the section "Switch scanning"
# of bench/RESULTS.md (replacing the one there), before "Word suggestions".
# The counts do not depend on the build: PLINTH_LAYOUT names a plinth-layout
# already built, else an optimised one is built.
#
# Usage: [PLINTH_LAYOUT=path] bench/scan.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
results=bench/RESULTS.md
texts=(/usr/share/common-licenses/GPL-3 /usr/share/common-licenses/Apache-2.0)

tool=${PLINTH_LAYOUT:-}
if [ -z "$tool" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-error=restrict >/dev/null
  cmake --build "$build" -j 2 --target plinth-layout >/dev/null
  tool=$build/bin/plinth-layout
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The alphabetical grid: every cell but the centre in order, capitals on
# the Shift layer.
{
  echo "[Configuration]"
  cell=1
  for item in a b c d e f g h i j k l m n o p q r s t u v w x y z SPACE ENTER BACKSPACE \
    , . "'" - '"' '(' ')' : ';' / '?' '!'; do
    [ "$cell" = 25 ] && cell=26
    echo "[Button$cell]"
    case $item in
      SPACE) printf 'Type=KEY\nCaption=Spc\nKeyString=" "\n' ;;
      ENTER | BACKSPACE) printf 'Type=VIRTUALKEY\nCaption=%s\nKeyString=%s\n' "$item" "$item" ;;
      [a-z]) printf 'Type=KEY\nCaption=%s\n[ShiftButton%s]\nType=KEY\nCaption=%s\nShifted=1\n' \
        "$item" "$cell" "${item^^}" ;;
      *) printf 'Type=KEY\nCaption=%s\n' "$item" ;;
    esac
    cell=$((cell + 1))
  done
} >"$work/Alphabetical.ini"

# "steps choices" per character, without suggestions or (with "with") with.
measure() {
  "$tool" scan "$1" "$2" |
    sed -n "s/^${3:-without} \(its \)\{0,1\}suggestions: \([0-9.]*\) steps and \([0-9.]*\) choices.*/\2 \3/p"
}
rows=""
for text in "${texts[@]}"; do
  read -r steps choices < <(measure layouts/Scan.ini "$text")
  read -r alpha_steps alpha_choices < <(measure "$work/Alphabetical.ini" "$text")
  read -r words_steps words_choices < <(measure layouts/Scan.ini "$text" with)
  verdict() { awk -v s="$1" 'BEGIN { print (s <= 2.5 ? "met" : "missed") }'; }
  rows+="| ${text##*/} | $steps / $choices ($(verdict "$steps")) | $words_steps / $words_choices ($(verdict "$words_steps")) | $alpha_steps / $alpha_choices |"$'\n'
done

section=$(
  echo "## Switch scanning"
  echo
  echo "Written by bench/scan.sh on $(date -u '+%Y-%m-%d %H:%M UTC') with \`plinth-layout scan\`."
  echo "Steps (moves of the highlight) and choices (presses that choose) per character of the"
  echo "text, row-column scanning as the keyboard does it: rows and stops that do nothing are"
  echo "skipped, a capital is reached through the Shift panel, and the first row in use is lit"
  echo "after every choice. Target: at most 2.5 steps per character. The second column chooses"
  echo "Scan.ini's keys alone, though the highlight still passes its two suggestion buttons (WORD"
  echo "1 and 2, cells 22 and 23); the third also chooses them where they save steps, learning"
  echo "from nothing as the keyboard does."
  echo
  echo "| text | Scan.ini without suggestions: steps / choices | Scan.ini with its 2 suggestions | alphabetical grid |"
  echo "|---|---|---|---|"
  printf '%s' "$rows"
)

if [ -f "$results" ] && grep -q '^## Switch scanning$' "$results"; then
  # The old section: from its heading to the next heading.
  awk '/^## Switch scanning$/ { skip = 1; next } skip && /^## / { skip = 0 } !skip' "$results" \
    >"$work/results" && cp "$work/results" "$results"
fi
if grep -q '^## Word suggestions$' "$results" 2>/dev/null; then
  awk -v section="$section" '/^## Word suggestions$/ { print section; print "" } { print }' \
    "$results" >"$work/results" && cp "$work/results" "$results"
else
  printf '\n%s\n' "$section" >>"$results"
fi
echo "$section"
