#include "src/words/learned_words.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "platform/common/windows1252.h"
#include "src/words/word_text.h"

namespace plinth::words {
namespace {

// What is kept when a bound is passed: room for a tenth more before the
// next clean-up, so that it does not run for every word.
constexpr std::size_t KeptOf(std::size_t bound) { return bound - bound / 10; }

// Drops the entries of `entries` used longest ago until `keep` remain.
template <typename Map, typename UseOf>
void ForgetOldest(Map& entries, std::size_t keep, UseOf use_of) {
  if (entries.size() <= keep) return;
  std::vector<std::uint64_t> lasts;
  lasts.reserve(entries.size());
  for (const auto& entry : entries) lasts.push_back(use_of(entry.second).last);
  const std::size_t dropped = entries.size() - keep;
  std::nth_element(lasts.begin(), lasts.begin() + static_cast<std::ptrdiff_t>(dropped - 1),
                   lasts.end());
  const std::uint64_t newest_dropped = lasts[dropped - 1];
  std::size_t to_drop = dropped;
  for (auto it = entries.begin(); it != entries.end() && to_drop > 0;) {
    if (use_of(it->second).last <= newest_dropped) {
      it = entries.erase(it);
      --to_drop;
    } else {
      ++it;
    }
  }
}

// The spelling a word keeps when it is first learned at a sentence's start:
// "The" is "the", but "NASA" stays.
std::string SentenceStartSpelling(std::string_view word) {
  std::string spelling(word);
  const bool other_capitals = std::any_of(spelling.begin() + 1, spelling.end(), [](char c) {
    const auto ch = static_cast<unsigned char>(c);
    return LowerCase(ch) != ch;
  });
  if (!other_capitals)
    spelling[0] = static_cast<char>(LowerCase(static_cast<unsigned char>(spelling[0])));
  return spelling;
}

std::string PairKey(std::string_view first, std::string_view second) {
  std::string key;
  key.reserve(first.size() + 1 + second.size());
  key.append(first).append(1, ' ').append(second);
  return key;
}

std::optional<std::uint64_t> Number(std::string_view digits) {
  std::uint64_t value = 0;
  const auto [end, status] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || status != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

void LearnedWords::Learn(std::string_view previous, std::string_view word, bool sentence_start) {
  if (!IsWord(word)) return;
  ++clock_;
  changed_ = true;
  std::string folded = Folded(word);
  auto found = words_.find(folded);
  if (found == words_.end()) {
    found = words_
                .emplace(folded,
                         Word{sentence_start ? SentenceStartSpelling(word) : std::string(word), {}})
                .first;
  } else if (!sentence_start) {
    found->second.written = word;
  }
  Use& use = found->second.use;
  if (use.count < UINT32_MAX) ++use.count;
  use.last = clock_;
  ++total_count_;

  if (!previous.empty()) {
    Use& pair = pairs_[PairKey(previous, folded)];
    if (pair.count < UINT32_MAX) ++pair.count;
    pair.last = clock_;
    ++follower_totals_[std::string(previous)];
  }
  Bound();
}

void LearnedWords::Bound() {
  if (words_.size() > kMaxWords) {
    ForgetOldest(words_, KeptOf(kMaxWords), [](const Word& word) { return word.use; });
    total_count_ = 0;
    for (const auto& [folded, word] : words_) total_count_ += word.use.count;
  }
  if (pairs_.size() > kMaxPairs) {
    ForgetOldest(pairs_, KeptOf(kMaxPairs), [](const Use& use) { return use; });
    follower_totals_.clear();
    for (const auto& [key, use] : pairs_)
      follower_totals_[key.substr(0, key.find(' '))] += use.count;
  }
}

const LearnedWords::Word* LearnedWords::FindWord(std::string_view folded) const {
  const auto found = words_.find(folded);
  return found == words_.end() ? nullptr : &found->second;
}

std::uint32_t LearnedWords::PairCount(std::string_view previous, std::string_view folded) const {
  const auto found = pairs_.find(PairKey(previous, folded));
  return found == pairs_.end() ? 0 : found->second.count;
}

std::vector<std::pair<std::string_view, LearnedWords::Use>> LearnedWords::Followers(
    std::string_view previous) const {
  std::vector<std::pair<std::string_view, Use>> followers;
  const std::string start = PairKey(previous, "");
  for (auto it = pairs_.lower_bound(start);
       it != pairs_.end() && std::string_view(it->first).starts_with(start); ++it) {
    followers.emplace_back(std::string_view(it->first).substr(start.size()), it->second);
  }
  return followers;
}

std::uint64_t LearnedWords::FollowerTotal(std::string_view previous) const {
  const auto found = follower_totals_.find(previous);
  return found == follower_totals_.end() ? 0 : found->second;
}

std::string LearnedWords::ToText() const {
  std::string text =
      "# Words Plinth learned from your typing: word, count, last use (a larger number is more\n"
      "# recent). Delete this file, or lines of it, to forget them.\n";
  const auto line = [&text](std::string_view key, const Use& use) {
    text += platform::Cp1252ToUtf8(key);
    text += '\t';
    text += std::to_string(use.count);
    text += '\t';
    text += std::to_string(use.last);
    text += '\n';
  };
  for (const auto& [folded, word] : words_) line(word.written, word.use);
  for (const auto& [key, use] : pairs_) {
    const std::size_t space = key.find(' ');
    const std::string first = key.substr(0, space);
    const std::string second = key.substr(space + 1);
    const Word* first_word = FindWord(first);
    const Word* second_word = FindWord(second);
    line((first_word ? first_word->written : first) + ' ' +
             (second_word ? second_word->written : second),
         use);
  }
  return text;
}

// Fills a LearnedWords from its text; a friend of it.
struct LearnedWordsReading {
  LearnedWordsRead read;

  void Finish() {
    read.learned.Bound();
    read.learned.changed_ = false;
  }

  bool ReadLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') return true;
    const std::size_t tab = line.find('\t');
    const std::size_t second_tab = line.find('\t', tab == std::string_view::npos ? tab : tab + 1);
    if (tab == std::string_view::npos || second_tab == std::string_view::npos) return false;
    const auto count = Number(line.substr(tab + 1, second_tab - tab - 1));
    const auto last = Number(line.substr(second_tab + 1));
    const std::optional<std::string> key = platform::Utf8ToCp1252(line.substr(0, tab));
    if (!count || !last || *count == 0 || *count > UINT32_MAX || !key) return false;
    const LearnedWords::Use use{static_cast<std::uint32_t>(*count), *last};
    LearnedWords& learned = read.learned;

    const std::size_t space = key->find(' ');
    if (space == std::string::npos) {
      if (!IsWord(*key)) return false;
      auto [entry, added] = learned.words_.emplace(Folded(*key), LearnedWords::Word{*key, use});
      if (!added) return false;
      learned.total_count_ += use.count;
      learned.clock_ = std::max(learned.clock_, use.last);
      return true;
    }
    const std::string_view first = std::string_view(*key).substr(0, space);
    const std::string_view second = std::string_view(*key).substr(space + 1);
    if (!IsWord(first) || !IsWord(second)) return false;
    const std::string folded_first = Folded(first);
    const auto [entry, added] = learned.pairs_.emplace(PairKey(folded_first, Folded(second)), use);
    if (!added) return false;
    learned.follower_totals_[folded_first] += use.count;
    learned.clock_ = std::max(learned.clock_, use.last);
    return true;
  }
};

LearnedWordsRead ReadLearnedWords(std::string_view utf8) {
  if (utf8.starts_with("\xEF\xBB\xBF")) utf8.remove_prefix(3);
  LearnedWordsReading reading;
  while (!utf8.empty()) {
    const std::size_t end = utf8.find('\n');
    if (!reading.ReadLine(utf8.substr(0, end))) ++reading.read.skipped_lines;
    utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);
  }
  reading.Finish();
  return std::move(reading.read);
}

}  // namespace plinth::words
