// The bundled layouts on the keyboard itself (the test platform, with a US
// keyboard layout): what a user's clicks type into an application.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/testing/test_keyboard.h"
#include "tests/tools/tool_test_support.h"

namespace plinth::layout_tool {
namespace {

using platform::PanelId;
using test_platform::KeyEvent;
using test_platform::TestKeyboard;

// What key events type in an application under the US layout: characters
// as such, other keys and Ctrl/Alt chords in angle brackets.
std::string Typed(const std::vector<KeyEvent>& events) {
  static const std::map<std::uint16_t, std::pair<char, char>> kKeys = [] {
    std::map<std::uint16_t, std::pair<char, char>> keys;
    const std::string shifted_digits = ")!@#$%^&*(";
    for (char d = '0'; d <= '9'; ++d)
      keys[static_cast<std::uint16_t>(d)] = {d, shifted_digits[static_cast<std::size_t>(d - '0')]};
    for (char c = 'A'; c <= 'Z'; ++c)
      keys[static_cast<std::uint16_t>(c)] = {static_cast<char>(c - 'A' + 'a'), c};
    keys[0x20] = {' ', ' '};
    const std::string plain = ";=,-./`[\\]'";
    const std::string shifted = ":+<_>?~{|}\"";
    const std::uint16_t codes[] = {0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
                                   0xC0, 0xDB, 0xDC, 0xDD, 0xDE};
    for (std::size_t i = 0; i < plain.size(); ++i) keys[codes[i]] = {plain[i], shifted[i]};
    return keys;
  }();
  std::set<std::uint16_t> held;
  std::string text;
  for (const KeyEvent& event : events) {
    const bool up = (event.flags & platform::kKeyEventKeyUp) != 0;
    if (event.code >= 0x10 && event.code <= 0x12) {
      if (up) {
        held.erase(event.code);
      } else {
        held.insert(event.code);
      }
      continue;
    }
    if (up) continue;
    const bool shift = held.contains(0x10);
    const bool ctrl = held.contains(0x11);
    const bool alt = held.contains(0x12);
    const auto key = kKeys.find(event.code);
    if (key != kKeys.end() && !ctrl && !alt) {
      text += shift ? key->second.second : key->second.first;
      continue;
    }
    std::string typed = "<";
    if (ctrl) typed += "C-";
    if (alt) typed += "A-";
    if (key == kKeys.end()) {
      if (shift) typed += "S-";
      typed += std::to_string(event.code);
    } else {
      typed += shift ? key->second.second : key->second.first;
    }
    typed += ">";
    text += typed;
  }
  return text;
}

class BundledLayoutsTypingTest : public ::testing::Test {
 protected:
  BundledLayoutsTypingTest() {
    for (const char* name : {"Default", "Extend", "Numpad"}) {
      keyboard_.PutLayout(name,
                          ReadWholeFile(std::string(PLINTH_LAYOUTS_DIR) + "/" + name + ".ini"));
    }
    keyboard_.Create();
  }

  // Clicks `cell` with the panels of `layer` armed first.
  std::string Type(int cell, int layer = 0) {
    if ((layer & 1) != 0) keyboard_.ArmPanel(PanelId::Shift);
    if ((layer & 2) != 0) keyboard_.ArmPanel(PanelId::Extend);
    keyboard_.Click(cell);
    return Typed(keyboard_.TakeKeys());
  }

  TestKeyboard keyboard_;
};

TEST_F(BundledLayoutsTypingTest, StartsWithoutErrorsShowingTheLetters) {
  EXPECT_TRUE(keyboard_.Warnings().empty());
  EXPECT_EQ(keyboard_.Label(18), "e");
  EXPECT_EQ(keyboard_.Label(32), "Spc");
}

TEST_F(BundledLayoutsTypingTest, TypesASentenceWithBothPanels) {
  std::string text;
  text += Type(11, 1);  // H
  text += Type(19);     // i
  text += Type(32);     // space
  text += Type(12, 2);  // 4
  text += Type(10, 2);  // 2
  text += Type(21, 1);  // !
  text += Type(27);     // Bksp
  text += Type(41, 1);  // :
  text += Type(34);     // Entr
  EXPECT_EQ(text, "Hi 42!<8>:<13>");
}

TEST_F(BundledLayoutsTypingTest, DefaultTypesEveryPrintableCharacter) {
  std::set<char> typed;
  for (int layer = 0; layer < kLayerCount; ++layer) {
    for (int cell = 1; cell <= kCellCount; ++cell) {
      if (cell == 25) continue;
      const std::string type = keyboard_.form().MainTable.at(layer, cell).Type;
      if (type != "KEY" && type != "VIRTUALKEY") continue;
      const std::string text = Type(cell, layer);
      if (text.size() == 1) typed.insert(text[0]);
    }
  }
  for (char c = ' '; c <= '~'; ++c) EXPECT_TRUE(typed.contains(c)) << "cannot type '" << c << "'";
}

TEST_F(BundledLayoutsTypingTest, LocksKeepTheirLayersAcrossKeys) {
  keyboard_.Click(48);  // ExLk
  EXPECT_EQ(Type(9) + Type(13) + Type(20), "150");
  keyboard_.Click(44);  // ShLk as well: ExtShift
  EXPECT_EQ(keyboard_.Label(9), "F1");
  keyboard_.Click(48);
  keyboard_.Click(44);
  EXPECT_EQ(Type(18), "e");
}

TEST_F(BundledLayoutsTypingTest, EditsInTheExtendLayoutAndSwitchesToTheNumberPad) {
  keyboard_.Click(14);  // Edit
  EXPECT_EQ(Type(11) + Type(12), "<C-c><C-v>");
  EXPECT_EQ(Type(24, 1), "<S-37>");    // Shift+Left selects
  EXPECT_EQ(Type(16, 1), "<C-S-37>");  // a word
  keyboard_.Click(45);                 // 123: Numpad.ini
  EXPECT_EQ(Type(10) + Type(32) + Type(40) + Type(24), "72.-");
  keyboard_.Click(21);  // Abc: Default.ini again
  EXPECT_EQ(Type(18), "e");
  keyboard_.Click(14);
  keyboard_.Click(47);  // Quit
  EXPECT_EQ(keyboard_.app.terminate_requests(), 1);
  EXPECT_TRUE(keyboard_.Warnings().empty());
}

}  // namespace
}  // namespace plinth::layout_tool
