#include "src/words/typed_context.h"

#include "src/words/word_text.h"

namespace plinth::words {
namespace {

constexpr std::size_t kDroppedAtOnce = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsWordCharacter(char c) {
  const auto ch = static_cast<unsigned char>(c);
  return IsLetter(ch) || IsApostrophe(ch);
}

// Closing quotes and brackets may stand between a sentence's end and the
// spaces after it.
bool IsClosing(char c) {
  return c == '"' || c == '\'' || c == ')' || c == ']' || c == '\x94' || c == '\x92';
}

}  // namespace

std::size_t TypedContext::WordStart(std::size_t end) const {
  std::size_t start = end;
  while (start > 0 && IsWordCharacter(text_[start - 1])) --start;
  // An apostrophe before the first letter is a quotation mark.
  while (start < end && IsApostrophe(static_cast<unsigned char>(text_[start]))) ++start;
  return start;
}

std::string TypedContext::PreviousWordAt(std::size_t word_start) const {
  std::size_t end = word_start;
  while (end > 0 && text_[end - 1] == ' ') --end;
  if (end == word_start || end == 0) return {};
  const std::size_t start = WordStart(end);
  if (start == 0 && cut_) return {};
  std::string_view word = std::string_view(text_).substr(start, end - start);
  while (!word.empty() && IsApostrophe(static_cast<unsigned char>(word.back()))) {
    word.remove_suffix(1);
  }
  return IsWord(word) ? Folded(word) : std::string();
}

bool TypedContext::SentenceStartAt(std::size_t position) const {
  std::size_t before = position;
  while (before > 0 && text_[before - 1] == ' ') --before;
  if (before == 0) return line_start_ && !cut_;
  if (before == position) return false;  // no space after what went before
  while (before > 1 && IsClosing(text_[before - 1])) --before;
  const char end = text_[before - 1];
  return end == '.' || end == '!' || end == '?';
}

std::optional<FinishedWord> TypedContext::WordBefore(std::size_t end) const {
  const std::size_t start = WordStart(end);
  if (start == 0 && cut_) return std::nullopt;
  if (start > 0 && IsDigit(text_[start - 1])) return std::nullopt;
  std::string_view word = std::string_view(text_).substr(start, end - start);
  while (!word.empty() && IsApostrophe(static_cast<unsigned char>(word.back()))) {
    word.remove_suffix(1);
  }
  if (!IsWord(word)) return std::nullopt;
  return FinishedWord{PreviousWordAt(start), std::string(word), SentenceStartAt(start)};
}

std::optional<FinishedWord> TypedContext::Type(char character) {
  if (TakesBackSpace(character)) text_.pop_back();
  auto_space_ = false;
  std::optional<FinishedWord> finished;
  // Letters joined to digits ("GPLv3", "3rd") are no word to learn.
  if (!IsWordCharacter(character) && !IsDigit(character)) finished = WordBefore(text_.size());
  text_.push_back(character);
  if (text_.size() > kKeptText) {
    text_.erase(0, kDroppedAtOnce);
    cut_ = true;
  }
  return finished;
}

std::optional<FinishedWord> TypedContext::TypeAccepted(std::string_view rest) {
  for (const char character : rest) Type(character);
  std::optional<FinishedWord> finished = Type(' ');
  auto_space_ = true;
  return finished;
}

void TypedContext::Erase() {
  if (text_.empty()) {
    Reset();
    return;
  }
  text_.pop_back();
  auto_space_ = false;
}

std::optional<FinishedWord> TypedContext::NewLine() {
  std::optional<FinishedWord> finished = WordBefore(text_.size());
  Reset();
  line_start_ = true;
  return finished;
}

void TypedContext::Reset() {
  text_.clear();
  cut_ = false;
  line_start_ = false;
  auto_space_ = false;
}

bool TypedContext::TakesBackSpace(char character) const {
  return auto_space_ && !text_.empty() && text_.back() == ' ' &&
         kTakesBackSpace.find(character) != std::string_view::npos;
}

std::string_view TypedContext::Prefix() const {
  const std::size_t start = WordStart(text_.size());
  return std::string_view(text_).substr(start);
}

std::string TypedContext::PreviousWord() const { return PreviousWordAt(WordStart(text_.size())); }

bool TypedContext::SentenceStart() const { return SentenceStartAt(WordStart(text_.size())); }

}  // namespace plinth::words
