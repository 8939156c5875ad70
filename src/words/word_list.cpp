#include "src/words/word_list.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "platform/common/windows1252.h"
#include "src/words/word_text.h"

namespace plinth::words {
namespace {

// Folded word to its index in a list: open addressing over a power-of-two
// table of hashes and indices, so that a lookup mostly reads one slot and
// the one word it names.
class FoldedIndex {
 public:
  explicit FoldedIndex(const std::vector<WordList::Word>& words) : words_(words) {
    std::size_t size = 16;
    while (size < 2 * words.size()) size *= 2;
    mask_ = size - 1;
    slots_.assign(size, Slot{0, kEmpty});
    for (std::size_t i = 0; i < words.size(); ++i) {
      const std::uint32_t hash = Hash(words[i].folded);
      std::size_t slot = hash & mask_;
      while (slots_[slot].index != kEmpty) slot = (slot + 1) & mask_;
      slots_[slot] = {hash, static_cast<WordIndex>(i)};
    }
  }

  std::optional<WordIndex> Find(std::string_view folded) const {
    const std::uint32_t hash = Hash(folded);
    for (std::size_t slot = hash & mask_; slots_[slot].index != kEmpty; slot = (slot + 1) & mask_) {
      if (slots_[slot].hash == hash && words_[slots_[slot].index].folded == folded) {
        return slots_[slot].index;
      }
    }
    return std::nullopt;
  }

 private:
  static constexpr WordIndex kEmpty = std::numeric_limits<WordIndex>::max();
  struct Slot {
    std::uint32_t hash;
    WordIndex index;
  };

  // FNV-1a.
  static std::uint32_t Hash(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 16777619u;
    }
    return hash;
  }

  const std::vector<WordList::Word>& words_;
  std::vector<Slot> slots_;
  std::size_t mask_ = 0;
};

}  // namespace

// Fills a WordList from its text; a friend of the list.
//
// Two passes over the text: the first checks every line and keeps the
// words, the second reads the pairs, whose words are then known. Nothing of
// a line is kept between them, so that little memory is touched.
struct WordListReading {
  // One pair read in the second pass.
  struct Pair {
    WordIndex first;
    WordIndex second;
    std::uint32_t count;
  };

  WordList list;
  std::size_t entries = 0;
  std::size_t pair_lines = 0;
  std::string error;
  std::vector<Pair> pairs;
  std::optional<FoldedIndex> index;  // for the second pass
  std::string folded;                // scratch
  // The first word of the pair line before, and its index.
  std::string last_first;
  std::optional<WordIndex> last_first_index;

  void Reserve(std::size_t lines) { list.words_.reserve(lines); }

  void AddWord(std::string_view written, std::uint32_t count) {
    WordList::Word& word = list.words_.emplace_back(WordList::Word{Folded(written), count});
    if (word.folded != written) {
      word.spelling = static_cast<std::uint32_t>(list.spellings_.size());
      list.spellings_.emplace_back(written);
    }
  }

  bool Fail(std::size_t line_number, std::string_view what) {
    error = "line " + std::to_string(line_number) + ": " + std::string(what);
    return false;
  }

  // The first pass: checks the line and keeps its word. False, with
  // `error`, for a line of no known form.
  bool ReadLine(std::string_view line, std::size_t line_number) {
    return VisitLine(line, line_number, [this](std::string_view words, std::uint32_t count) {
      const std::size_t space = words.find(' ');
      if (space == std::string_view::npos) {
        if (IsWord(words)) AddWord(words, count);
      } else {
        ++pair_lines;
      }
    });
  }

  // The second pass: keeps the line's pair when both its words are listed.
  void ReadPairLine(std::string_view line) {
    VisitLine(line, 0, [this](std::string_view words, std::uint32_t count) {
      const std::size_t space = words.find(' ');
      if (space == std::string_view::npos || words.find(' ', space + 1) != std::string_view::npos) {
        return;
      }
      // The pairs of one first word are mostly neighbours: it is looked up
      // once for them all.
      const std::string_view first = words.substr(0, space);
      if (first != last_first) {
        last_first.assign(first);
        last_first_index = IndexOf(first);
      }
      const auto second = IndexOf(words.substr(space + 1));
      if (last_first_index && second) pairs.push_back({*last_first_index, *second, count});
    });
  }

  // Only words are listed, so anything else is simply not found.
  std::optional<WordIndex> IndexOf(std::string_view word) {
    folded.assign(word);
    for (char& c : folded) c = FoldedCharacter(c);
    return index->Find(folded);
  }

  // Hands the words of a line (Windows-1252) and their count, not zero, to
  // `take`.
  template <typename Take>
  bool VisitLine(std::string_view line, std::size_t line_number, Take take) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return true;
    const std::size_t tab = line.rfind('\t');
    if (tab == std::string_view::npos) {
      return Fail(line_number, "no tab between the word and its count");
    }
    const std::string_view key = line.substr(0, tab);
    const std::string_view digits = line.substr(tab + 1);
    std::uint32_t count = 0;
    const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || status != std::errc() || end != digits.data() + digits.size()) {
      return Fail(line_number, "the count \"" + std::string(digits.substr(0, 20)) +
                                   "\" is no whole number from 0 to 4294967295");
    }
    // Most lines are plain ASCII, the same in both encodings: read in place.
    const bool ascii = std::all_of(key.begin(), key.end(), [](char c) { return (c & 0x80) == 0; });
    std::optional<std::string> text;
    if (!ascii) {
      text = platform::Utf8ToCp1252(key);
      if (!text) return Fail(line_number, "the text is not UTF-8");
    }
    if (line_number != 0 && ++entries > WordList::kMaxEntries) {
      return Fail(line_number,
                  "more than " + std::to_string(WordList::kMaxEntries) + " entries in one list");
    }
    if (count != 0) take(ascii ? key : std::string_view(*text), count);
    return true;
  }

  static std::uint32_t SaturatingSum(std::uint32_t a, std::uint32_t b) {
    return b > std::numeric_limits<std::uint32_t>::max() - a
               ? std::numeric_limits<std::uint32_t>::max()
               : a + b;
  }

  // One entry for each folded word: the counts added, written as its most
  // frequent spelling.
  void MergeWords() {
    auto& words = list.words_;
    const auto by_folded = [](const WordList::Word& a, const WordList::Word& b) {
      return a.folded < b.folded;
    };
    // The bundled list is written in this order already.
    if (!std::is_sorted(words.begin(), words.end(), by_folded)) {
      std::stable_sort(words.begin(), words.end(), by_folded);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (kept > 0 && words[kept - 1].folded == words[i].folded) {
        WordList::Word& merged = words[kept - 1];
        if (words[i].count > merged.count) merged.spelling = words[i].spelling;
        merged.count = SaturatingSum(merged.count, words[i].count);
        continue;
      }
      if (kept != i) words[kept] = std::move(words[i]);
      ++kept;
    }
    // What is reserved beyond the words was never touched: no memory is
    // taken for it.
    words.resize(kept);
    list.by_count_.resize(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
      list.by_count_[i] = static_cast<WordIndex>(i);
      list.total_count_ += words[i].count;
    }
    // Only the head of this order is ever asked for.
    const std::size_t kept_frequent = std::min(WordList::kMostFrequent, list.by_count_.size());
    std::partial_sort(
        list.by_count_.begin(), list.by_count_.begin() + static_cast<std::ptrdiff_t>(kept_frequent),
        list.by_count_.end(), [&](WordIndex a, WordIndex b) {
          return words[a].count != words[b].count ? words[a].count > words[b].count : a < b;
        });
    list.by_count_.resize(kept_frequent);
  }

  template <typename Lines>
  void MergePairs(Lines for_each_line) {
    if (pair_lines == 0) return;
    index.emplace(list.words_);
    pairs.reserve(pair_lines);
    for_each_line([this](std::string_view line) { ReadPairLine(line); });
    const auto in_order = [](const Pair& a, const Pair& b) {
      return a.first != b.first ? a.first < b.first : a.second < b.second;
    };
    // The bundled list writes its pairs in this order already.
    if (!std::is_sorted(pairs.begin(), pairs.end(), in_order)) {
      std::sort(pairs.begin(), pairs.end(), in_order);
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      if (kept > 0 && pairs[kept - 1].first == pairs[i].first &&
          pairs[kept - 1].second == pairs[i].second) {
        pairs[kept - 1].count = SaturatingSum(pairs[kept - 1].count, pairs[i].count);
        continue;
      }
      pairs[kept++] = pairs[i];
    }
    pairs.resize(kept);
    // Each word's followers, the most frequent first.
    for (std::size_t start = 0, end = 0; start < pairs.size(); start = end) {
      while (end < pairs.size() && pairs[end].first == pairs[start].first) ++end;
      std::sort(pairs.begin() + static_cast<std::ptrdiff_t>(start),
                pairs.begin() + static_cast<std::ptrdiff_t>(end), [](const Pair& a, const Pair& b) {
                  return a.count != b.count ? a.count > b.count : a.second < b.second;
                });
    }

    const std::size_t word_count = list.words_.size();
    list.follower_starts_.assign(word_count + 1, 0);
    list.follower_totals_.assign(word_count, 0);
    list.followers_.reserve(pairs.size());
    for (const Pair& pair : pairs) {
      ++list.follower_starts_[pair.first + 1];
      list.follower_totals_[pair.first] += pair.count;
      list.followers_.push_back({pair.second, pair.count});
    }
    for (std::size_t i = 0; i < word_count; ++i) {
      list.follower_starts_[i + 1] += list.follower_starts_[i];
    }
  }
};

std::pair<WordIndex, WordIndex> WordList::PrefixRange(std::string_view folded_prefix) const {
  const auto first = std::lower_bound(
      words_.begin(), words_.end(), folded_prefix,
      [](const Word& word, std::string_view prefix) { return word.folded < prefix; });
  auto last = first;
  if (folded_prefix.empty()) {
    last = words_.end();
  } else {
    last = std::partition_point(first, words_.end(), [&](const Word& word) {
      return std::string_view(word.folded).starts_with(folded_prefix);
    });
  }
  return {static_cast<WordIndex>(first - words_.begin()),
          static_cast<WordIndex>(last - words_.begin())};
}

std::optional<WordIndex> WordList::Find(std::string_view folded) const {
  const auto found =
      std::lower_bound(words_.begin(), words_.end(), folded,
                       [](const Word& word, std::string_view key) { return word.folded < key; });
  if (found == words_.end() || found->folded != folded) return std::nullopt;
  return static_cast<WordIndex>(found - words_.begin());
}

std::span<const WordList::Follower> WordList::Followers(WordIndex first) const {
  if (follower_starts_.empty()) return {};
  return std::span(followers_)
      .subspan(follower_starts_[first], follower_starts_[first + 1] - follower_starts_[first]);
}

WordListRead ReadWordList(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  const auto for_each_line = [utf8](auto visit) {
    for (std::string_view rest = utf8; !rest.empty();) {
      const std::size_t end = rest.find('\n');
      if (!visit(rest.substr(0, end))) return false;
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
    return true;
  };
  WordListReading reading;
  reading.Reserve(static_cast<std::size_t>(std::count(utf8.begin(), utf8.end(), '\n')) + 1);
  std::size_t line_number = 0;
  if (!for_each_line(
          [&](std::string_view line) { return reading.ReadLine(line, ++line_number); })) {
    return {WordList(), std::move(reading.error)};
  }
  reading.MergeWords();
  reading.MergePairs([&](auto read_pair) {
    for_each_line([&](std::string_view line) {
      read_pair(line);
      return true;
    });
  });
  return {std::move(reading.list), ""};
}

}  // namespace plinth::words
