// The window's place and frame as the keyboard sees them: docking to the
// screen's corners puts the outer window, frame included, against the
// edges; the pointer returns to the centre of the window at its new place;
// ending the program lets the click finish.

#include <gtest/gtest.h>

#include "platform/form_design.h"
#include "platform/x11/frame_extents.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

namespace design = platform::design;

std::string MoveButton(int cell, const char* vertical, const char* horizontal) {
  return "[Button" + std::to_string(cell) +
         "]\r\nType=ACTION\r\nCaption=mv\r\nHandler=DEFAULT\r\n" +
         "Action=MOVE\r\nParam1=" + vertical + "\r\nParam2=" + horizontal + "\r\n\r\n";
}

const std::string kDockingLayout =
    MoveButton(1, "TOP", "LEFT") + MoveButton(7, "TOP", "RIGHT") +
    MoveButton(43, "BOTTOM", "LEFT") + MoveButton(49, "BOTTOM", "RIGHT") +
    "[Button47]\r\nType=ACTION\r\nCaption=Quit\r\nHandler=EXTEND\r\nAction=TERMINATE\r\n";

using DockingTest = OnDisplay;

TEST_P(DockingTest, DocksTheOuterWindowToEachCornerAndReturnsThePointer) {
  KeyboardProgram keyboard(session, {{"Default", kDockingLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 7, 43, 47, 49}), (std::set<int>{1, 7, 43, 47, 49}));
  const platform::x11::FrameExtents frame = Frame(keyboard.window());
  const int outer_width = design::kClientWidth + frame.left + frame.right;
  const int outer_height = design::kClientHeight + frame.top + frame.bottom;
  const int right = XSession::kScreenWidth - outer_width;
  const int bottom = XSession::kScreenHeight - outer_height;

  struct Corner {
    int cell;
    ScreenPoint outer;
  };
  for (const Corner corner : {Corner{7, {right, 0}}, Corner{49, {right, bottom}},
                              Corner{43, {0, bottom}}, Corner{1, {0, 0}}}) {
    SCOPED_TRACE(corner.cell);
    ClickAt(display(), keyboard.CellCentre(corner.cell));
    const ScreenPoint client{corner.outer.x + frame.left, corner.outer.y + frame.top};
    EXPECT_TRUE(WaitUntil([&] { return ClientOrigin(display(), keyboard.window()) == client; }));
    // The home point: the centre of the centre cell.
    const ScreenPoint home{client.x + design::kExtendPanelLeft + design::kExtendPanelSize / 2,
                           client.y + design::kExtendPanelTop + design::kExtendPanelSize / 2};
    EXPECT_TRUE(WaitUntil([&] { return PointerPosition(display()) == home; }));
  }

  ClickAt(display(), keyboard.CellCentre(47));
  EXPECT_EQ(keyboard.process().WaitForExit(5000ms), 0);
}

// The outer window's place once it is at `outer`; it is there when the
// client area is.
bool ReachesOuter(Display* display, Window window, const platform::x11::FrameExtents& frame,
                  ScreenPoint outer) {
  const ScreenPoint client{outer.x + frame.left, outer.y + frame.top};
  return WaitUntil([&] { return ClientOrigin(display, window) == client; });
}

TEST_P(DockingTest, DocksToThePrimaryMonitorOfTwo) {
  // A monitor on the left and, on its right, a smaller primary one.
  ASSERT_EQ(session.Xrandr({"--setmonitor", "LEFT", "600/160x768/200+0+0", "none"}), 0);
  ASSERT_EQ(session.Xrandr({"--setmonitor", "RIGHT", "424/110x500/130+600+0", "screen"}), 0);
  ASSERT_EQ(session.Xrandr({"--output", "screen", "--primary"}), 0);
  KeyboardProgram keyboard(session, {{"Default", kDockingLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 7, 43, 47, 49}), (std::set<int>{1, 7, 43, 47, 49}));
  const platform::x11::FrameExtents frame = Frame(keyboard.window());
  const int outer_width = design::kClientWidth + frame.left + frame.right;
  const int outer_height = design::kClientHeight + frame.top + frame.bottom;
  ClickAt(display(), keyboard.CellCentre(43));
  EXPECT_TRUE(ReachesOuter(display(), keyboard.window(), frame, {600, 500 - outer_height}));
  ClickAt(display(), keyboard.CellCentre(49));
  EXPECT_TRUE(ReachesOuter(display(), keyboard.window(), frame,
                           {XSession::kScreenWidth - outer_width, 500 - outer_height}));
}

TEST_P(DockingTest, ADockedKeyboardKeepsItsCornerWhenTheScreenShrinks) {
  KeyboardProgram keyboard(session, {{"Default", kDockingLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 7, 43, 47, 49}), (std::set<int>{1, 7, 43, 47, 49}));
  const platform::x11::FrameExtents frame = Frame(keyboard.window());
  const int outer_width = design::kClientWidth + frame.left + frame.right;
  const int outer_height = design::kClientHeight + frame.top + frame.bottom;
  ClickAt(display(), keyboard.CellCentre(49));
  ASSERT_TRUE(
      ReachesOuter(display(), keyboard.window(), frame,
                   {XSession::kScreenWidth - outer_width, XSession::kScreenHeight - outer_height}));
  // The virtual monitor keeps its size; the screen shows only part of it.
  ASSERT_TRUE(session.ResizeScreen(640, 480));
  EXPECT_TRUE(
      ReachesOuter(display(), keyboard.window(), frame, {640 - outer_width, 480 - outer_height}));
}

TEST_P(DockingTest, ALargeKeyboardShrinksWithTheScreenAndKeepsItsTitleBar) {
  KeyboardProgram keyboard(
      session, {{"Default", "[Configuration]\r\nScale=300\r\n" + kDockingLayout}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  ASSERT_EQ(keyboard.WaitForCellsWithText({1, 7, 43, 47, 49}), (std::set<int>{1, 7, 43, 47, 49}));
  const platform::x11::FrameExtents frame = Frame(keyboard.window());
  // The outer window, frame included, in the bottom-right corner of a
  // screen of `width` x `height`.
  const auto docked_in = [&](int width, int height) {
    const auto [client_width, client_height] = ClientSize(display(), keyboard.window());
    const ScreenPoint client = ClientOrigin(display(), keyboard.window());
    return client.x + client_width + frame.right == width &&
           client.y + client_height + frame.bottom == height && client.x - frame.left >= 0 &&
           client.y - frame.top >= 0;
  };
  ClickAt(display(), keyboard.CellCentre(49));
  ASSERT_TRUE(
      WaitUntil([&] { return docked_in(XSession::kScreenWidth, XSession::kScreenHeight); }));
  const int large_pitch = keyboard.Geometry().pitch;

  ASSERT_TRUE(session.ChangeResolution(800, 600));
  EXPECT_TRUE(WaitUntil([&] { return docked_in(800, 600); }))
      << "the title bar's top at " << ClientOrigin(display(), keyboard.window()).y - frame.top;
  EXPECT_LT(keyboard.Geometry().pitch, large_pitch);
  // A click at the new size lands on its button.
  ClickAt(display(), keyboard.CellCentre(1));
  EXPECT_TRUE(ReachesOuter(display(), keyboard.window(), frame, {0, 0}));
}

PLINTH_ON_EVERY_DISPLAY(DockingTest);

}  // namespace
}  // namespace plinth::x11_test
