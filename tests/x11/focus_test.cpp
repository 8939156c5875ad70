// The keyboard never takes the input focus: clicks on it leave the focus
// with the application being typed into, and the key arrives there.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/x11/frame_extents.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr ScreenPoint kTypepadPlace{520, 250};

class FocusTest : public OnDisplay {
 protected:
  // Starts the typepad and gives it the focus: by a click under a window
  // manager, directly without one.
  void StartTypepad() {
    typepad_ = std::make_unique<Typepad>(session, "Typepad", kTypepadPlace);
    ASSERT_TRUE(typepad_->WaitForWindow());
    ASSERT_TRUE(FocusTypepad(display(), *typepad_, has_window_manager()));
  }

  bool TypepadHasFocus() const {
    return IsWithin(display(), FocusedWindow(display()), typepad_->window());
  }

  // Waits a while for the focus to move away; true when it stayed.
  bool FocusStaysWithTypepad() const {
    return !WaitUntil([&] { return !TypepadHasFocus(); }, 400ms);
  }

  std::unique_ptr<Typepad> typepad_;
};

TEST_P(FocusTest, ClickingTheKeyboardLeavesTheFocusWhereItWas) {
  StartTypepad();
  KeyboardProgram keyboard(session, {{"Default", KeyLayout({{1, "a"}})}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  EXPECT_TRUE(FocusStaysWithTypepad());

  ClickAt(display(), keyboard.CellCentre(1));
  EXPECT_TRUE(FocusStaysWithTypepad());
  EXPECT_TRUE(WaitUntil([&] { return typepad_->Log().find("key 61 a\n") != std::string::npos; }))
      << typepad_->Log();

  ClickAt(display(), keyboard.AtClient(112, 112));  // the Shift panel
  EXPECT_TRUE(FocusStaysWithTypepad());

  if (has_window_manager()) {
    const auto frame = platform::x11::ReadFrameExtents(display(), keyboard.window());
    ASSERT_TRUE(frame);
    ClickAt(display(), keyboard.AtClient(60, -frame->top / 2));  // the title bar
    EXPECT_TRUE(FocusStaysWithTypepad());
  }
}

TEST_P(FocusTest, StartingTheKeyboardNeverTakesTheFocus) {
  StartTypepad();
  for (int start = 0; start < 5; ++start) {
    SCOPED_TRACE(start);
    KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
    ASSERT_TRUE(keyboard.WaitForWindow());
    EXPECT_TRUE(FocusStaysWithTypepad());
    RequestClose(display(), keyboard.window());
    ASSERT_EQ(keyboard.process().WaitForExit(5000ms), 0);
  }
}

// The text of the typepad's log: what the keys typed, modifiers left out.
std::string TypedText(const std::string& log) {
  std::string typed;
  std::size_t line = 0;
  while (line < log.size()) {
    const std::size_t end = std::min(log.find('\n', line), log.size());
    const std::size_t text = log.find(' ', log.find(' ', line) + 1);
    if (text < end) typed += log.substr(text + 1, end - text - 1);
    line = end + 1;
  }
  return typed;
}

TEST_P(FocusTest, AQuickShiftAfterAKeyShiftsTheNextKey) {
  StartTypepad();
  KeyboardProgram keyboard(
      session, {{"Default", BundledLayout("Default")}, {"Extend", BundledLayout("Extend")}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  constexpr int kCellA = 24;
  constexpr int kCellB = 37;
  ASSERT_TRUE(WaitUntil([&] { return keyboard.CellShowsText(kCellB); }));
  // A user's quick pace: each click 100 ms after the last. The pointer's
  // return after "a" puts it back on the Shift panel, where the first
  // Shift press was.
  const ScreenPoint shift = keyboard.AtClient(112, 112);
  ClickAt(display(), shift);
  std::this_thread::sleep_for(100ms);
  ClickAt(display(), keyboard.CellCentre(kCellA));
  ASSERT_TRUE(WaitUntil([&] { return PointerPosition(display()) == shift; }));
  std::this_thread::sleep_for(100ms);
  ClickButton(display());
  std::this_thread::sleep_for(100ms);
  ClickAt(display(), keyboard.CellCentre(kCellB));
  EXPECT_TRUE(WaitUntil([&] { return TypedText(typepad_->Log()).size() >= 2; }));
  EXPECT_EQ(TypedText(typepad_->Log()), "AB") << typepad_->Log();
}

PLINTH_ON_EVERY_DISPLAY(FocusTest);

}  // namespace
}  // namespace plinth::x11_test
