#pragma once

// The right-click menu: "Available", "Show All" and "Dwell click", each with
// its check mark, on a layer surface of its own that takes no keyboard
// focus: a popup of the keyboard's window. A click on an item chooses it;
// leaving the menu, or a click on the keyboard, closes it.

#include <array>
#include <functional>
#include <memory>

#include "platform/keyboard_window.h"
#include "platform/wayland/layer_window.h"

namespace plinth::platform::wayland {

class PopupMenu final : public PointerHandler {
 public:
  PopupMenu(WaylandConnection& connection, std::function<void(MenuItemId)> chosen);

  void SetChecked(MenuItemId item, bool checked);
  void SetFontSize(int size);
  // Opens the menu over the keyboard's window, with its top-left corner
  // at `offset` from the window's.
  void Open(const LayerWindow& keyboard, Point offset);
  void Close();
  bool open() const { return window_->shown(); }
  void DrawIfNeeded() { window_->DrawIfNeeded(); }

  void PointerEntered(double x, double y) override;
  void PointerMotion(double x, double y) override;
  void PointerLeft() override;
  void PointerButton(std::uint32_t button, bool pressed) override;

 private:
  static constexpr std::size_t kItemCount = 3;
  void Paint(cairo_t* cairo, Size size) const;
  int ItemHeight() const { return font_size_ + 10; }
  int ItemAt(double y) const;  // -1 for none
  Size MenuSize() const;

  std::function<void(MenuItemId)> chosen_;
  std::unique_ptr<LayerWindow> window_;
  std::array<bool, kItemCount> checked_{};
  int font_size_ = 12;
  int hovered_ = -1;
  bool pressed_inside_ = false;
};

}  // namespace plinth::platform::wayland
