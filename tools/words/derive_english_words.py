"""Writes the English word list for Plinth's word suggestions on stdout.

Arguments: zxcvbn's lib/frequency_lists.js, SCOWL's folder of word lists and
WordNet's folder of data files.

zxcvbn ranks the 30,000 most used words of English Wikipedia and, without
those, the words of US television and film subtitles. A count is estimated
from a rank by Zipf's law (the word of rank r is used about 1/r as often as
the first). The two lists share no word, each word being ranked where it
ranks higher, so both weigh the same. SCOWL decides what is a word: a ranked token is kept when
SCOWL's common lists (size 70 and below) hold it in some letter case, and it
is written as SCOWL writes it. Common SCOWL words that zxcvbn does not rank
(zxcvbn gave some of them to its other lists: passwords, names) follow with
the counts of ranks by their SCOWL size, so that they can be completed;
possessives among them are left out. zxcvbn ranks no one-letter word but
"i": "a" gets the rank it has in English text, fifth.

Pairs of words ("of the") come from the English of WordNet 3.0's glosses,
its definitions and examples of use: each two neighbouring words of the
list, not parted by punctuation, counted; the PAIRS most frequent of those
seen at least MIN_PAIR_COUNT times are listed after the words.
"""

import glob
import os
import re
import sys

SCALE = 10_000_000
LARGEST_SIZE = 70
# The rank given to the common SCOWL words no list ranks, by SCOWL size.
UNRANKED_RANKS = {10: 3000, 20: 10000, 35: 60000}
MISSING_RANKS = {"a": 5}
PAIRS = 60000
MIN_PAIR_COUNT = 3
TOKEN = re.compile(r"[A-Za-z]+(?:'[A-Za-z]+)*|[^A-Za-z\s']")
WORD = re.compile(r"^[A-Za-z]+(?:'[A-Za-z]+)*$")


def ranked_lists(path):
    text = open(path, encoding="utf-8").read()
    lists = {}
    for name in ("english_wikipedia", "us_tv_and_film"):
        match = re.search(name + r': "([^"]*)"', text)
        lists[name] = match.group(1).split(",")
    return lists


def scowl_words(folder):
    """Spellings by lower-case form, and the smallest SCOWL size of each."""
    spellings = {}
    sizes = {}
    kinds = ("words", "upper", "contractions", "proper-names", "abbreviations")
    for path in sorted(glob.glob(os.path.join(folder, "*.*"))):
        name, size = os.path.basename(path).rsplit(".", 1)
        variety, _, kind = name.partition("-")
        if variety not in ("english", "american", "british") or kind not in kinds:
            continue
        if int(size) > LARGEST_SIZE:
            continue
        with open(path, encoding="utf-8", errors="replace") as lines:
            for line in lines:
                word = line.strip()
                if not WORD.match(word):
                    continue
                key = word.lower()
                forms = spellings.setdefault(key, set())
                forms.add(word)
                sizes[key] = min(sizes.get(key, 1000), int(size))
    return spellings, sizes


def spelling(forms, key):
    if key == "i":
        return "I"  # SCOWL also lists the letter i
    if key in forms:
        return key
    capitalised = key[:1].upper() + key[1:]
    if capitalised in forms:
        return capitalised
    return sorted(forms)[0]


def gloss_pairs(folder, known):
    pairs = {}
    for part in ("noun", "verb", "adj", "adv"):
        with open(os.path.join(folder, "data." + part), encoding="latin-1") as lines:
            for line in lines:
                if line.startswith("  ") or " | " not in line:
                    continue  # the licence at the top; entries without a gloss
                previous = None
                for token in TOKEN.findall(line.split(" | ", 1)[1]):
                    key = token.lower()
                    if key in known and previous is not None:
                        pairs[(previous, key)] = pairs.get((previous, key), 0) + 1
                    previous = key if key in known else None
    frequent = [item for item in pairs.items() if item[1] >= MIN_PAIR_COUNT]
    frequent.sort(key=lambda item: (-item[1], item[0]))
    return frequent[:PAIRS]


def main():
    lists = ranked_lists(sys.argv[1])
    spellings, sizes = scowl_words(sys.argv[2])
    counts = {}
    for name in ("english_wikipedia", "us_tv_and_film"):
        for rank, token in enumerate(lists[name], start=1):
            key = token.lower()
            if key not in spellings:
                continue
            count = round(SCALE / rank)
            counts[key] = max(counts.get(key, 0), count)
    for key, size in sizes.items():
        if key not in counts and size in UNRANKED_RANKS and not key.endswith("'s"):
            counts[key] = round(SCALE / UNRANKED_RANKS[size])
    for key, rank in MISSING_RANKS.items():
        counts[key] = round(SCALE / rank)

    print("# English words for Plinth's word suggestions: word<TAB>count, in the")
    print("# order of their lower-case forms, then pairs: word word<TAB>count.")
    print("# Derived by tools/words/derive-english-words.sh from the frequency lists")
    print("# of zxcvbn 4.4.2 (MIT licence, Copyright (c) 2012-2016 Dan Wheeler and")
    print("# Dropbox, Inc.), SCOWL (Copyright 2000-2011 by Kevin Atkinson and others)")
    print("# and WordNet 3.0 (Copyright 2006 by Princeton University); see the")
    print("# copyright file for their licences.")
    # In the order of the words' bytes, which is how the keyboard keeps them:
    # it reads such a list fastest.
    for key, count in sorted(counts.items(), key=lambda item: item[0].encode()):
        print(f"{spelling(spellings[key], key)}\t{count}")
    for (first, second), count in sorted(gloss_pairs(sys.argv[3], counts)):
        print(f"{spelling(spellings[first], first)} {spelling(spellings[second], second)}\t{count}")


if __name__ == "__main__":
    main()
