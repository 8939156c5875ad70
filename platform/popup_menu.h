#pragma once

// The keyboard window's popup menu, which a right-click opens: its items in
// the order shown. Both platforms build their menu from this table and
// report the item chosen by its id, so an item added here appears, with its
// check mark, on every platform.

#include <array>
#include <cstddef>

namespace plinth::platform {

// Available1, ShowAll1, and the check items "Dwell click", "Learn words" and
// "Scanning".
enum class MenuItemId { Available, ShowAll, DwellClick, LearnWords, Scanning };

enum class MenuItemKind {
  Check,    // shows a check mark, which only the keyboard logic sets
  Command,  // does something and shows no mark
};

struct MenuItem {
  MenuItemId id;
  const char* caption;  // Windows-1252
  MenuItemKind kind;
};

inline constexpr std::array kPopupMenu{
    MenuItem{MenuItemId::Available, "Available", MenuItemKind::Check},
    MenuItem{MenuItemId::ShowAll, "Show All", MenuItemKind::Check},
    MenuItem{MenuItemId::DwellClick, "Dwell click", MenuItemKind::Check},
    MenuItem{MenuItemId::LearnWords, "Learn words", MenuItemKind::Check},
    MenuItem{MenuItemId::Scanning, "Scanning", MenuItemKind::Check},
};

// The row of an item in kPopupMenu: the rows are in the order of the ids.
constexpr std::size_t MenuRow(MenuItemId id) { return static_cast<std::size_t>(id); }

constexpr bool RowsInTheOrderOfTheirIds() {
  for (std::size_t row = 0; row < kPopupMenu.size(); ++row) {
    if (MenuRow(kPopupMenu[row].id) != row) return false;
  }
  return true;
}
static_assert(RowsInTheOrderOfTheirIds(), "each item of kPopupMenu sits in the row of its id");

}  // namespace plinth::platform
