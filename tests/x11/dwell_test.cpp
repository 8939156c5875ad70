// Dwell click on a display: pointer motions alone, not one button press on
// the keyboard, type a word, arm Shift through its panel and close a
// warning; the pointer resting at home after a key clicks nothing, and a
// press held longer than the dwell time clicks only when it is released.

#include <gtest/gtest.h>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr auto kDwellTime = 400ms;
// Longer than several dwell times, for "nothing happens".
constexpr auto kLongRest = 3 * kDwellTime;

// h e l o, "H" on the Shift layer, and a key that no key table knows.
constexpr const char* kLayout =
    "[Configuration]\r\nDwellTime=400\r\n"
    "[Button1]\r\nCaption=h\r\n[ShiftButton1]\r\nCaption=H\r\nShifted=1\r\n"
    "[Button2]\r\nCaption=e\r\n[Button3]\r\nCaption=l\r\n[Button4]\r\nCaption=o\r\n"
    "[Button8]\r\nType=VIRTUALKEY\r\nCaption=bad\r\nKeyString=NOSUCHKEY\r\n";

class DwellTest : public OnDisplay {
 protected:
  std::string Typed() const { return TypedText(typepad_->Log()); }
  bool TypedBecomes(const std::string& text) const {
    return WaitUntil([&] { return Typed() == text; });
  }
  // True when nothing more is typed for a long rest.
  bool NothingMoreTyped() const {
    const std::string before = Typed();
    return !WaitUntil([&] { return Typed() != before; }, kLongRest);
  }

  std::unique_ptr<Typepad> typepad_;
};

TEST_P(DwellTest, PointerMotionsAloneTypeArmShiftAndCloseAWarning) {
  typepad_ = std::make_unique<Typepad>(session, "Typepad", ScreenPoint{520, 250});
  ASSERT_TRUE(typepad_->WaitForWindow());
  ASSERT_TRUE(FocusTypepad(display(), *typepad_, has_window_manager()));
  KeyboardProgram keyboard(session, {{"Default", kLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 2, 3, 4, 8}), (std::set<int>{1, 2, 3, 4, 8}));

  const ScreenPoint shift = keyboard.AtClient(112, 112);
  MovePointer(display(), shift);
  ASSERT_TRUE(WaitUntil([&] { return PixelAt(display(), shift.x, shift.y) == kBlack; }));

  const std::pair<int, const char*> keys[] = {
      {1, "H"}, {2, "He"}, {3, "Hel"}, {3, "Hell"}, {4, "Hello"}};
  for (const auto& [cell, typed] : keys) {
    MovePointer(display(), keyboard.CellCentre(cell));
    ASSERT_TRUE(TypedBecomes(typed)) << Typed();
    // The pointer return comes after the key; the next move must not race it.
    ASSERT_TRUE(WaitUntil([&] { return PointerPosition(display()) == shift; }));
    if (cell == 1 || cell == 4) {
      EXPECT_TRUE(NothingMoreTyped()) << Typed();
      EXPECT_NE(PixelAt(display(), shift.x, shift.y), kBlack) << "the return armed Shift";
    }
  }

  MovePointer(display(), keyboard.CellCentre(8));
  const std::optional<Window> dialog = x11_test::WaitForWindow(display(), "Warning");
  ASSERT_TRUE(dialog);
  const auto [width, height] = ClientSize(display(), *dialog);
  const ScreenPoint origin = ClientOrigin(display(), *dialog);
  MovePointer(display(), {origin.x + width / 2, origin.y + height - 12 - 12});  // OK
  ASSERT_TRUE(WaitUntil([&] { return !IsMapped(display(), *dialog); }));
  // The key's pointer return follows the dialog.
  ASSERT_TRUE(WaitUntil([&] { return PointerPosition(display()) == shift; }));

  // Without a window manager the focus does not come back by itself.
  if (!has_window_manager()) {
    ASSERT_TRUE(WaitUntil([&] {
      XSetInputFocus(display(), typepad_->window(), RevertToPointerRoot, CurrentTime);
      XSync(display(), False);
      return IsWithin(display(), FocusedWindow(display()), typepad_->window());
    }));
  }
  MovePointer(display(), keyboard.CellCentre(2));
  EXPECT_TRUE(TypedBecomes("Helloe"))
      << "the keyboard goes on: " << Typed() << " focus " << FocusedWindow(display()) << " typepad "
      << typepad_->window() << " caption " << WindowTitle(display(), keyboard.window());
  ASSERT_TRUE(WaitUntil([&] { return PointerPosition(display()) == shift; }));

  // A held button is no rest: the press ends the rest begun on the cell,
  // nothing is typed while it is held, and the release types the key.
  MovePointer(display(), keyboard.CellCentre(4));
  PressButton(display(), 1);
  EXPECT_TRUE(NothingMoreTyped()) << Typed();
  ReleaseButton(display(), 1);
  EXPECT_TRUE(TypedBecomes("Helloeo")) << Typed();
  EXPECT_TRUE(NothingMoreTyped()) << Typed();
}

PLINTH_ON_EVERY_DISPLAY(DwellTest);

}  // namespace
}  // namespace plinth::x11_test
