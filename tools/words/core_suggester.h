#pragma once

// The keyboard's own word suggestions as a Suggester: every key goes
// through WordSuggestions as the keyboard sends it.

#include "src/words/word_suggestions.h"
#include "tools/words/typing_simulation.h"

namespace plinth::word_typing {

class CoreSuggester final : public Suggester {
 public:
  explicit CoreSuggester(words::WordSuggestions& suggestions) : suggestions_(suggestions) {}

  std::vector<std::string> Suggestions(std::size_t count) override;
  void Type(char key) override;
  void Accept(std::size_t index) override;

 private:
  words::WordSuggestions& suggestions_;
};

// The key stroke the keyboard sends for a key of a typed text: '\n' Enter,
// '\t' Tab, '\b' Backspace, any other character by its key.
words::SentKey KeyOfText(char key);

}  // namespace plinth::word_typing
