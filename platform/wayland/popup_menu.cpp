#include "platform/wayland/popup_menu.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cmath>

#include "platform/common/windows1252.h"
#include "platform/wayland/painter.h"

namespace plinth::platform::wayland {
namespace {

constexpr int kCheckRoom = 22;  // the check mark's column
constexpr int kPadding = 12;

}  // namespace

PopupMenu::PopupMenu(WaylandConnection& connection, std::function<void(MenuItemId)> chosen)
    : chosen_(std::move(chosen)),
      window_(std::make_unique<LayerWindow>(
          connection, "plinth-menu", *this,
          [this](cairo_t* cairo, Size size) { Paint(cairo, size); })) {
  window_->OnClosed([this] { Close(); });
  for (std::size_t row = 0; row < kItemCount; ++row) {
    captions_[row] = Cp1252ToUtf8(kPopupMenu[row].caption);
  }
}

void PopupMenu::SetChecked(MenuItemId item, bool checked) {
  const std::size_t row = MenuRow(item);
  if (row >= kItemCount || kPopupMenu[row].kind != MenuItemKind::Check) return;
  checked_[row] = checked;
  window_->Redraw();
}

void PopupMenu::SetFontSize(int size) {
  font_size_ = size;
  window_->Redraw();
}

Size PopupMenu::MenuSize() const {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cairo = cairo_create(scratch);
  int widest = 0;
  for (const std::string& caption : captions_) {
    widest = std::max(widest, TextWidth(cairo, caption, look::kTextFamily, font_size_));
  }
  cairo_destroy(cairo);
  cairo_surface_destroy(scratch);
  return {kCheckRoom + widest + kPadding + 2, static_cast<int>(kItemCount) * ItemHeight() + 2};
}

void PopupMenu::Open(const LayerWindow& keyboard, Point keyboard_outer, Point offset) {
  origin_ = {keyboard_outer.x + offset.x, keyboard_outer.y + offset.y};
  hovered_ = -1;
  pressed_inside_ = false;
  const LayerPlacement& below = keyboard.placement();
  window_->Place({.output = below.output,
                  .margin_x = below.margin_x + offset.x,
                  .margin_y = below.margin_y + offset.y,
                  .size = MenuSize(),
                  .parent = &keyboard,
                  .offset = offset});
}

void PopupMenu::Close() { window_->Hide(); }

int PopupMenu::ItemAt(double y) const {
  const int item = static_cast<int>((y - 1) / ItemHeight());
  return y >= 1 && item >= 0 && item < static_cast<int>(kItemCount) ? item : -1;
}

Point PopupMenu::ScreenPointAt(double x, double y) const {
  return {origin_.x + static_cast<int>(std::floor(x)), origin_.y + static_cast<int>(std::floor(y))};
}

void PopupMenu::PointerEntered(double x, double y) { PointerMotion(x, y); }

void PopupMenu::PointerMotion(double /*x*/, double y) {
  const int item = ItemAt(y);
  if (item == hovered_) return;
  hovered_ = item;
  window_->Redraw();
}

void PopupMenu::PointerLeft() { Close(); }

void PopupMenu::PointerButton(std::uint32_t button, bool pressed) {
  if (button != BTN_LEFT) return;
  if (pressed) {
    pressed_inside_ = true;
    return;
  }
  if (!pressed_inside_ || hovered_ < 0) return;
  const MenuItemId item = kPopupMenu[static_cast<std::size_t>(hovered_)].id;
  Close();
  // The check mark changes only when the keyboard logic sets it.
  if (chosen_) chosen_(item);
}

void PopupMenu::Paint(cairo_t* cairo, Size size) const {
  FillRect(cairo, {0, 0, size.width, size.height}, look::kButtonFace);
  FrameRect(cairo, {0, 0, size.width, size.height}, 1, look::kBlack);
  for (std::size_t item = 0; item < kItemCount; ++item) {
    const Rect row{1, 1 + static_cast<int>(item) * ItemHeight(), size.width - 2, ItemHeight()};
    const bool hovered = static_cast<int>(item) == hovered_;
    if (hovered) FillRect(cairo, row, look::kHighlight);
    const Rgb colour = hovered ? look::kWhite : look::kWindowText;
    if (checked_[item]) {
      // A tick drawn, not a glyph: no font needs to have one.
      const double unit = font_size_ / 12.0;
      const double middle = row.y + row.height / 2.0;
      SetColour(cairo, colour);
      cairo_set_line_width(cairo, 2 * unit);
      cairo_move_to(cairo, row.x + 6 * unit, middle);
      cairo_line_to(cairo, row.x + 9 * unit, middle + 3 * unit);
      cairo_line_to(cairo, row.x + 15 * unit, middle - 4 * unit);
      cairo_stroke(cairo);
    }
    DrawText(cairo, captions_[item], look::kTextFamily, font_size_, colour,
             {row.x + kCheckRoom, row.y, row.width - kCheckRoom, row.height}, Align::Left);
  }
}

}  // namespace plinth::platform::wayland
