#include "src/words/predictor.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "src/words/word_text.h"

namespace plinth::words {
namespace {

// Followers of the word before that are looked at, the most frequent first:
// enough for every pair that can matter, bounded for speed.
constexpr std::size_t kFollowersScanned = 4000;

double Share(std::uint64_t part, std::uint64_t whole) {
  return whole == 0 ? 0.0 : static_cast<double>(part) / static_cast<double>(whole);
}

}  // namespace

struct Predictor::Candidate {
  std::string_view folded;
  std::optional<WordIndex> listed;
  const LearnedWords::Word* learned = nullptr;
  std::uint32_t list_pair = 0;
  double score = 0;
};

Predictor::Predictor(const WordList& list, const LearnedWords& learned,
                     const RankingWeights& weights)
    : list_(list), learned_(learned), weights_(weights) {}

double Predictor::Score(const Candidate& candidate, std::string_view previous) const {
  double score = 0;
  if (candidate.listed) {
    score += weights_.list * Share(list_.word(*candidate.listed).count, list_.total_count());
  }
  if (candidate.list_pair != 0) {
    if (const auto before = list_.Find(previous)) {
      score += weights_.list_pair * Share(candidate.list_pair, list_.FollowerTotal(*before));
    }
  }
  // A learned pair counts even when its second word was forgotten alone.
  if (!previous.empty()) {
    const std::uint64_t after_previous = learned_.FollowerTotal(previous);
    const auto pairs = static_cast<double>(after_previous);
    score += pairs / (pairs + weights_.learned_pair_half) * weights_.learned_pair *
             Share(learned_.PairCount(previous, candidate.folded), after_previous);
  }
  if (candidate.learned == nullptr) return score;
  const LearnedWords::Use& use = candidate.learned->use;
  const auto typed = static_cast<double>(learned_.total_count());
  const double learned_weight = typed / (typed + weights_.learned_half);
  score += learned_weight * weights_.learned * Share(use.count, learned_.total_count());
  // The latest uses of all words add up to about min(typed, span).
  const double age = static_cast<double>(learned_.now() - use.last);
  score += learned_weight * weights_.recent * std::exp(-age / weights_.recent_span) /
           std::max(1.0, std::min(typed, weights_.recent_span));
  return score;
}

std::vector<std::string> Predictor::Suggest(const TypingState& state, std::size_t count) const {
  if (count == 0 || state.prefix.size() >= kMaxWordLength) return {};
  const std::string prefix = Folded(state.prefix);
  const std::size_t pool = 3 * count + 4;
  const auto completes = [&prefix](std::string_view folded) {
    return folded.size() > prefix.size() && folded.starts_with(prefix);
  };

  std::vector<Candidate> candidates;
  const auto find = [&candidates](std::string_view folded) -> Candidate* {
    for (Candidate& candidate : candidates) {
      if (candidate.folded == folded) return &candidate;
    }
    return nullptr;
  };
  const auto add = [&](std::string_view folded) -> Candidate& {
    if (Candidate* known = find(folded)) return *known;
    Candidate& added = candidates.emplace_back();
    added.folded = folded;
    return added;
  };

  // The list's most frequent completions.
  std::vector<WordIndex> frequent;
  if (prefix.empty()) {
    const auto by_count = list_.by_count();
    frequent.assign(by_count.begin(), by_count.begin() + static_cast<std::ptrdiff_t>(
                                                             std::min(pool, by_count.size())));
  } else {
    const auto [first, last] = list_.PrefixRange(prefix);
    for (WordIndex i = first; i < last; ++i) frequent.push_back(i);
    const auto more_frequent = [this](WordIndex a, WordIndex b) {
      return list_.word(a).count > list_.word(b).count;
    };
    if (frequent.size() > pool) {
      std::partial_sort(frequent.begin(), frequent.begin() + static_cast<std::ptrdiff_t>(pool),
                        frequent.end(), more_frequent);
      frequent.resize(pool);
    }
  }
  for (const WordIndex index : frequent) {
    if (completes(list_.word(index).folded)) add(list_.word(index).folded).listed = index;
  }

  // This user's words, by what they add to the score.
  {
    std::vector<std::pair<double, const std::string*>> learned;
    for (auto it = learned_.words().lower_bound(prefix);
         it != learned_.words().end() && it->first.starts_with(prefix); ++it) {
      if (!completes(it->first)) continue;
      Candidate probe;
      probe.folded = it->first;
      probe.learned = &it->second;
      learned.emplace_back(Score(probe, {}), &it->first);
    }
    if (learned.size() > pool) {
      std::partial_sort(learned.begin(), learned.begin() + static_cast<std::ptrdiff_t>(pool),
                        learned.end(),
                        [](const auto& a, const auto& b) { return a.first > b.first; });
      learned.resize(pool);
    }
    for (const auto& [score, folded] : learned) add(*folded);
  }

  // The words that follow the word before, in the list and for this user.
  if (!state.previous.empty()) {
    if (const auto before = list_.Find(state.previous)) {
      std::size_t added = 0;
      std::size_t scanned = 0;
      for (const WordList::Follower& follower : list_.Followers(*before)) {
        if (++scanned > kFollowersScanned) break;
        const std::string_view folded = list_.word(follower.word).folded;
        if (!completes(folded)) continue;
        Candidate* known = find(folded);
        if (known == nullptr && added < pool) {
          known = &add(folded);
          ++added;
        }
        if (known != nullptr) known->list_pair = follower.count;
      }
    }
    for (const auto& [folded, use] : learned_.Followers(state.previous)) {
      if (completes(folded)) add(folded);
    }
  }

  for (Candidate& candidate : candidates) {
    if (!candidate.listed) candidate.listed = list_.Find(candidate.folded);
    if (candidate.learned == nullptr) candidate.learned = learned_.FindWord(candidate.folded);
    candidate.score = Score(candidate, state.previous);
  }
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    return a.score != b.score ? a.score > b.score : a.folded < b.folded;
  });

  const LetterCase letter_case = CaseForPrefix(state.prefix, state.sentence_start);
  std::vector<std::string> suggestions;
  for (const Candidate& candidate : candidates) {
    if (suggestions.size() == count) break;
    // A word seldom follows itself ("the the"): not without a pair that says so.
    if (prefix.empty() && candidate.folded == state.previous && candidate.list_pair == 0 &&
        learned_.PairCount(state.previous, candidate.folded) == 0) {
      continue;
    }
    // The user's own spelling counts when it has capitals; else the list's.
    // A word of a learned pair may have been forgotten alone: it is written
    // as compared.
    const LearnedWords::Word* learned = candidate.learned;
    std::string_view spelling = candidate.folded;
    if (learned != nullptr && (learned->written != candidate.folded || !candidate.listed)) {
      spelling = learned->written;
    } else if (candidate.listed) {
      spelling = list_.Written(*candidate.listed);
    }
    const std::string written = WithCase(spelling, letter_case);
    suggestions.push_back(std::string(state.prefix) + written.substr(state.prefix.size()));
  }
  return suggestions;
}

}  // namespace plinth::words
