#include "src/postkeys/key_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace plinth {
namespace {

struct NamedCode {
  std::uint8_t code;
  std::vector<std::string> names;
};

// Every code with all the names that map to it.
const std::vector<NamedCode> kExpectedNames = {
    {0x03, {"BREAK"}},
    {0x08, {"BACKSPACE", "BKSP", "BS"}},
    {0x09, {"TAB"}},
    {0x0C, {"CLEAR"}},
    {0x0D, {"ENTER"}},
    {0x14, {"CAPSLOCK"}},
    {0x1B, {"ESC", "ESCAPE"}},
    {0x21, {"PGUP"}},
    {0x22, {"PGDN"}},
    {0x23, {"END"}},
    {0x24, {"HOME"}},
    {0x25, {"LEFT"}},
    {0x26, {"UP"}},
    {0x27, {"RIGHT"}},
    {0x28, {"DOWN"}},
    {0x2C, {"PRINTSCREEN"}},
    {0x2D, {"INS"}},
    {0x2E, {"DEL", "DELETE"}},
    {0x2F, {"HELP"}},
    {0x70, {"F1"}},
    {0x71, {"F2"}},
    {0x72, {"F3"}},
    {0x73, {"F4"}},
    {0x74, {"F5"}},
    {0x75, {"F6"}},
    {0x76, {"F7"}},
    {0x77, {"F8"}},
    {0x78, {"F9"}},
    {0x79, {"F10"}},
    {0x7A, {"F11"}},
    {0x7B, {"F12"}},
    {0x7C, {"F13"}},
    {0x7D, {"F14"}},
    {0x7E, {"F15"}},
    {0x7F, {"F16"}},
    {0x90, {"NUMLOCK"}},
    {0x91, {"SCROLL", "SCROLLDOWN", "SCROLLLOCK", "SCROLLUP"}},
    {0xBA, {"COLON", "SEMICOLON"}},
    {0xBB, {"EQUALS", "PLUS"}},
    {0xBC, {"ANGLEBRACEOPEN", "COMMA"}},
    {0xBD, {"MINUS", "UNDERLINE"}},
    {0xBE, {"ANGLEBRACECLOSE", "FULLSTOP", "PERIOD"}},
    {0xBF, {"FORWARDSLASH", "QUESTIONMARK", "SLASH"}},
    {0xC0, {"BACKQUOTE", "TILDE"}},
    {0xDB, {"CURLYBRACEOPEN", "SQUAREBRACEOPEN"}},
    {0xDC, {"BACKSLASH", "BAR", "VERTICALBAR"}},
    {0xDD, {"CURLYBRACECLOSE", "SQUAREBRACECLOSE"}},
    {0xDE, {"DOUBLEQUOTE", "QUOTE"}},
};

TEST(LookupKeyName, FindsEveryNameWithItsCode) {
  std::size_t names = 0;
  for (const NamedCode& entry : kExpectedNames) {
    for (const std::string& name : entry.names) {
      EXPECT_EQ(LookupKeyName(name), entry.code) << name;
      ++names;
    }
  }
  EXPECT_EQ(names, 69u);
  EXPECT_EQ(KeyNameEntries().size(), 69u);
}

TEST(LookupKeyName, MatchesWholeNamesOnlyNeverPrefixes) {
  EXPECT_EQ(LookupKeyName("F1"), 0x70);
  EXPECT_EQ(LookupKeyName("F10"), 0x79);
  EXPECT_EQ(LookupKeyName("DEL"), 0x2E);
  EXPECT_EQ(LookupKeyName("ESC"), 0x1B);
  EXPECT_EQ(LookupKeyName("B"), NotFoundKey);
  EXPECT_EQ(LookupKeyName("F"), NotFoundKey);
  EXPECT_EQ(LookupKeyName("SCROL"), NotFoundKey);
  EXPECT_EQ(LookupKeyName("ENTERX"), NotFoundKey);
  EXPECT_EQ(LookupKeyName("F17"), NotFoundKey);
}

TEST(LookupKeyName, RejectsWhatIsNotAnUpperCaseName) {
  const std::string misses[] = {
      "enter",
      "Enter",
      "",
      "A",
      "5",
      " ",
      "SPACE",
      "ENTER ",
      " ENTER",
      "WIBBLE",
      std::string("ENTER\0", 6),
      "\xC9",
      "ZZZZ",
      std::string(255, 'A'),
      std::string(256, 'F'),
  };
  for (const std::string& name : misses) {
    EXPECT_EQ(LookupKeyName(name), NotFoundKey) << '"' << name << '"';
  }
}

}  // namespace
}  // namespace plinth
