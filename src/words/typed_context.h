#pragma once

// What the user typed with the keyboard's own keys since the cursor last
// went somewhere the keyboard cannot see: the word being typed, the word
// before it, and whether a sentence starts there. Plinth sees only its own
// keys, so a jump (an arrow key, a click elsewhere, another window) starts
// a fresh context.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plinth::words {

// A word the user finished, by a space, punctuation or Enter.
struct FinishedWord {
  std::string previous;  // folded form of the word before it, or empty
  std::string word;      // as typed, Windows-1252
  bool sentence_start = false;
};

class TypedContext {
 public:
  // Text kept to look back into; older characters are dropped.
  static constexpr std::size_t kKeptText = 160;
  // Characters before which the space after an accepted suggestion is
  // taken back: "word." and not "word .".
  static constexpr std::string_view kTakesBackSpace = ".,;:!?";

  // Adds one character (Windows-1252). Returns the word it finished, if any.
  std::optional<FinishedWord> Type(char character);
  // Adds an accepted suggestion's rest and the space after it.
  std::optional<FinishedWord> TypeAccepted(std::string_view rest);
  // Backspace: takes back the last character; with none known, nothing is
  // known of the text any more.
  void Erase();
  // Enter: a new line; the word before it is finished.
  std::optional<FinishedWord> NewLine();
  // The cursor went somewhere unknown.
  void Reset();

  // True when `character`, typed next, first takes back the space an
  // accepted suggestion added.
  bool TakesBackSpace(char character) const;

  // The letters (and inner apostrophes) typed of the current word, as typed.
  std::string_view Prefix() const;
  // Folded form of the word before the current one when only spaces lie
  // between them; empty otherwise.
  std::string PreviousWord() const;
  // The current word starts a sentence: only spaces after a '.', '!' or
  // '?', or at the start of a new line.
  bool SentenceStart() const;

 private:
  std::optional<FinishedWord> WordBefore(std::size_t end) const;
  std::size_t WordStart(std::size_t end) const;
  bool SentenceStartAt(std::size_t position) const;
  std::string PreviousWordAt(std::size_t word_start) const;

  std::string text_;
  bool cut_ = false;         // text_ lost characters at its front
  bool line_start_ = false;  // text_ begins at the start of a line
  bool auto_space_ = false;  // text_ ends in an accepted suggestion's space
};

}  // namespace plinth::words
