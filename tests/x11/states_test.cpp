// What the real window shows beyond colour: an on button or armed panel
// drawn unlike an off one in brightness, which needs no colour vision. Only the frame and panel
// lines are compared, never pixels of text.

#include <gtest/gtest.h>

#include <string>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

int Brightness(Rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }

class StatesTest : public OnDisplay {
 protected:
  void Start(const std::string& layout) {
    keyboard_.reset();  // one keyboard a display
    keyboard_ = std::make_unique<KeyboardProgram>(session,
                                                  LayoutFiles{{"Default", layout}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
  }
  int BrightnessAt(int x, int y) const {
    const ScreenPoint point = keyboard_->AtClient(x, y);
    return Brightness(PixelAt(display(), point.x, point.y));
  }

  std::unique_ptr<KeyboardProgram> keyboard_;
};

struct LookCase {
  const char* record;  // the base-layer record of cell 1, without caption
  bool marked;         // a mode: the corner marker shows too
};

TEST_P(StatesTest, AnOnButtonHasADarkFrameAndAModeAMarker) {
  const LookCase cases[] = {
      {"Type=CTRLTOGGLE\n", false},
      {"Type=ACTION\nHandler=DEFAULT\nAction=TOGGLESELECTING\n", true},
  };
  // Cell 1 lies at the client's corner: its frame band at 2..3 pixels in,
  // the marker's corner at 4.
  for (const LookCase& c : cases) {
    SCOPED_TRACE(c.record);
    Start(std::string("[Button1]\n") + c.record);
    ASSERT_TRUE(WaitUntil([&] { return BrightnessAt(16, 2) > 150; })) << "drawn";
    const int face = BrightnessAt(16, 2);
    EXPECT_TRUE(WaitUntil([&] { return BrightnessAt(5, 5) == face; })) << "no marker when off";
    ClickAt(display(), keyboard_->CellCentre(1));
    EXPECT_TRUE(WaitUntil([&] { return BrightnessAt(16, 2) < face - 100; })) << "frame on top";
    EXPECT_LT(BrightnessAt(2, 16), face - 100) << "frame on the left";
    EXPECT_EQ(BrightnessAt(5, 5) < face - 100, c.marked) << "the marker";
    ClickAt(display(), keyboard_->CellCentre(1));
    EXPECT_TRUE(WaitUntil([&] { return BrightnessAt(16, 2) == face; })) << "off again";
  }
}

TEST_P(StatesTest, AnArmedPanelHasALightFrameInside) {
  Start(KeyLayout({{1, "a"}}));
  const platform::Square shift = keyboard_->Geometry().shift_panel;
  const int middle = shift.size / 2;
  ASSERT_TRUE(WaitUntil([&] {
    return BrightnessAt(shift.left + middle, shift.top + middle) > 150;
  })) << "drawn idle";
  MovePointer(display(), keyboard_->AtClient(shift.left + middle, shift.top + middle));
  ClickButton(display());  // hover, then armed
  ASSERT_TRUE(
      WaitUntil([&] { return BrightnessAt(shift.left + middle, shift.top + middle) < 50; }));
  // Inside the border and a gap as wide.
  EXPECT_GT(BrightnessAt(shift.left + 2, shift.top + middle), 150);
}

INSTANTIATE_TEST_SUITE_P(Display, StatesTest, ::testing::Values(WindowManager::Absent),
                         WindowManagerName);

}  // namespace
}  // namespace plinth::x11_test
