#include "src/words/word_text.h"

#include <gtest/gtest.h>

namespace plinth::words {
namespace {

TEST(WordTextTest, WordsAreLettersWithApostrophesInside) {
  static const std::string kLongest(kMaxWordLength, 'a');
  static const std::string kTooLong(kMaxWordLength + 1, 'a');
  const struct {
    std::string_view text;
    bool word;
  } cases[] = {
      {"the", true},         {"don't", true},  {"don\x92t", true}, {"caf\xE9", true},
      {"\x8Cuvre", true},    {"A", true},      {"", false},        {"'tis", false},
      {"dogs'", false},      {"a b", false},   {"c3po", false},    {"x\xD7y", false},
      {"well-known", false}, {kLongest, true}, {kTooLong, false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsWord(c.text), c.word) << c.text;
}

TEST(WordTextTest, FoldingLowersLettersAndStraightensApostrophes) {
  EXPECT_EQ(Folded("DON\x92T"), "don't");
  EXPECT_EQ(Folded("\xC9T\xC9 \x8A\x9F"), "\xE9t\xE9 \x9A\xFF");
  EXPECT_EQ(Folded("\xDF\xB5"), "\xDF\xB5");  // ß and µ have no other case
}

TEST(WordTextTest, CaseFollowsThePrefix) {
  const struct {
    std::string_view prefix;
    bool sentence_start;
    std::string_view listed;
    std::string_view written;
  } cases[] = {
      {"th", false, "there", "there"},
      {"Th", false, "there", "There"},
      {"TH", false, "there", "THERE"},
      {"T", false, "there", "There"},
      {"", true, "there", "There"},
      {"", false, "there", "there"},
      {"th", true, "there", "there"},
      {"en", false, "English", "English"},
      {"\xC9t", false, "\xE9t\xE9", "\xC9t\xE9"},
      {"\xC9T", false, "\xE9t\xE9", "\xC9T\xC9"},
      {"NA", false, "nasa", "NASA"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WithCase(c.listed, CaseForPrefix(c.prefix, c.sentence_start)), c.written)
        << c.prefix << " " << c.sentence_start;
  }
}

}  // namespace
}  // namespace plinth::words
