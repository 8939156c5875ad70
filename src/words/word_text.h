#pragma once

// Letters, words and letter case in the keyboard's 8-bit Windows-1252 text,
// as word suggestions read them: a word is letters with apostrophes inside
// it, and words are compared with letter case aside.

#include <string>
#include <string_view>

namespace plinth::words {

// A letter of Windows-1252: a-z, A-Z, the accented letters of the code page
// (À..ÿ without × and ÷) and Š Œ Ž š œ ž Ÿ.
bool IsLetter(unsigned char ch);

// The straight apostrophe and the typographic one (’, 0x92).
bool IsApostrophe(unsigned char ch);

// The lower case of one letter; other characters stay as they are.
unsigned char LowerCase(unsigned char ch);

// One character as words are compared: lower case, an apostrophe straight.
char FoldedCharacter(char ch);

// The form in which words are compared: lower case, every apostrophe
// straight.
std::string Folded(std::string_view word);

// True when `word` is letters with apostrophes only inside it, at most
// kMaxWordLength bytes.
bool IsWord(std::string_view word);
inline constexpr std::size_t kMaxWordLength = 48;

// How a suggestion is written, decided by what the user typed of it.
enum class LetterCase {
  AsListed,     // the word as the list or the user wrote it
  Capitalised,  // first letter upper case
  AllCapitals,  // every letter upper case
};

// A prefix of two or more letters, all capitals, gives capitals; a prefix
// whose first letter is a capital, or an empty prefix at the start of a
// sentence, gives a capitalised word.
LetterCase CaseForPrefix(std::string_view prefix, bool sentence_start);

// `word` written in `letter_case`.
std::string WithCase(std::string_view word, LetterCase letter_case);

}  // namespace plinth::words
