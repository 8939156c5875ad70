#!/usr/bin/env python3
"""Tunes the weights of the word ranking (RankingWeights) on texts that the
benchmark does not use, by a coordinate search on Plinth's savings with five
suggestions, with and without learning. Prints the best weights found.

Usage: bench/tune-words.py WORD_SAVINGS_BINARY LIST PEER_LIST
"""
import subprocess
import sys

TUNING_TEXTS = [
    "/usr/share/common-licenses/GFDL-1.3",
    "/usr/share/common-licenses/Artistic",
    "docs/layouts.md",
    "packaging/README.txt",
]
NAMES = ["list", "list_pair", "learned", "recent", "learned_pair",
         "learned_half", "learned_pair_half", "recent_span"]


def score(binary, word_list, peer, weights):
    out = subprocess.run(
        [binary, "--weights", ",".join(str(w) for w in weights), "--quick",
         word_list, peer] + TUNING_TEXTS,
        capture_output=True, text=True, check=True).stdout
    values = [float(line.split("\t")[4]) for line in out.splitlines()
              if line.startswith("SAVINGS")]
    return sum(values) / len(values)


def main():
    binary, word_list, peer = sys.argv[1:4]
    weights = [1.0, 1.2, 1.0, 1.0, 3.0, 200, 1, 150]
    best = score(binary, word_list, peer, weights)
    print("start", weights, round(best, 2), flush=True)
    for _ in range(2):
        for i in range(len(weights)):
            if i == 0:
                continue  # the scale: the list's weight stays 1
            for factor in (0.25, 0.5, 2, 4):
                trial = list(weights)
                trial[i] = weights[i] * factor
                value = score(binary, word_list, peer, trial)
                if value > best + 0.05:
                    best, weights = value, trial
                    print(NAMES[i], weights, round(best, 2), flush=True)
    print("best", weights, round(best, 2))


if __name__ == "__main__":
    main()
