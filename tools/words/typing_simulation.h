#pragma once

// Types a text with word suggestions by the usual rules of keystroke
// savings, and counts what it costs: the text typed as it stands, line
// breaks as Enter; a word is letters with apostrophes inside it; each
// character typed costs its price, an accepted suggestion the price of
// accepting it, and the space after an accepted word is free. A word is
// accepted as soon as it is among those shown (letter case aside) and
// accepting costs less than typing the rest. Where the text goes on with
// no space after the word and no punctuation that takes the space back,
// the space is taken back with a Backspace, which costs its price too.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plinth::word_typing {

// Whatever suggests words: the keyboard's own code, or a peer's.
class Suggester {
 public:
  virtual ~Suggester() = default;
  // At most `count` suggestions for what was typed, best first,
  // Windows-1252.
  virtual std::vector<std::string> Suggestions(std::size_t count) = 0;
  // One key: a character, '\n' Enter, '\b' Backspace.
  virtual void Type(char key) = 0;
  // Accepts the suggestion at `index` of the last Suggestions(): types the
  // rest of the word and a space.
  virtual void Accept(std::size_t index) = 0;
};

struct Prices {
  // The price of typing one character ('\n' Enter); a negative price: the
  // character cannot be typed at all.
  std::function<double(char)> character = [](char) { return 1.0; };
  // The price of accepting the suggestion at an index.
  std::function<double(std::size_t)> accept = [](std::size_t) { return 1.0; };
  double backspace = 1.0;
};

struct TypingCost {
  double cost = 0;             // everything typed and accepted
  std::size_t characters = 0;  // characters of the text
  std::size_t accepted = 0;    // suggestions accepted
  std::size_t untypable = 0;   // characters that could not be typed
};

// Types `text` (Windows-1252) with `count` suggestions shown; count 0 types
// every character.
TypingCost TypeText(std::string_view text, Suggester& suggester, std::size_t count,
                    const Prices& prices = {});

}  // namespace plinth::word_typing
