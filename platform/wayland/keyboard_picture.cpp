#include "platform/wayland/keyboard_picture.h"

#include <cmath>
#include <optional>

#include "platform/common/caption_fit.h"
#include "platform/wayland/painter.h"
#include "platform/wayland/status_line.h"

namespace plinth::platform::wayland {
namespace {

Rect RectOf(const Square& square) { return {square.left, square.top, square.size, square.size}; }

bool Inside(const Square& square, int x, int y) {
  return x >= square.left && x < square.left + square.size && y >= square.top &&
         y < square.top + square.size;
}

Rgb PanelColour(PanelState state) {
  switch (state) {
    case PanelState::Hover:
      return look::kTeal;
    case PanelState::Armed:
      return look::kBlack;
    case PanelState::Idle:
      break;
  }
  return look::kButtonFace;
}

// The device pixels of one logical pixel: the fonts' number for the
// caption cache, as text is measured anew at another scale.
int DeviceScale(cairo_t* cairo) {
  double x = 1;
  double y = 0;
  cairo_user_to_device_distance(cairo, &x, &y);
  return static_cast<int>(std::lround(x));
}

void PaintButton(cairo_t* cairo, const KeyboardPicture& picture, int cell) {
  const FormGeometry& geometry = picture.geometry;
  const Rect area = RectOf(geometry.Cell(cell));
  const ButtonState state = picture.states[static_cast<std::size_t>(cell)];
  const bool on = state != ButtonState::Off;
  DrawBevel(cairo, area, on || picture.pressed_cell == cell);
  constexpr int kBevel = 2;
  if (on) {
    // The frame covers the inner line of the sunken bevel, clear of the
    // caption; drawn in the text colour whatever the font colour.
    const int inset = kBevel - 1;
    const Rect inner{area.x + inset, area.y + inset, area.width - 2 * inset,
                     area.height - 2 * inset};
    FrameRect(cairo, inner, geometry.state_frame, look::kWindowText);
    if (state == ButtonState::Mode) {
      const double x = inner.x + geometry.state_frame;
      const double y = inner.y + geometry.state_frame;
      cairo_set_source_rgb(cairo, 0, 0, 0);
      cairo_move_to(cairo, x, y);
      cairo_line_to(cairo, x + geometry.mode_marker, y);
      cairo_line_to(cairo, x, y + geometry.mode_marker);
      cairo_close_path(cairo);
      cairo_fill(cairo);
    }
  }
  const std::string& caption = picture.captions[static_cast<std::size_t>(cell)];
  const CaptionRoom room =
      ButtonCaptionRoom(area.width, geometry.button_font, geometry.smallest_button_font);
  const FittedCaption& fitted = picture.fitted_captions[static_cast<std::size_t>(cell)].Fit(
      caption, room, DeviceScale(cairo),
      [cairo](std::string_view text, int size) {
        return TextWidth(cairo, text, look::kButtonFamily, size);
      },
      "\xE2\x80\xA6", TextEncoding::Utf8);
  const Rgb colour = picture.colours[static_cast<std::size_t>(cell)] == FontColour::Purple
                         ? look::kPurple
                         : look::kWindowText;
  const Rect text_area{area.x + kBevel, area.y + kBevel, area.width - 2 * kBevel,
                       area.height - 2 * kBevel};
  DrawText(cairo, fitted.text, look::kButtonFamily, fitted.font_size, colour, text_area,
           Align::Centre);
  if (picture.dwell_target == PointerTarget::Button(cell)) {
    DrawDwellBar(cairo, area, picture.dwell_permille, kBevel, geometry.dwell_bar);
  }
}

// A panel: its flat border, its state's colour, and for an armed panel a
// light frame inside, so that it differs from hover by more than colour.
void PaintPanel(cairo_t* cairo, const KeyboardPicture& picture, PanelId panel) {
  const FormGeometry& geometry = picture.geometry;
  const Rect area = RectOf(panel == PanelId::Extend ? geometry.extend_panel : geometry.shift_panel);
  const PanelState state = panel == PanelId::Extend ? picture.extend : picture.shift;
  const int border = geometry.panel_border;
  FrameRect(cairo, area, border, look::kBlack);
  FillRect(cairo,
           {area.x + border, area.y + border, area.width - 2 * border, area.height - 2 * border},
           PanelColour(state));
  if (state == PanelState::Armed) {
    const int inset = 2 * border;
    FrameRect(cairo,
              {area.x + inset, area.y + inset, area.width - 2 * inset, area.height - 2 * inset},
              geometry.armed_panel_frame, look::kButtonFace);
  }
  if (picture.dwell_target == PointerTarget::Panel(panel)) {
    DrawDwellBar(cairo, area, picture.dwell_permille, border, geometry.dwell_bar);
  }
}

}  // namespace

void PaintKeyboard(cairo_t* cairo, const KeyboardPicture& picture) {
  const FormGeometry& geometry = picture.geometry;
  const int status = StatusLineHeight(geometry);
  FillRect(cairo, {0, 0, geometry.client.width, status + geometry.client.height},
           look::kButtonFace);
  // The status line: a dark bar with the caption, as a title bar would be.
  FillRect(cairo, {0, 0, geometry.client.width, status}, look::kHighlight);
  DrawText(cairo, picture.status, look::kTextFamily, geometry.window_font, look::kWhite,
           {4, 0, geometry.client.width - 8, status}, Align::Left);

  cairo_save(cairo);
  cairo_translate(cairo, 0, status);
  // In the order of the cells, so that a button lies under its right and
  // lower neighbours, and the panels on top of all.
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell != design::kCentreCell) PaintButton(cairo, picture, cell);
  }
  PaintPanel(cairo, picture, PanelId::Extend);
  PaintPanel(cairo, picture, PanelId::Shift);
  // What switch scanning lights, over everything else.
  if (const std::optional<Rect> lit = ScanFrameArea(geometry, picture.scan_lit)) {
    FrameRect(cairo, *lit, geometry.scan_frame, geometry.scan_colour);
  }
  cairo_restore(cairo);
}

PointerTarget TargetAt(const FormGeometry& geometry, int x, int y) {
  if (Inside(geometry.shift_panel, x, y)) return PointerTarget::Panel(PanelId::Shift);
  if (Inside(geometry.extend_panel, x, y)) return PointerTarget::Panel(PanelId::Extend);
  // Later buttons lie on top of the edges they share with earlier ones.
  for (int cell = design::kCellCount; cell >= 1; --cell) {
    if (cell != design::kCentreCell && Inside(geometry.Cell(cell), x, y)) {
      return PointerTarget::Button(cell);
    }
  }
  return {};
}

}  // namespace plinth::platform::wayland
