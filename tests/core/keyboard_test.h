#pragma once

// The fixture of the window-logic tests: the keyboard on the test platform,
// started from layout texts given by each test.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "platform/testing/test_keyboard.h"
#include "src/postkeys/post_keys.h"

namespace plinth {

using platform::FontColour;
using platform::MenuItemId;
using platform::PanelId;
using platform::PanelState;
using test_platform::Down;
using test_platform::KeyEvent;
using test_platform::Up;

constexpr std::uint32_t kExt = platform::kKeyEventExtendedKey;

class KeyboardTest : public ::testing::Test, public test_platform::TestKeyboard {
 protected:
  // Puts the two start-up layouts beside the executable and creates the
  // window; dialogs of the start are kept.
  void Start(const std::string& default_ini, const std::string& extend_ini = "") {
    PutLayout("Default", default_ini);
    PutLayout("Extend", extend_ini);
    Create();
  }

  // The events of one key press: modifiers down in the order given, the
  // key down and up, the modifiers up in reverse.
  static std::vector<KeyEvent> Stroke(std::uint16_t key,
                                      std::initializer_list<std::uint16_t> modifiers = {},
                                      std::uint32_t key_flags = 0) {
    std::vector<KeyEvent> events;
    for (std::uint16_t modifier : modifiers) events.push_back(Down(modifier));
    events.push_back(Down(key, key_flags));
    events.push_back(Up(key, key_flags));
    for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) {
      events.push_back(Up(*it));
    }
    return events;
  }
};

}  // namespace plinth
