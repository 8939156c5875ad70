#include "platform/wayland/message_dialog.h"

#include <linux/input-event-codes.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <string_view>

#include "platform/common/text_wrap.h"
#include "platform/form_design.h"
#include "platform/wayland/painter.h"

namespace plinth::platform::wayland {
namespace {

using namespace dialog;  // the measures shared with the other drawn dialog
constexpr int kDesignedTextSize = 12;

// Measures designed for the standard text size grow with a larger one.
int ForTextSize(int measure, int text_size) {
  return std::max(measure, measure * text_size / kDesignedTextSize);
}

int TitleHeight(int text_size) { return text_size + 10; }

// The height of the lines of `text`, as pango lays them out.
int TextHeight(cairo_t* cairo, const std::string& text, int size) {
  PangoLayout* layout = pango_cairo_create_layout(cairo);
  PangoFontDescription* font = pango_font_description_from_string(look::kTextFamily);
  pango_font_description_set_absolute_size(font, size * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, text.c_str(), static_cast<int>(text.size()));
  int width = 0;
  int height = 0;
  pango_layout_get_pixel_size(layout, &width, &height);
  g_object_unref(layout);
  return height;
}

void PaintIcon(cairo_t* cairo, MessageIcon icon, double left, double top) {
  if (icon == MessageIcon::Warning) {
    // A yellow triangle with an exclamation mark.
    cairo_move_to(cairo, left + kIconSize / 2.0, top + 1);
    cairo_line_to(cairo, left + kIconSize - 1, top + kIconSize - 2);
    cairo_line_to(cairo, left, top + kIconSize - 2);
    cairo_close_path(cairo);
    cairo_set_source_rgb(cairo, 1, 0.8, 0);
    cairo_fill_preserve(cairo);
    cairo_set_source_rgb(cairo, 0, 0, 0);
    cairo_set_line_width(cairo, 1);
    cairo_stroke(cairo);
    FillRect(cairo, {static_cast<int>(left) + kIconSize / 2 - 1, static_cast<int>(top) + 10, 3, 12},
             look::kBlack);
    FillRect(cairo, {static_cast<int>(left) + kIconSize / 2 - 1, static_cast<int>(top) + 24, 3, 3},
             look::kBlack);
    return;
  }
  // A red disc with a white cross.
  cairo_arc(cairo, left + kIconSize / 2.0, top + kIconSize / 2.0, kIconSize / 2.0, 0, 2 * M_PI);
  cairo_set_source_rgb(cairo, 200 / 255.0, 0, 0);
  cairo_fill(cairo);
  cairo_set_source_rgb(cairo, 1, 1, 1);
  cairo_set_line_width(cairo, 3);
  cairo_move_to(cairo, left + 10, top + 10);
  cairo_line_to(cairo, left + kIconSize - 10, top + kIconSize - 10);
  cairo_move_to(cairo, left + kIconSize - 10, top + 10);
  cairo_line_to(cairo, left + 10, top + kIconSize - 10);
  cairo_stroke(cairo);
}

}  // namespace

MessageDialog::MessageDialog(WaylandConnection& connection, const std::string& title_utf8,
                             MessageIcon icon, const std::string& text_utf8, int text_size,
                             const wl_output* output, Rect monitor, const LayerWindow* keyboard,
                             Point keyboard_outer, DialogPointerMoved pointer_moved)
    : title_(title_utf8),
      icon_(icon),
      text_size_(text_size),
      monitor_(monitor),
      pointer_moved_(std::move(pointer_moved)) {
  cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cairo = cairo_create(scratch);
  const int button_width = ForTextSize(kButtonWidth, text_size);
  const int button_height = ForTextSize(kButtonHeight, text_size);
  const int beside_text = kMargin + kIconSize + kMargin + kMargin;
  const int room = monitor.width - beside_text;
  const int max_width = std::max(kIconSize, std::min(ForTextSize(kMaxTextWidth, text_size), room));
  lines_ = WrapText(text_utf8, max_width, [cairo, text_size](std::string_view piece) {
    return static_cast<double>(TextWidth(cairo, piece, look::kTextFamily, text_size));
  });
  int text_width = 0;
  std::string_view rest = lines_;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    text_width =
        std::max(text_width, TextWidth(cairo, rest.substr(0, end), look::kTextFamily, text_size));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  const int title = TitleHeight(text_size);
  const int below_text = kMargin + button_height + kMargin;
  const int max_height = monitor.height - title - kMargin - below_text;
  text_width = std::max(text_width, std::min(kMinTextWidth, max_width));
  const int text_height =
      std::max(std::min(TextHeight(cairo, lines_, text_size), max_height), kIconSize);
  cairo_destroy(cairo);
  cairo_surface_destroy(scratch);

  size_ = {beside_text + text_width, title + kMargin + text_height + below_text};
  text_area_ = {kMargin + kIconSize + kMargin, title + kMargin, text_width, text_height};
  ok_ = {(size_.width - button_width) / 2, size_.height - kMargin - button_height, button_width,
         button_height};
  window_ = std::make_unique<LayerWindow>(connection, "plinth-dialog", *this,
                                          [this](cairo_t* c, Size size) { Paint(c, size); });
  window_->OnClosed([this] { closed_ = true; });
  const Point outer = ScreenPointAt(0, 0);
  window_->Place({.output = output,
                  .centred = true,
                  .size = size_,
                  .parent = keyboard != nullptr && keyboard->shown() ? keyboard : nullptr,
                  .offset = {outer.x - keyboard_outer.x, outer.y - keyboard_outer.y}});
}

Point MessageDialog::ScreenPointAt(double x, double y) const {
  // Centred on the output, as the compositor places a surface without
  // anchors.
  return {monitor_.x + (monitor_.width - size_.width) / 2 + static_cast<int>(std::floor(x)),
          monitor_.y + (monitor_.height - size_.height) / 2 + static_cast<int>(std::floor(y))};
}

bool MessageDialog::OverOk(double x, double y) const {
  return x >= ok_.x && x < ok_.x + ok_.width && y >= ok_.y && y < ok_.y + ok_.height;
}

void MessageDialog::PointerEntered(double x, double y) { PointerMotion(x, y); }

void MessageDialog::PointerMotion(double x, double y) {
  if (pointer_moved_) pointer_moved_(OverOk(x, y), ScreenPointAt(x, y));
}

void MessageDialog::PointerLeft() {
  ok_pressed_ = false;
  if (pointer_moved_) pointer_moved_(false, {-1, -1});
}

void MessageDialog::PointerButton(std::uint32_t button, bool pressed) {
  if (button != BTN_LEFT) return;
  // OK pressed and released over it, as a button is clicked.
  if (pressed) {
    ok_pressed_ = true;
    return;
  }
  if (ok_pressed_) PressOk();
}

void MessageDialog::PressOk() {
  closed_ = true;
  window_->Hide();
}

void MessageDialog::ShowDwellProgress(int permille, const DwellBarLook& look) {
  if (permille == dwell_permille_ && look == dwell_bar_look_) return;
  dwell_permille_ = permille;
  dwell_bar_look_ = look;
  window_->Redraw();
}

void MessageDialog::Paint(cairo_t* cairo, Size size) const {
  FillRect(cairo, {0, 0, size.width, size.height}, look::kButtonFace);
  FrameRect(cairo, {0, 0, size.width, size.height}, 1, look::kBlack);
  const int title = TitleHeight(text_size_);
  FillRect(cairo, {1, 1, size.width - 2, title - 1}, look::kHighlight);
  DrawText(cairo, title_, look::kTextFamily, text_size_, look::kWhite,
           {kMargin, 1, size.width - 2 * kMargin, title - 1}, Align::Left);
  PaintIcon(cairo, icon_, kMargin, title + kMargin);
  // The lines one under the other, from the top of the text's room.
  cairo_save(cairo);
  cairo_rectangle(cairo, text_area_.x, text_area_.y, text_area_.width, text_area_.height);
  cairo_clip(cairo);
  PangoLayout* layout = pango_cairo_create_layout(cairo);
  PangoFontDescription* font = pango_font_description_from_string(look::kTextFamily);
  pango_font_description_set_absolute_size(font, text_size_ * PANGO_SCALE);
  pango_layout_set_font_description(layout, font);
  pango_font_description_free(font);
  pango_layout_set_text(layout, lines_.c_str(), static_cast<int>(lines_.size()));
  cairo_set_source_rgb(cairo, 0, 0, 0);
  cairo_move_to(cairo, text_area_.x, text_area_.y);
  pango_cairo_show_layout(cairo, layout);
  g_object_unref(layout);
  cairo_restore(cairo);
  DrawBevel(cairo, ok_, false);
  FrameRect(cairo, ok_, 1, look::kBlack);
  DrawText(cairo, "OK", look::kTextFamily, text_size_, look::kWindowText, ok_, Align::Centre);
  DrawDwellBar(cairo, ok_, dwell_permille_, 2, dwell_bar_look_);
}

}  // namespace plinth::platform::wayland
