// Dwell click on a display: pointer motions alone, not one button press on
// the keyboard, type a word, arm Shift through its panel and close a
// warning; the pointer resting at home after a key clicks nothing, and a
// press held longer than the dwell time clicks only when it is released. A
// trembling pointer types the keys it dwells on, and only those.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <optional>
#include <thread>

#include "platform/form_geometry.h"
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

// Keys along the keyboard's left edge, each with an upper-case letter on
// the Shift layer, so that a Shift armed by itself shows in the text typed.
constexpr const char* kEdgeLayout =
    "[Configuration]\r\nDwellTime=400\r\n"
    "[Button1]\r\nCaption=h\r\n[ShiftButton1]\r\nCaption=H\r\nShifted=1\r\n"
    "[Button8]\r\nCaption=e\r\n[ShiftButton8]\r\nCaption=E\r\nShifted=1\r\n"
    "[Button15]\r\nCaption=l\r\n[ShiftButton15]\r\nCaption=L\r\nShifted=1\r\n"
    "[Button22]\r\nCaption=o\r\n[ShiftButton22]\r\nCaption=O\r\nShifted=1\r\n";

// A hand that trembles as it dwells at the keyboard's edge, slipping a few
// pixels out of the window and back as the rest comes to its end, through
// the key's click and the pointer's return. The window hears of a slip made
// while it types only after the return: the pointer then seems to be on
// the key it left. The hand goes on trembling at home.
TEST_P(DwellTest, APointerTremblingAtTheEdgeTypesOnlyItsKeysAndNeverArmsShift) {
  typepad_ = std::make_unique<Typepad>(session, "Typepad", ScreenPoint{520, 250});
  ASSERT_TRUE(typepad_->WaitForWindow());
  ASSERT_TRUE(FocusTypepad(display(), *typepad_, has_window_manager()));
  KeyboardProgram keyboard(session, {{"Default", kEdgeLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 8, 15, 22}), (std::set<int>{1, 8, 15, 22}));

  const ScreenPoint home = keyboard.Home();
  bool shift_armed = false;
  const platform::Rgb fill = platform::FormGeometry{}.dwell_bar.fill;
  const Rgb bar_fill{fill.red, fill.green, fill.blue};
  // Whether the dwell bar on the grid button of `cell` has filled five
  // sixths of the way.
  const auto bar_nearly_full = [&](int cell) {
    const platform::Square place = keyboard.Geometry().Cell(cell);
    const ScreenPoint at =
        keyboard.AtClient(place.left + place.size * 5 / 6, place.top + place.size - 4);
    return PixelAt(display(), at.x, at.y) == bar_fill;
  };
  // Trembles on `cell` until `done` holds, or for `span` when there is no
  // `done`, watching the Shift panel. The slips start when the bar is
  // nearly full and go on for a tenth of a second: a window manager's
  // frame may tell the window of a slip out apart from the slip back,
  // which starts the rest anew, and then the rest ends without a slip.
  const auto tremble = [&](int cell, const std::function<bool()>& done,
                           std::chrono::milliseconds span) {
    const auto end = std::chrono::steady_clock::now() + span;
    std::optional<std::chrono::steady_clock::time_point> slips_end;
    for (int step = 0; std::chrono::steady_clock::now() < end; ++step) {
      const int dy = step % 2 == 0 ? 2 : -2;
      if (slips_end && std::chrono::steady_clock::now() < *slips_end) {
        NudgePointer(display(), {{-3, dy}, {3, 0}});  // out of the window and back
        std::this_thread::sleep_for(500us);
      } else {
        NudgePointer(display(), {{0, dy}});
        std::this_thread::sleep_for(2ms);
      }
      if (step % 4 != 3) continue;
      if (!slips_end && bar_nearly_full(cell)) {
        slips_end = std::chrono::steady_clock::now() + 100ms;
      }
      shift_armed = shift_armed || PixelAt(display(), home.x, home.y) == kBlack;
      if (done && done()) return true;
    }
    return !done;
  };
  const auto at_home = [&] {
    const ScreenPoint pointer = PointerPosition(display());
    return std::abs(pointer.x - home.x) <= 3 && std::abs(pointer.y - home.y) <= 3;
  };

  std::string expected;
  const std::pair<int, char> keys[] = {{1, 'h'},  {8, 'e'},  {15, 'l'}, {15, 'l'},
                                       {22, 'o'}, {22, 'o'}, {8, 'e'},  {1, 'h'}};
  for (const auto& [cell, letter] : keys) {
    // A pixel inside the window's left edge.
    const platform::Square place = keyboard.Geometry().Cell(cell);
    MovePointer(display(), keyboard.AtClient(1, place.top + place.size / 2));
    expected += letter;
    ASSERT_TRUE(tremble(
        cell, [&] { return Typed() == expected && at_home(); }, 5000ms))
        << "typed " << Typed() << ", expected " << expected;
    tremble(cell, {}, kLongRest);
    ASSERT_EQ(Typed(), expected);
    ASSERT_FALSE(shift_armed) << "Shift was armed after " << expected;
  }
}

PLINTH_ON_EVERY_DISPLAY(DwellTest);

}  // namespace
}  // namespace plinth::x11_test
