#!/usr/bin/env bash
# Word suggestions measured on an optimised build, written as the section
# "Word suggestions" at the end of bench/RESULTS.md (replacing the one there)
# with the machine and the date:
#   - keystroke savings with 1, 3 and 5 suggestions, without and with
#     learning, on the GPL-3 text and other English texts, next to the peer
#     simulated in the same run by the same rules: xvkbd's word list,
#     installed here for the benchmark only;
#   - the time of one suggestion (95th percentile), the word list's load
#     time and the memory it takes.
# The ranking's weights were tuned on other texts (bench/tune-words.py).
#
# Usage: bench/words.sh   (about a minute after the build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
results=bench/RESULTS.md
texts=(/usr/share/common-licenses/GPL-3 /usr/share/common-licenses/Apache-2.0
  /usr/share/common-licenses/MPL-2.0 README.md)

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-error=restrict >/dev/null
cmake --build "$build" -j 2 --target word_savings plinth_word_lists >/dev/null
bench/install-word-peer.sh
peer_list=/usr/share/xvkbd/words.english

out=$("$build/bench/word_savings" "$build/bin/English.words" "$peer_list" "${texts[@]}")

savings_table=$(awk -F'\t' '
  $1 == "SAVINGS" {
    key = $2 "\t" $4
    if (!(key in seen)) { seen[key] = 1; order[++n] = key }
    ours[key, $3] = $5; peer[key, $3] = $6
  }
  END {
    for (i = 1; i <= n; i++) {
      split(order[i], part, "\t")
      name = part[1]; sub(".*/", "", name)
      learning = part[2]
      gap = ours[order[i], 5] - peer[order[i], 5]
      need = (learning == "yes") ? 5 : 3
      printf "| %s | %s | %.1f / %.1f | %.1f / %.1f | %.1f / %.1f | %+.1f | %s (%+d) |\n",
        name, learning, ours[order[i], 1], peer[order[i], 1], ours[order[i], 3], peer[order[i], 3],
        ours[order[i], 5], peer[order[i], 5], gap, (gap >= need) ? "met" : "missed", need
    }
  }' <<<"$out")
read -r _ p50 p95 pmax count < <(grep '^LATENCY' <<<"$out")
read -r _ load_median load_min load_max load_cpu load_first < <(grep '^LOAD' <<<"$out")
read -r _ heap_kb rss_kb words pairs < <(grep '^MEMORY' <<<"$out")
verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit ? "met" : "missed") }'; }

section=$(
  echo "## Word suggestions"
  echo
  echo "Written by bench/words.sh on $(date -u '+%Y-%m-%d %H:%M UTC'), a machine with $(nproc) cores" \
    "($(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n1)), load average" \
    "$(cut -d' ' -f1-3 /proc/loadavg) at the end, on an optimised build. One run."
  echo
  echo "Keystroke savings in percent, Plinth / the peer, by the usual rules: the text typed as it"
  echo "stands, line breaks as Enter; a word is letters with apostrophes inside it; one keystroke per"
  echo "character typed, one per accepted suggestion, the space after an accepted word free (a"
  echo "Backspace counted where the text goes on with neither a space nor . , ; : ! ?); a word"
  echo "accepted as soon as it is among the N shown, letter case ignored. Plinth is its own code"
  echo "(WordSuggestions on the bundled English.words, $words words and $pairs pairs, learning into an"
  echo "empty store); the peer is xvkbd's word list ($(grep -c . "$peer_list") words) ranked by its"
  echo "score once a letter is typed, and with learning the words already typed first, the most"
  echo "recent first. Target with N=5: 3 points above the peer without learning, 5 with it."
  echo
  echo "| text | learning | N=1 | N=3 | N=5 | N=5 gap | target |"
  echo "|---|---|---|---|---|---|---|"
  echo "$savings_table"
  echo
  echo "| measure | value | target |"
  echo "|---|---|---|"
  echo "| one suggestion (N=5, learning), over $count suggestions | p50 $p50 us, p95 $p95 us, max $pmax us | p95 at most 1000 us: $(verdict "$p95" 1000) |"
  echo "| loading English.words (median of 15 in one process) | $load_median ms (min $load_min, max $load_max; the first load $load_first ms); processor time $load_cpu ms | at most 30 ms: $(verdict "$load_median" 30) in wall time, $(verdict "$load_cpu" 30) in processor time |"
  echo "| memory the loaded list takes (heap counts reserved room never touched) | heap $heap_kb kB, resident $rss_kb kB | at most 10 MB resident: $(verdict "$rss_kb" 10240) |"
  echo
  echo "Wall times on a machine this busy are an upper bound; the processor time of the load is"
  echo "what the list costs itself."
)

if [ -f "$results" ]; then
  sed -i '/^## Word suggestions$/,$d' "$results"
  sed -i -e :a -e '/^\n*$/{$d;N;ba' -e '}' "$results"  # no blank lines at the end
  printf '\n%s\n' "$section" >>"$results"
else
  printf '# Benchmark results\n\n%s\n' "$section" >"$results"
fi
echo "$section"
