#pragma once

// The fixture of the end-to-end tests on sway: a session of the test's own,
// the recorder with the focus, and the keyboard started in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/wayland/support/key_recorder.h"
#include "tests/wayland/support/sway_session.h"
#include "tests/wayland/support/wayland_keyboard.h"

namespace plinth::wayland_test {

// A layout of the listed buttons, each "[ButtonN]" with its lines.
inline std::string Buttons(const std::map<int, std::string>& lines_by_cell) {
  std::string text;
  for (const auto& [cell, lines] : lines_by_cell) {
    text += "[Button" + std::to_string(cell) + "]\r\n" + lines + "\r\n";
  }
  return text;
}

// The Shift layer of cells 1 and 2: the base key with Shift, and "&".
inline const std::string kShiftLayer =
    "[ShiftButton1]\r\nShifted=1\r\n\r\n"
    "[ShiftButton2]\r\nType=KEY\r\nCaption=&\r\n\r\n";

class WaylandKeyboardTest : public ::testing::Test {
 protected:
  using Kind = KeyboardEvent::Kind;

  void SetUp() override {
    if (const std::string why = SwaySession::Unavailable(); !why.empty()) {
      // scripts/test.sh installs sway and its user: there a missing one
      // is a failure, not a reason to skip.
      if (std::getenv("PLINTH_REQUIRE_WAYLAND") != nullptr) FAIL() << why;
      GTEST_SKIP() << why;
    }
    session_ = std::make_unique<SwaySession>();
    recorder_ = std::make_unique<KeyRecorder>(*session_);
    ASSERT_TRUE(recorder_->WaitForFocus()) << recorder_->Log();
  }

  // Starts the keyboard and waits until it shows and the recorder has the
  // focus again: the compositor moves the focus out and in when a keyboard
  // device is added.
  // An empty Extend layout, unless given, so that no warning opens.
  void Start(LayoutFiles layouts, const StartOptions& start = {}) {
    layouts.try_emplace("Extend", "");
    keyboard_ = std::make_unique<WaylandKeyboard>(*session_, layouts, start);
    ASSERT_TRUE(keyboard_->WaitForWindow()) << keyboard_->StandardError() << session_->Log();
    ASSERT_TRUE(recorder_->WaitForFocus()) << recorder_->Log();
    events_before_clicks_ = recorder_->Events().size();
  }

  void ClickCell(int cell) const {
    const platform::Point at = keyboard_->CellCentre(cell);
    session_->Click(at.x, at.y);
  }
  void ClickAt(platform::Point at) const { session_->Click(at.x, at.y); }

  // The recorder's events since the keyboard was up.
  std::vector<KeyboardEvent> EventsSinceStart() const {
    std::vector<KeyboardEvent> events = recorder_->Events();
    events.erase(events.begin(), events.begin() + static_cast<long>(std::min(events_before_clicks_,
                                                                             events.size())));
    return events;
  }

  void ExpectFocusKept() const {
    const auto events = EventsSinceStart();
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const KeyboardEvent& e) { return e.kind == Kind::Leave; }),
              0)
        << recorder_->Log();
  }

  void ExpectNoModifierLeft() const {
    const auto events = recorder_->Events();
    const auto last = std::find_if(events.rbegin(), events.rend(), [](const KeyboardEvent& e) {
      return e.kind == Kind::Modifiers;
    });
    ASSERT_NE(last, events.rend());
    EXPECT_EQ(last->modifiers, 0u) << recorder_->Log();
  }

  std::unique_ptr<SwaySession> session_;
  std::unique_ptr<KeyRecorder> recorder_;
  std::unique_ptr<WaylandKeyboard> keyboard_;
  std::size_t events_before_clicks_ = 0;
};

}  // namespace plinth::wayland_test
