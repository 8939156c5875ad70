#include "src/words/word_text.h"

#include "platform/common/windows1252.h"

namespace plinth::words {
namespace {

bool IsUpper(unsigned char ch) { return IsLetter(ch) && LowerCase(ch) != ch; }

}  // namespace

bool IsLetter(unsigned char ch) {
  if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z')) return true;
  if (ch >= 0xC0) return ch != 0xD7 && ch != 0xF7;
  switch (ch) {
    case 0x8A:  // Š
    case 0x8C:  // Œ
    case 0x8E:  // Ž
    case 0x9A:  // š
    case 0x9C:  // œ
    case 0x9E:  // ž
    case 0x9F:  // Ÿ
      return true;
    default:
      return false;
  }
}

bool IsApostrophe(unsigned char ch) { return ch == '\'' || ch == 0x92; }

unsigned char LowerCase(unsigned char ch) {
  if ((ch >= 'A' && ch <= 'Z') || (ch >= 0xC0 && ch <= 0xDE && ch != 0xD7)) {
    return static_cast<unsigned char>(ch + 0x20);
  }
  switch (ch) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      return ch;
  }
}

char FoldedCharacter(char c) {
  const auto ch = static_cast<unsigned char>(c);
  return static_cast<char>(IsApostrophe(ch) ? '\'' : LowerCase(ch));
}

std::string Folded(std::string_view word) {
  std::string folded(word);
  for (char& c : folded) c = FoldedCharacter(c);
  return folded;
}

bool IsWord(std::string_view word) {
  if (word.empty() || word.size() > kMaxWordLength) return false;
  if (!IsLetter(static_cast<unsigned char>(word.front())) ||
      !IsLetter(static_cast<unsigned char>(word.back()))) {
    return false;
  }
  for (const char c : word) {
    const auto ch = static_cast<unsigned char>(c);
    if (!IsLetter(ch) && !IsApostrophe(ch)) return false;
  }
  return true;
}

LetterCase CaseForPrefix(std::string_view prefix, bool sentence_start) {
  std::size_t letters = 0;
  std::size_t capitals = 0;
  for (const char c : prefix) {
    const auto ch = static_cast<unsigned char>(c);
    if (!IsLetter(ch)) continue;
    ++letters;
    if (IsUpper(ch)) ++capitals;
  }
  if (letters >= 2 && capitals == letters) return LetterCase::AllCapitals;
  if (letters == 0) return sentence_start ? LetterCase::Capitalised : LetterCase::AsListed;
  return IsUpper(static_cast<unsigned char>(prefix.front())) ? LetterCase::Capitalised
                                                             : LetterCase::AsListed;
}

std::string WithCase(std::string_view word, LetterCase letter_case) {
  std::string written(word);
  if (letter_case == LetterCase::AsListed || written.empty()) return written;
  const std::size_t end = letter_case == LetterCase::AllCapitals ? written.size() : 1;
  for (std::size_t i = 0; i < end; ++i) {
    written[i] = static_cast<char>(platform::Cp1252Upper(static_cast<unsigned char>(written[i])));
  }
  return written;
}

}  // namespace plinth::words
