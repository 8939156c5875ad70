#pragma once

// The right-click menu: the items of kPopupMenu, a check item with its
// mark, on a surface of its own that takes no keyboard focus: a popup of
// the keyboard's window. A click on an item chooses it; leaving the menu,
// or a click on the keyboard, closes it.

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "platform/keyboard_window.h"
#include "platform/wayland/layer_window.h"

namespace plinth::platform::wayland {

class PopupMenu final : public PointerHandler {
 public:
  PopupMenu(WaylandConnection& connection, std::function<void(MenuItemId)> chosen);

  void SetChecked(MenuItemId item, bool checked);
  void SetFontSize(int size);
  // Opens the menu over the keyboard's window, with its top-left corner
  // at `offset` from the window's, whose own is at `keyboard_outer` on the
  // screen.
  void Open(const LayerWindow& keyboard, Point keyboard_outer, Point offset);
  void Close();
  bool open() const { return window_->shown(); }
  void DrawIfNeeded() { window_->DrawIfNeeded(); }

  void PointerEntered(double x, double y) override;
  void PointerMotion(double x, double y) override;
  void PointerLeft() override;
  void PointerButton(std::uint32_t button, bool pressed) override;
  Point ScreenPointAt(double x, double y) const override;

 private:
  static constexpr std::size_t kItemCount = kPopupMenu.size();
  void Paint(cairo_t* cairo, Size size) const;
  int ItemHeight() const { return font_size_ + 10; }
  int ItemAt(double y) const;  // -1 for none
  Size MenuSize() const;

  std::function<void(MenuItemId)> chosen_;
  std::unique_ptr<LayerWindow> window_;
  std::array<std::string, kItemCount> captions_;  // UTF-8
  std::array<bool, kItemCount> checked_{};
  Point origin_;  // the menu's top-left corner on the screen
  int font_size_ = 12;
  int hovered_ = -1;
  bool pressed_inside_ = false;
};

}  // namespace plinth::platform::wayland
