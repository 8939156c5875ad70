// Under a tiling window manager the keyboard has the size of its tile
// whatever it asks for: it asks once, then keeps the tile with the grid in
// its middle, where clicks land and the pointer returns.

#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <thread>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/x_session.h"

namespace plinth::x11_test {
namespace {

// How often `window` was configured during `span`: once for each size the
// keyboard asks for and the window manager answers.
int ConfigureNotifies(Display* display, Window window, std::chrono::milliseconds span) {
  XSelectInput(display, window, StructureNotifyMask);
  XSync(display, False);
  int count = 0;
  const auto end = std::chrono::steady_clock::now() + span;
  while (std::chrono::steady_clock::now() < end) {
    while (XPending(display) > 0) {
      XEvent event{};
      XNextEvent(display, &event);
      if (event.type == ConfigureNotify && event.xconfigure.window == window) ++count;
    }
    std::this_thread::sleep_for(10ms);
  }
  XSelectInput(display, window, NoEventMask);
  return count;
}

TEST(TilingTest, TheKeyboardKeepsItsTileWithTheGridInTheMiddle) {
  XSession session(WindowManager::I3Tiling);
  Display* display = session.display();
  KeyboardProgram keyboard(session, {{"Default", KeyLayout({{1, "a"}})}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  // The tile: the whole screen but for i3's border.
  ASSERT_TRUE(WaitUntil([&] {
    const auto [width, height] = ClientSize(display, keyboard.window());
    return width > XSession::kScreenWidth - 20 && height > XSession::kScreenHeight - 40;
  }));
  const auto tile = ClientSize(display, keyboard.window());
  // Settled: no more requests for another size.
  EXPECT_TRUE(
      WaitUntil([&] { return ConfigureNotifies(display, keyboard.window(), 500ms) == 0; }, 5000ms));
  EXPECT_EQ(ClientSize(display, keyboard.window()), tile);

  const platform::FormGeometry grid = keyboard.Geometry();
  EXPECT_GT(grid.grid_origin.x, 0) << "the grid in the middle of the wider tile";
  EXPECT_EQ(keyboard.WaitForCellsWithText({1}), std::set<int>{1});
  ClickAt(display, keyboard.CellCentre(1));
  EXPECT_TRUE(WaitUntil([&] { return PointerPosition(display) == keyboard.Home(); }));
}

}  // namespace
}  // namespace plinth::x11_test
