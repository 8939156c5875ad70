#include "tools/words/core_suggester.h"

namespace plinth::word_typing {

words::SentKey KeyOfText(char key) {
  switch (key) {
    case '\n':
      return {0x0D};
    case '\t':
      return {0x09};
    case '\b':
      return {0x08};
    default:
      return words::KeyTyping(key);
  }
}

std::vector<std::string> CoreSuggester::Suggestions(std::size_t count) {
  std::vector<std::string> shown;
  for (std::size_t n = 1; n <= count; ++n) {
    const std::string& word = suggestions_.Suggestion(static_cast<int>(n));
    if (word.empty()) break;
    shown.push_back(word);
  }
  return shown;
}

void CoreSuggester::Type(char key) { suggestions_.KeySent(KeyOfText(key)); }

void CoreSuggester::Accept(std::size_t index) { suggestions_.Accept(static_cast<int>(index) + 1); }

}  // namespace plinth::word_typing
