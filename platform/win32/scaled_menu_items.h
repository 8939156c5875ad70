#pragma once

// The popup menu's items at the keyboard's size. At the designed size the
// system draws them as on any menu; at any other size they are owner-drawn
// in the keyboard's text font, so that the menu grows and shrinks with the
// keyboard. Check marks and the item under the pointer show either way.

#include <string>
#include <vector>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class ScaledMenuItems {
 public:
  // `menu` holds string items only; their texts are kept from now on.
  explicit ScaledMenuItems(HMENU menu);

  // Draws the items in `font`, or lets the system draw them when `font` is
  // nullptr. The font stays owned by the caller.
  void UseFont(HFONT font);
  // WM_MEASUREITEM and WM_DRAWITEM of the menu's items; false for others.
  bool Measure(MEASUREITEMSTRUCT& item) const;
  bool Draw(const DRAWITEMSTRUCT& item) const;

 private:
  const std::string* TextOf(ULONG_PTR position) const;

  HMENU menu_;
  std::vector<std::string> texts_;  // by position
  HFONT font_ = nullptr;
};

}  // namespace plinth::platform::win32
