// What the real window shows beyond colour: Plinth's icon for the window
// manager, and an on button or armed panel drawn unlike an off one in
// brightness, which needs no colour vision. Only the frame and panel lines
// are compared, never pixels of text.

#include <X11/Xatom.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

// The sizes in _NET_WM_ICON: width, height, then that many pixels, per image.
std::vector<std::pair<long, long>> IconSizes(Display* display, Window window) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
  std::vector<std::pair<long, long>> sizes;
  if (XGetWindowProperty(display, window, icon, 0, 1 << 20, False, XA_CARDINAL, &type, &format,
                         &count, &after, &data) != Success ||
      data == nullptr) {
    return sizes;
  }
  // Xlib hands 32-bit items over as longs.
  const auto* items = reinterpret_cast<const long*>(data);
  for (unsigned long at = 0; at + 2 <= count;) {
    const long width = items[at];
    const long height = items[at + 1];
    sizes.emplace_back(width, height);
    if (width <= 0 || height <= 0) break;
    at += 2 + static_cast<unsigned long>(width * height);
    if (at > count) sizes.emplace_back(-1, -1);  // pixels missing
  }
  XFree(data);
  return sizes;
}

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

TEST_P(StatesTest, TheWindowCarriesPlinthsIcon) {
  Start(KeyLayout({{1, "a"}}));
  const std::vector<std::pair<long, long>> expected = {
      {16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
  EXPECT_EQ(IconSizes(display(), keyboard_->window()), expected);
}

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
