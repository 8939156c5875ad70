#pragma once

// A word list: words with how often each is used, and optionally pairs of
// words with how often the second follows the first. Read from UTF-8 text,
// one entry a line:
//
//   word<TAB>count
//   word word<TAB>count
//
// Blank lines and lines starting with '#' are ignored, and so are words
// that are no words for the keyboard (digits, characters Windows-1252 lacks)
// and pairs of words not listed alone. A line of any other form makes the
// whole list unreadable: a list that is corrupt in one place cannot be
// trusted in another.

#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace plinth::words {

using WordIndex = std::uint32_t;

class WordList {
 public:
  // Larger files are no word list; the bundled one is about 1 MB.
  static constexpr std::uint64_t kMaxFileSize = std::uint64_t{32} * 1024 * 1024;
  // More entries than this are refused, so that memory stays bounded.
  static constexpr std::size_t kMaxEntries = 2'000'000;

  static constexpr std::uint32_t kAsFolded = std::numeric_limits<std::uint32_t>::max();
  struct Word {
    std::string folded;  // Windows-1252, as words are compared (see Folded)
    std::uint32_t count = 0;
    // Where its spelling is kept when it is not the folded form ("I",
    // "English"); most words have none.
    std::uint32_t spelling = kAsFolded;
  };
  struct Follower {
    WordIndex word = 0;
    std::uint32_t count = 0;
  };

  // An empty list: no suggestions.
  WordList() = default;

  // Every word, ordered by its folded form: the words with one prefix are
  // neighbours.
  std::span<const Word> words() const { return words_; }
  const Word& word(WordIndex index) const { return words_[index]; }
  // The word as the list writes it.
  std::string_view Written(WordIndex index) const {
    const Word& word = words_[index];
    return word.spelling == kAsFolded ? std::string_view(word.folded)
                                      : std::string_view(spellings_[word.spelling]);
  }
  // The range of words() whose folded form starts with `folded_prefix`,
  // as indices [first, last).
  std::pair<WordIndex, WordIndex> PrefixRange(std::string_view folded_prefix) const;
  // The index of the word whose folded form is `folded`.
  std::optional<WordIndex> Find(std::string_view folded) const;
  // The kMostFrequent most frequent words' indices, the most frequent
  // first (equal counts in the order of words()).
  static constexpr std::size_t kMostFrequent = 256;
  std::span<const WordIndex> by_count() const { return by_count_; }
  std::uint64_t total_count() const { return total_count_; }

  // The words listed after `first`, the most frequent pair first, and the
  // sum of their counts.
  std::span<const Follower> Followers(WordIndex first) const;
  std::uint64_t FollowerTotal(WordIndex first) const {
    return follower_totals_.empty() ? 0 : follower_totals_[first];
  }
  std::size_t pair_count() const { return followers_.size(); }

  friend struct WordListReading;

 private:
  std::vector<Word> words_;
  std::vector<std::string> spellings_;
  std::vector<WordIndex> by_count_;
  std::uint64_t total_count_ = 0;
  // Followers of word i are followers_[follower_starts_[i] .. follower_starts_[i + 1]).
  std::vector<Follower> followers_;
  std::vector<std::uint32_t> follower_starts_;
  std::vector<std::uint64_t> follower_totals_;
};

struct WordListRead {
  WordList list;      // empty when the text is unreadable
  std::string error;  // why the text is no word list; empty when it is one
};

// Reads a word list from its UTF-8 text.
WordListRead ReadWordList(std::string_view utf8);

}  // namespace plinth::words
