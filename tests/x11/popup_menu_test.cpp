// The right-click menu of the real window: its two check items relabel the
// grid.

#include <gtest/gtest.h>

#include <csignal>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

class PopupMenuTest : public OnDisplay {
 protected:
  void SetUp() override {
    keyboard_ = std::make_unique<KeyboardProgram>(
        session, LayoutFiles{{"Default", KeyLayout({{1, "q"}})}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
    ASSERT_EQ(keyboard_->WaitForCellsWithText({1}), std::set<int>{1});
  }

  // Opens the menu over cell 2 and chooses item 0 ("Available") or 1
  // ("Show All") of its three.
  void Choose(int item) {
    ClickAt(display(), keyboard_->CellCentre(2), 3);
    std::optional<Box> menu;
    ASSERT_TRUE(WaitUntil([&] { return (menu = FindPopupMenu(display())).has_value(); }));
    ClickAt(display(), {menu->x + menu->width / 2, menu->y + menu->height * (1 + 2 * item) / 6});
    ASSERT_TRUE(WaitUntil([&] { return !FindPopupMenu(display()); }));
  }

  std::unique_ptr<KeyboardProgram> keyboard_;
};

TEST_P(PopupMenuTest, ShowAllNumbersEveryCellUntilUnticked) {
  Choose(1);
  EXPECT_EQ(keyboard_->WaitForCellsWithText(AllButtonCells()), AllButtonCells());
  Choose(1);
  EXPECT_EQ(keyboard_->WaitForCellsWithText({1}), std::set<int>{1});
}

TEST_P(PopupMenuTest, AvailableNumbersTheEmptyCells) {
  // Cell 1 keeps its caption; every other cell, empty, shows its number.
  Choose(0);
  EXPECT_EQ(keyboard_->WaitForCellsWithText(AllButtonCells()), AllButtonCells());
}

TEST_P(PopupMenuTest, ATerminationSignalEndsTheProgramWithTheMenuOpen) {
  ClickAt(display(), keyboard_->CellCentre(2), 3);
  ASSERT_TRUE(WaitUntil([&] { return FindPopupMenu(display()).has_value(); }));
  kill(keyboard_->process().pid(), SIGTERM);
  EXPECT_EQ(keyboard_->process().WaitForExit(3000ms), 0);
}

PLINTH_ON_EVERY_DISPLAY(PopupMenuTest);

}  // namespace
}  // namespace plinth::x11_test
