#include "tools/words/typing_simulation.h"

#include "src/words/typed_context.h"
#include "src/words/word_text.h"

namespace plinth::word_typing {
namespace {

bool IsWordLetter(char c) { return words::IsLetter(static_cast<unsigned char>(c)); }

// The end of the word that starts at `start`: letters, with apostrophes
// only between letters.
std::size_t WordEnd(std::string_view text, std::size_t start) {
  const auto inner_apostrophe = [&](std::size_t at) {
    return words::IsApostrophe(static_cast<unsigned char>(text[at])) && at > start &&
           at + 1 < text.size() && IsWordLetter(text[at + 1]);
  };
  std::size_t end = start;
  while (end < text.size() && (IsWordLetter(text[end]) || inner_apostrophe(end))) ++end;
  return end;
}

}  // namespace

TypingCost TypeText(std::string_view text, Suggester& suggester, std::size_t count,
                    const Prices& prices) {
  TypingCost total;
  total.characters = text.size();
  std::size_t word_end = 0;  // end of the word being typed; 0: none
  std::string word;          // folded
  for (std::size_t i = 0; i < text.size();) {
    if (i >= word_end && IsWordLetter(text[i]) && (i == 0 || !IsWordLetter(text[i - 1]))) {
      word_end = WordEnd(text, i);
      word = words::Folded(text.substr(i, word_end - i));
    }
    if (i < word_end && count > 0) {
      const bool space_follows = word_end < text.size() && text[word_end] == ' ';
      const bool takes_back =
          word_end < text.size() &&
          words::TypedContext::kTakesBackSpace.find(text[word_end]) != std::string_view::npos;
      double typing = 0;
      for (std::size_t j = i; j < word_end; ++j) typing += prices.character(text[j]);
      if (space_follows) typing += prices.character(' ');
      const std::vector<std::string> shown = suggester.Suggestions(count);
      for (std::size_t index = 0; index < shown.size(); ++index) {
        if (words::Folded(shown[index]) != word) continue;
        const double accepting =
            prices.accept(index) + (space_follows || takes_back ? 0.0 : prices.backspace);
        if (accepting >= typing) break;
        suggester.Accept(index);
        total.cost += accepting;
        ++total.accepted;
        i = word_end;
        if (space_follows) {
          ++i;
        } else if (!takes_back) {
          suggester.Type('\b');
        }
        break;
      }
      if (i >= word_end) continue;
    }
    const double price = prices.character(text[i]);
    if (price < 0) {
      ++total.untypable;
    } else {
      total.cost += price;
    }
    suggester.Type(text[i]);
    ++i;
  }
  return total;
}

}  // namespace plinth::word_typing
