#pragma once

// Ranks the words that complete what the user is typing. A word's score
// mixes how often it is used in the word list, how often it follows the
// word before it there, how often and how recently this user typed it, and
// how often this user typed it after the word before it. Every suggestion
// begins with the letters typed so far, letter case aside: completions,
// never corrections.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "src/words/learned_words.h"
#include "src/words/word_list.h"

namespace plinth::words {

// How the parts of a word's score are weighed. Each part is a probability
// of the word: in the list, after the word before in the list, among the
// words this user typed, in the recent past (each word's latest use fading
// with the words typed since), and after the word before as this user typed
// it. What this user typed weighs more the more of it there is.
struct RankingWeights {
  double list = 1.0;
  double list_pair = 1.2;
  double learned = 1.0;
  double recent = 1.0;
  double learned_pair = 3.0;
  // Words typed at which the user's words weigh half their weight.
  double learned_half = 200;
  // Pairs typed after one word at which they weigh half their weight.
  double learned_pair_half = 1;
  // Words typed since a word's latest use over which its recency fades
  // to a third.
  double recent_span = 150;
};

struct TypingState {
  std::string_view prefix;    // the letters typed of the word, Windows-1252
  std::string_view previous;  // folded form of the word before it, or empty
  bool sentence_start = false;
};

class Predictor {
 public:
  Predictor(const WordList& list, const LearnedWords& learned, const RankingWeights& weights = {});

  // At most `count` words that complete `state.prefix`, best first, written
  // in the case the prefix asks for (see CaseForPrefix) and beginning with
  // the prefix exactly as typed. A word equal to the prefix is no
  // completion and is left out, and so is the word before as the next word
  // unless a pair of the list or of the user has it follow itself.
  std::vector<std::string> Suggest(const TypingState& state, std::size_t count) const;

 private:
  struct Candidate;
  double Score(const Candidate& candidate, std::string_view previous) const;

  const WordList& list_;
  const LearnedWords& learned_;
  RankingWeights weights_;
};

}  // namespace plinth::words
