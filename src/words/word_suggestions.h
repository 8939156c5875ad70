#pragma once

// Word suggestions for the keyboard: follows the keys it sends, answers the
// n-th suggestion for what is being typed, and turns an accepted suggestion
// into the characters to type. Learns the words the user finishes while
// learning is on.
//
// The keyboard calls, for every key stroke it sends:
//   TakesBackSpace(key) before sending it: when true, a Backspace goes out
//     first, taking back the space after an accepted suggestion ("word.");
//   KeySent(key) once it was sent;
// CursorMoved() when the focus went to another window; Suggestion(n) for a
// WORD button's caption; Accept(n) when one is clicked, typing what it
// returns (those characters are not handed to KeySent again).

#include <array>
#include <string>

#include "src/words/learned_words.h"
#include "src/words/predictor.h"
#include "src/words/sent_key.h"
#include "src/words/typed_context.h"
#include "src/words/word_list.h"

namespace plinth::words {

class WordSuggestions {
 public:
  // WORD buttons number their suggestion 1 to kMaxSuggestions.
  static constexpr int kMaxSuggestions = 8;

  WordSuggestions(const WordList& list, LearnedWords& learned, const RankingWeights& weights = {});

  bool TakesBackSpace(const SentKey& key) const;
  void KeySent(const SentKey& key);
  void CursorMoved();

  // The n-th suggestion (1-based), Windows-1252; empty when there is none.
  const std::string& Suggestion(int n);
  // The characters that accept the n-th suggestion: the rest of the word
  // and a space. Empty when there is no such suggestion.
  std::string Accept(int n);

  // While off, nothing is learned; what was learned still ranks.
  void set_learning(bool on) { learning_ = on; }
  bool learning() const { return learning_; }

  const TypedContext& context() const { return context_; }

 private:
  void Learn(const std::optional<FinishedWord>& finished);
  void Changed() { fresh_ = false; }

  Predictor predictor_;
  LearnedWords& learned_;
  TypedContext context_;
  bool learning_ = true;
  bool fresh_ = false;  // shown_ is up to date
  std::array<std::string, kMaxSuggestions> shown_;
};

}  // namespace plinth::words
