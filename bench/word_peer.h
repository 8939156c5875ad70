#pragma once

// The peer of the word-suggestion benchmark, simulated: xvkbd's word list
// (word and score a line), completions ranked by its score once a letter
// of the word is typed; with learning, the words already typed come first,
// the most recent first.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "tools/words/typing_simulation.h"

namespace plinth::bench {

class PeerWordList {
 public:
  // Reads "word score" lines; other lines are left out.
  explicit PeerWordList(std::string_view text);

  struct Entry {
    std::string folded;
    double score = 0;
  };
  // Completions of `prefix` (folded), best first, longer than it.
  std::vector<std::string_view> Completions(std::string_view prefix, std::size_t count) const;
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<Entry> entries_;  // ordered by folded form
};

class PeerSuggester final : public word_typing::Suggester {
 public:
  PeerSuggester(const PeerWordList& list, bool learning) : list_(list), learning_(learning) {}

  std::vector<std::string> Suggestions(std::size_t count) override;
  void Type(char key) override;
  void Accept(std::size_t index) override;

 private:
  void FinishWord();

  const PeerWordList& list_;
  bool learning_;
  std::string word_;  // folded letters of the word being typed
  std::map<std::string, std::uint64_t, std::less<>> typed_;  // word, latest use
  std::uint64_t clock_ = 0;
  std::vector<std::string> shown_;
};

}  // namespace plinth::bench
