// However the keyboard ends while it is busy typing keys with Shift, Ctrl
// and Alt (its TERMINATE button, its window closed, SIGTERM, SIGINT), it
// ends normally and no key is left held down in the X server.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <iostream>
#include <map>
#include <memory>
#include <string>

#include "tests/e2e/held_keys.h"
#include "tests/e2e/recorder_log.h"
#include "tests/e2e/x_server.h"
#include "tests/stress/recorded_keyboard.h"
#include "tests/stress/storm_support.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/x_session.h"

namespace plinth::stress {
namespace {

using ::testing::IsEmpty;

constexpr const char* kLayout =
    "[Button1]\r\nCaption=a\r\nShifted=1\r\nAction=CTRLALT\r\nHomeButton=-1\r\n"
    "[Button2]\r\nType=ACTION\r\nHandler=EXTEND\r\nAction=TERMINATE\r\nHomeButton=-1\r\n";

enum class Ending { TerminateButton, CloseWindow, Sigterm, Sigint };

std::string EndingName(const ::testing::TestParamInfo<Ending>& ending) {
  switch (ending.param) {
    case Ending::TerminateButton:
      return "TerminateButton";
    case Ending::CloseWindow:
      return "CloseWindow";
    case Ending::Sigterm:
      return "Sigterm";
    case Ending::Sigint:
      return "Sigint";
  }
  return "Unknown";
}

class ModifierSafetyTest : public RecordedKeyboard<::testing::TestWithParam<Ending>> {
 protected:
  void SetUp() override { StartRecorderAndKeyboard(kLayout); }

  void End(Ending ending) {
    Display* display = session_.display();
    switch (ending) {
      case Ending::TerminateButton:
        FastClick(display, keyboard_->CellCentre(2));
        break;
      case Ending::CloseWindow:
        x11_test::RequestClose(display, keyboard_->window());
        XFlush(display);
        break;
      case Ending::Sigterm:
        kill(keyboard_->process().pid(), SIGTERM);
        break;
      case Ending::Sigint:
        kill(keyboard_->process().pid(), SIGINT);
        break;
    }
  }
};

TEST_P(ModifierSafetyTest, EndingWhileTypingLeavesNoKeyHeld) {
  Display* display = session_.display();
  // Keys with all three modifiers, queued faster than the keyboard types
  // them; the end comes while they are being typed, and more clicks follow.
  for (int click = 0; click < 150; ++click) FastClick(display, keyboard_->CellCentre(1));
  ASSERT_TRUE(recorder_->WaitForKeys(1)) << "no key arrived";
  End(GetParam());
  for (int click = 0; click < 50; ++click) FastClick(display, keyboard_->CellCentre(1));

  const std::optional<int> status = keyboard_->process().WaitForExit(std::chrono::seconds(10));
  ASSERT_TRUE(status) << "the keyboard did not end";
  EXPECT_EQ(*status, 0) << "the keyboard did not end normally";
  XSync(display, False);
  EXPECT_THAT(e2e::HeldKeys(display), IsEmpty()) << "a key was left held down";

  // Every key the recorder saw go down also came up (once the last events
  // have reached it).
  const auto balance = [this] {
    std::map<unsigned, int> pressed;
    for (const e2e::RecordedKey& key : recorder_->Keys())
      pressed[key.keycode] += key.press ? 1 : -1;
    return pressed;
  };
  e2e::WaitUntil(
      [&] {
        for (const auto& [keycode, count] : balance()) {
          if (count != 0) return false;
        }
        return true;
      },
      std::chrono::seconds(5));
  for (const auto& [keycode, count] : balance()) EXPECT_EQ(count, 0) << "keycode " << keycode;
  if (HasFailure()) {
    std::cerr << "plinth: " << keyboard_->StandardError() << '\n';
    const auto lines = recorder_->Lines();
    for (std::size_t i = lines.size() > 16 ? lines.size() - 16 : 0; i < lines.size(); ++i) {
      std::cerr << "recorder: " << lines[i] << '\n';
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Endings, ModifierSafetyTest,
                         ::testing::Values(Ending::TerminateButton, Ending::CloseWindow,
                                           Ending::Sigterm, Ending::Sigint),
                         EndingName);

}  // namespace
}  // namespace plinth::stress
