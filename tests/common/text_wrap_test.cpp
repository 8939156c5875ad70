// The line breaking of the message dialogs, with one width unit a
// character.

#include "platform/common/text_wrap.h"

#include <gtest/gtest.h>

namespace plinth::platform {
namespace {

double Characters(std::string_view text) {
  double count = 0;
  for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
  return count;
}

TEST(WrapText, BreaksAtBlanksAndWithinWordsWiderThanALine) {
  struct Case {
    const char* text;
    const char* wrapped;
  };
  const Case cases[] = {
      {"", ""},
      {"short", "short"},
      {"two words", "two words"},
      {"one two three", "one two\nthree"},
      {"abcdefghijklmnopqrst", "abcdefghij\nklmnopqrst"},
      {"Error - abcdefghijklm", "Error -\nabcdefghij\nklm"},
      {"kept\nbreak", "kept\nbreak"},
      // A UTF-8 character is never split: each "é" is two bytes.
      {"ééééééééééé", "éééééééééé\né"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WrapText(c.text, 10, Characters), c.wrapped) << c.text;
  }
}

TEST(WrapText, PutsOneCharacterOnALineNarrowerThanIt) {
  EXPECT_EQ(WrapText("abc", 0.5, Characters), "a\nb\nc");
}

}  // namespace
}  // namespace plinth::platform
