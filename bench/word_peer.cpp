#include "bench/word_peer.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "src/words/word_text.h"

namespace plinth::bench {

PeerWordList::PeerWordList(std::string_view text) {
  std::istringstream lines{std::string(text)};
  std::string word;
  double score = 0;
  while (lines >> word >> score) entries_.push_back({words::Folded(word), score});
  std::sort(entries_.begin(), entries_.end(),
            [](const Entry& a, const Entry& b) { return a.folded < b.folded; });
}

std::vector<std::string_view> PeerWordList::Completions(std::string_view prefix,
                                                        std::size_t count) const {
  auto it =
      std::lower_bound(entries_.begin(), entries_.end(), prefix,
                       [](const Entry& entry, std::string_view p) { return entry.folded < p; });
  std::vector<const Entry*> found;
  for (; it != entries_.end() && std::string_view(it->folded).starts_with(prefix); ++it) {
    if (it->folded.size() > prefix.size()) found.push_back(&*it);
  }
  const std::size_t kept = std::min(count, found.size());
  std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(),
                    [](const Entry* a, const Entry* b) { return a->score > b->score; });
  std::vector<std::string_view> words;
  for (std::size_t i = 0; i < kept; ++i) words.push_back(found[i]->folded);
  return words;
}

std::vector<std::string> PeerSuggester::Suggestions(std::size_t count) {
  shown_.clear();
  if (word_.empty()) return shown_;
  if (learning_) {
    std::vector<std::pair<std::uint64_t, const std::string*>> typed;
    for (auto it = typed_.lower_bound(word_);
         it != typed_.end() && std::string_view(it->first).starts_with(word_); ++it) {
      if (it->first.size() > word_.size()) typed.emplace_back(it->second, &it->first);
    }
    std::sort(typed.begin(), typed.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (const auto& [last, word] : typed) {
      if (shown_.size() == count) break;
      shown_.push_back(*word);
    }
  }
  for (const std::string_view word : list_.Completions(word_, count + shown_.size())) {
    if (shown_.size() == count) break;
    if (std::find(shown_.begin(), shown_.end(), word) == shown_.end()) shown_.emplace_back(word);
  }
  return shown_;
}

void PeerSuggester::FinishWord() {
  while (!word_.empty() && word_.back() == '\'') word_.pop_back();
  if (!word_.empty() && learning_) typed_[word_] = ++clock_;
  word_.clear();
}

void PeerSuggester::Type(char key) {
  const auto ch = static_cast<unsigned char>(key);
  if (key == '\b') {
    if (!word_.empty()) word_.pop_back();
  } else if (words::IsLetter(ch) || (words::IsApostrophe(ch) && !word_.empty())) {
    word_ += words::Folded(std::string_view(&key, 1));
  } else {
    FinishWord();
  }
}

void PeerSuggester::Accept(std::size_t index) {
  word_ = shown_.at(index);
  FinishWord();
}

}  // namespace plinth::bench
