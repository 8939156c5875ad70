// The right-click menu of the real window: its two check items relabel the
// grid.

#include <gtest/gtest.h>

#include "platform/form_design.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

namespace design = platform::design;

class PopupMenuTest : public OnDisplay {
 protected:
  void SetUp() override {
    keyboard_ = std::make_unique<KeyboardProgram>(
        session, LayoutFiles{{"Default", KeyLayout({{1, "q"}})}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
    ASSERT_TRUE(WaitUntil([&] { return !keyboard_->CellShowsText(2); }));
  }

  // Opens the menu over cell 2 and chooses item 0 ("Available") or 1
  // ("Show All").
  void Choose(int item) {
    ClickAt(display(), keyboard_->CellCentre(2), 3);
    std::optional<Box> menu;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindPopupMenu(display())).has_value(); }));
    ClickAt(display(), {menu->x + menu->width / 2, menu->y + menu->height * (1 + 2 * item) / 4});
    ASSERT_TRUE(WaitUntil([&] { return !FindPopupMenu(display()); }));
  }

  std::unique_ptr<KeyboardProgram> keyboard_;
};

TEST_P(PopupMenuTest, ShowAllNumbersEveryCellUntilUnticked) {
  Choose(1);
  ASSERT_TRUE(WaitUntil([&] { return keyboard_->CellShowsText(2); }));
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell == design::kCentreCell) continue;
    EXPECT_TRUE(keyboard_->CellShowsText(cell)) << "cell " << cell;
  }
  Choose(1);
  EXPECT_TRUE(WaitUntil([&] { return !keyboard_->CellShowsText(2); }));
  EXPECT_TRUE(keyboard_->CellShowsText(1));
}

TEST_P(PopupMenuTest, AvailableNumbersTheEmptyCells) {
  Choose(0);
  EXPECT_TRUE(WaitUntil([&] { return keyboard_->CellShowsText(2); }));
  EXPECT_TRUE(keyboard_->CellShowsText(48));
}

PLINTH_ON_EVERY_DISPLAY(PopupMenuTest);

}  // namespace
}  // namespace plinth::x11_test
