// The right-click menu of the real window: each item shows its own check
// mark; "Available" and "Show All" relabel the grid.

#include "platform/popup_menu.h"

#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

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

  // Opens the menu over cell 2 and waits until it is drawn: a menu mapped
  // on a busy machine may not show its captions yet, nor take clicks.
  std::optional<Box> OpenMenu() {
    ClickAt(display(), keyboard_->CellCentre(2), 3);
    std::optional<Box> menu;
    EXPECT_TRUE(WaitUntil([&] {
      menu = FindPopupMenu(display());
      return menu && DarkPixels(display(), menu->x + kCheckBoxColumn, menu->y,
                                menu->width - kCheckBoxColumn, menu->height) > 0;
    }));
    return menu;
  }

  // Opens the menu over cell 2 and chooses the item of row `item` of
  // kPopupMenu ("Available" 0, "Show All" 1).
  void Choose(int item) {
    const std::optional<Box> menu = OpenMenu();
    ASSERT_TRUE(menu.has_value());
    ClickAt(display(),
            {menu->x + menu->width / 2, menu->y + menu->height * (1 + 2 * item) / (2 * kRows)});
    ASSERT_TRUE(WaitUntil([&] { return !FindPopupMenu(display()); }));
  }

  // Opens the menu and counts, row by row, the dark pixels in the column
  // of the check boxes, left of the captions; then closes it.
  std::vector<int> DarkPixelsOfTheCheckBoxes() {
    const std::optional<Box> menu = OpenMenu();
    if (!menu) return {};
    const int row_height = menu->height / kRows;
    const auto read = [&] {
      std::vector<int> counts;
      for (int row = 0; row < kRows; ++row) {
        counts.push_back(DarkPixels(display(), menu->x, menu->y + row * row_height, kCheckBoxColumn,
                                    row_height));
      }
      return counts;
    };
    // Read once two reads agree: a menu being drawn changes between them.
    std::vector<int> dark;
    EXPECT_TRUE(WaitUntil([&] {
      std::vector<int> now = read();
      const bool settled = now == dark;
      dark = std::move(now);
      return settled;
    }));
    // Away from the menu and the keyboard: closes the menu, chooses nothing.
    ClickAt(display(), {XSession::kScreenWidth - 5, XSession::kScreenHeight - 5});
    EXPECT_TRUE(WaitUntil([&] { return !FindPopupMenu(display()); }));
    return dark;
  }

  // Which rows show a check mark, "x" for a mark and "-" for none: a mark
  // darkens its box beyond the `unmarked` count of its row.
  std::string Marks(const std::vector<int>& unmarked) {
    const std::vector<int> dark = DarkPixelsOfTheCheckBoxes();
    std::string marks;
    for (std::size_t row = 0; row < dark.size() && row < unmarked.size(); ++row) {
      marks += dark[row] > unmarked[row] + kMarkPixels ? 'x' : '-';
    }
    return marks;
  }

  static constexpr int kRows = static_cast<int>(platform::kPopupMenu.size());
  // The check box and the menu's border, clear of the caption, which
  // starts after a box of FLTK's normal size whatever the font.
  static constexpr int kCheckBoxColumn = 16;
  // Dark pixels that a check mark adds to its box, at the least.
  static constexpr int kMarkPixels = 6;
  std::unique_ptr<KeyboardProgram> keyboard_;
};

TEST_P(PopupMenuTest, EachItemChosenShowsItsOwnMark) {
  // "Learn words" starts ticked: every box is seen empty once it is not.
  constexpr auto kLearnWords =
      static_cast<int>(platform::MenuRow(platform::MenuItemId::LearnWords));
  const std::vector<int> at_start = DarkPixelsOfTheCheckBoxes();
  Choose(kLearnWords);
  const std::vector<int> unmarked = DarkPixelsOfTheCheckBoxes();
  ASSERT_EQ(unmarked.size(), at_start.size());
  EXPECT_GT(at_start[kLearnWords], unmarked[kLearnWords] + kMarkPixels);
  std::string marks(platform::kPopupMenu.size(), '-');
  ASSERT_EQ(Marks(unmarked), marks);
  // Each item ticked in turn, then each unticked in turn: the marks follow.
  for (const char mark : {'x', '-'}) {
    for (int row = 0; row < kRows; ++row) {
      SCOPED_TRACE(platform::kPopupMenu[static_cast<std::size_t>(row)].caption);
      Choose(row);
      marks[static_cast<std::size_t>(row)] = mark;
      EXPECT_EQ(Marks(unmarked), marks);
    }
  }
}

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
