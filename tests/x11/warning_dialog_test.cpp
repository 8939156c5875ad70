// A warning while the keyboard is on screen: the dialog opens above the
// always-on-top keyboard, holds the keyboard's clicks until it is closed,
// and the keyboard goes on afterwards.

#include <gtest/gtest.h>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr Rgb kTeal{0, 128, 128};

// A key whose name no key table knows: clicking it shows a warning.
constexpr const char* kLayoutWithUnknownKey =
    "[Button1]\r\nType=VIRTUALKEY\r\nCaption=bad\r\nKeyString=NOSUCHKEY\r\n";

using WarningDialogTest = OnDisplay;

TEST_P(WarningDialogTest, OpensAboveTheKeyboardAndHoldsItsClicksUntilClosed) {
  KeyboardProgram keyboard(session, {{"Default", kLayoutWithUnknownKey}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1}), std::set<int>{1});

  ClickAt(display(), keyboard.CellCentre(1));
  const std::optional<Window> dialog = x11_test::WaitForWindow(display(), "Warning");
  ASSERT_TRUE(dialog);
  EXPECT_NE(keyboard.StandardError().find("Error - Invalid Vkey NOSUCHKEY\n"), std::string::npos);
  EXPECT_TRUE(IsStackedAbove(display(), TopLevelOf(display(), *dialog),
                             TopLevelOf(display(), keyboard.window())));

  // While the dialog is open the Shift panel does not react.
  const ScreenPoint shift = keyboard.AtClient(112, 112);
  MovePointer(display(), shift);
  EXPECT_FALSE(WaitUntil([&] { return PixelAt(display(), shift.x, shift.y) == kTeal; }, 400ms));

  const auto [width, height] = ClientSize(display(), *dialog);
  const ScreenPoint origin = ClientOrigin(display(), *dialog);
  ClickAt(display(), {origin.x + width / 2, origin.y + height - 12 - 12});  // OK
  ASSERT_TRUE(WaitUntil([&] { return !IsMapped(display(), *dialog); }));

  MovePointer(display(), keyboard.CellCentre(2));
  MovePointer(display(), shift);
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(display(), shift.x, shift.y) == kTeal; }));
}

TEST_P(WarningDialogTest, AHugeMessageGivesADialogInsideTheScreenWithItsOkReachable) {
  const std::string name(2000, 'W');
  KeyboardProgram keyboard(
      session,
      {{"Default", "[Button1]\r\nType=VIRTUALKEY\r\nCaption=bad\r\nKeyString=" + name + "\r\n"},
       {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1}), std::set<int>{1});
  ClickAt(display(), keyboard.CellCentre(1));
  const std::optional<Window> dialog = x11_test::WaitForWindow(display(), "Warning");
  ASSERT_TRUE(dialog);
  EXPECT_NE(keyboard.StandardError().find("Error - Invalid Vkey " + name + "\n"),
            std::string::npos);

  const auto [width, height] = ClientSize(display(), *dialog);
  const ScreenPoint origin = ClientOrigin(display(), *dialog);
  EXPECT_GE(origin.x, 0);
  EXPECT_GE(origin.y, 0);
  EXPECT_LE(origin.x + width, XSession::kScreenWidth);
  EXPECT_LE(origin.y + height, XSession::kScreenHeight);
  ClickAt(display(), {origin.x + width / 2, origin.y + height - 12 - 12});  // OK
  EXPECT_TRUE(WaitUntil([&] { return !IsMapped(display(), *dialog); }));
}

PLINTH_ON_EVERY_DISPLAY(WarningDialogTest);

}  // namespace
}  // namespace plinth::x11_test
