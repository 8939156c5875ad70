// Switch scanning on a display: key presses alone, F11 to move and F12 to
// choose, type into the application with the focus and arm Shift through
// its panel, and neither key reaches the application while the keyboard
// scans; once a SCAN button stops it, and once the keyboard has ended,
// F12 reaches the application again.

#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

// Row 1: h (H on the Shift layer) and i; row 2: SCAN; row 4: the panels.
constexpr const char* kLayout =
    "[Configuration]\r\nScan=STEP\r\nStepKey=F11\r\nSwitchKey=F12\r\n"
    "[Button1]\r\nCaption=h\r\n[ShiftButton1]\r\nCaption=H\r\nShifted=1\r\n"
    "[Button2]\r\nCaption=i\r\n"
    "[Button8]\r\nType=ACTION\r\nCaption=Scan\r\nHandler=DEFAULT\r\nAction=SCAN\r\n";

// The typepad logs each key press with its keysym in hexadecimal.
constexpr const char* kF11Logged = "key ffc8";
constexpr const char* kF12Logged = "key ffc9";

// What a tap lights next: a row, a cell or the Shift panel of the grid;
// nothing once scanning stops.
struct Lit {
  enum Kind { Row, Cell, ShiftPanel, Nothing } kind;
  int number = 0;
};

class ScanTest : public OnDisplay {
 protected:
  void StartKeyboard() {
    typepad_ = std::make_unique<Typepad>(session, "Typepad", ScreenPoint{520, 250});
    ASSERT_TRUE(typepad_->WaitForWindow());
    ASSERT_TRUE(FocusTypepad(display(), *typepad_, has_window_manager()));
    keyboard_ = std::make_unique<KeyboardProgram>(
        session, LayoutFiles{{"Default", kLayout}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
    ASSERT_EQ(keyboard_->WaitForCellsWithText({1, 2, 8}), (std::set<int>{1, 2, 8}));
    ASSERT_TRUE(WaitUntil([&] { return Framed({Lit::Row, 1}); }));
  }
  std::string Typed() const { return TypedText(typepad_->Log()); }
  // Whether the scan colour runs down the middle of both side edges of
  // what `lit` names.
  bool Framed(Lit lit) const {
    const platform::FormGeometry geometry = keyboard_->Geometry();
    platform::Rect area;
    if (lit.kind == Lit::Row) {
      area = geometry.Row(lit.number);
    } else {
      const platform::Square square =
          lit.kind == Lit::Cell ? geometry.Cell(lit.number) : geometry.shift_panel;
      area = {square.left, square.top, square.size, square.size};
    }
    const platform::Rgb c = geometry.scan_colour;
    const Rgb blue{c.red, c.green, c.blue};
    const ScreenPoint left = keyboard_->AtClient(area.x + 1, area.y + area.height / 2);
    const ScreenPoint right =
        keyboard_->AtClient(area.x + area.width - 2, area.y + area.height / 2);
    return PixelAt(display(), left.x, left.y) == blue &&
           PixelAt(display(), right.x, right.y) == blue;
  }
  // Taps `key` once the keyboard has shown the last tap handled and the
  // bounce time has passed, and waits until `then` is lit.
  bool Tap(KeySym key, Lit then) {
    std::this_thread::sleep_for(150ms);
    TapKey(display(), key);
    if (then.kind == Lit::Nothing) return true;
    return WaitUntil([&] { return Framed(then); });
  }
  bool LogShows(const char* line) const {
    return WaitUntil([&] { return typepad_->Log().find(line) != std::string::npos; });
  }

  std::unique_ptr<Typepad> typepad_;
  std::unique_ptr<KeyboardProgram> keyboard_;
};

TEST_P(ScanTest, SwitchKeysAloneTypeAndReachNoApplicationWhileScanning) {
  StartKeyboard();
  // Rows 1, 2 and 4 are in use: two steps to the centre row, whose first
  // stop is the Shift panel; then h and i in row 1.
  ASSERT_TRUE(Tap(XK_F11, {Lit::Row, 2}));
  ASSERT_TRUE(Tap(XK_F11, {Lit::Row, 4}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::ShiftPanel}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Row, 1}));
  const ScreenPoint shift = keyboard_->Home();
  EXPECT_TRUE(WaitUntil([&] {
    return PixelAt(display(), shift.x, shift.y) == Rgb{0, 0, 0};
  })) << "Shift is armed";
  ASSERT_TRUE(Tap(XK_F12, {Lit::Cell, 1}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Row, 1}));
  ASSERT_TRUE(WaitUntil([&] { return Typed() == "H"; })) << Typed();
  ASSERT_TRUE(Tap(XK_F12, {Lit::Cell, 1}));
  ASSERT_TRUE(Tap(XK_F11, {Lit::Cell, 2}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Row, 1}));
  ASSERT_TRUE(WaitUntil([&] { return Typed() == "Hi"; })) << Typed();
  EXPECT_EQ(typepad_->Log().find(kF11Logged), std::string::npos) << typepad_->Log();
  EXPECT_EQ(typepad_->Log().find(kF12Logged), std::string::npos) << typepad_->Log();

  // SCAN stops scanning and gives the keys back.
  ASSERT_TRUE(Tap(XK_F11, {Lit::Row, 2}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Cell, 8}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Nothing}));
  ASSERT_TRUE(WaitUntil([&] { return !Framed({Lit::Row, 1}); }));
  Tap(XK_F12, {Lit::Nothing});
  EXPECT_TRUE(LogShows(kF12Logged)) << typepad_->Log();
  EXPECT_EQ(Typed(), "Hi");
}

TEST_P(ScanTest, TheSwitchKeysComeBackWhenTheKeyboardEnds) {
  StartKeyboard();
  ASSERT_TRUE(Tap(XK_F12, {Lit::Cell, 1}));
  ASSERT_TRUE(Tap(XK_F12, {Lit::Row, 1}));
  ASSERT_TRUE(WaitUntil([&] { return Typed() == "h"; })) << Typed();
  keyboard_->process().Stop();  // SIGTERM: the keyboard ends through its loop
  ASSERT_FALSE(keyboard_->process().Running());
  if (!has_window_manager()) {
    XSetInputFocus(display(), typepad_->window(), RevertToPointerRoot, CurrentTime);
  }
  Tap(XK_F12, {Lit::Nothing});
  EXPECT_TRUE(LogShows(kF12Logged)) << typepad_->Log();
}

PLINTH_ON_EVERY_DISPLAY(ScanTest);

}  // namespace
}  // namespace plinth::x11_test
