#pragma once

// The words and word pairs one user typed: how often, and how recently.
// Bounded: beyond kMaxWords words or kMaxPairs pairs, those used longest ago
// are forgotten. Kept as UTF-8 text, one entry a line:
//
//   word<TAB>count<TAB>last use
//   word word<TAB>count<TAB>last use
//
// where "last use" numbers the words learned, so that a larger number is a
// more recent use. Lines starting with '#' are comments.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plinth::words {

class LearnedWords {
 public:
  static constexpr std::size_t kMaxWords = 8000;
  static constexpr std::size_t kMaxPairs = 16000;
  // A learned-words file larger than this is not read.
  static constexpr std::uint64_t kMaxFileSize = std::uint64_t{4} * 1024 * 1024;

  struct Use {
    std::uint32_t count = 0;
    std::uint64_t last = 0;  // learning order of the latest use
  };
  struct Word {
    std::string written;  // Windows-1252, as the user writes it
    Use use;
  };
  // Keyed by the folded form (see Folded).
  using Words = std::map<std::string, Word, std::less<>>;
  // Keyed by the folded forms of the first and the second word with a space
  // between them, so that the pairs of one first word are neighbours.
  using Pairs = std::map<std::string, Use, std::less<>>;

  // Learns `word` (Windows-1252, a word by IsWord), typed after the word
  // whose folded form is `previous` (empty: after no word). A word at the
  // start of a sentence keeps its spelling only when it has none yet and
  // has a capital beyond its first letter.
  void Learn(std::string_view previous, std::string_view word, bool sentence_start);

  const Word* FindWord(std::string_view folded) const;
  std::uint32_t PairCount(std::string_view previous, std::string_view folded) const;
  // The pairs whose first word is `previous`: the second words' folded
  // forms with their uses.
  std::vector<std::pair<std::string_view, Use>> Followers(std::string_view previous) const;
  std::uint64_t FollowerTotal(std::string_view previous) const;

  const Words& words() const { return words_; }
  const Pairs& pairs() const { return pairs_; }
  std::uint64_t total_count() const { return total_count_; }
  // The number of the latest word learned.
  std::uint64_t now() const { return clock_; }

  // Changed since it was read or last marked saved.
  bool changed() const { return changed_; }
  void MarkSaved() { changed_ = false; }

  // The file's text.
  std::string ToText() const;

 private:
  friend struct LearnedWordsReading;
  void Bound();

  Words words_;
  Pairs pairs_;
  std::map<std::string, std::uint64_t, std::less<>> follower_totals_;
  std::uint64_t total_count_ = 0;
  std::uint64_t clock_ = 0;
  bool changed_ = false;
};

struct LearnedWordsRead {
  LearnedWords learned;
  std::size_t skipped_lines = 0;  // lines of no known form, left out
};

// Reads the learned words from the file's text. Lines that are not of the
// file's form are skipped, not fatal: the rest of what was learned stays.
LearnedWordsRead ReadLearnedWords(std::string_view utf8);

}  // namespace plinth::words
