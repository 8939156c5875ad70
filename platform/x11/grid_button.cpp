#include "platform/x11/grid_button.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>

#include <cmath>
#include <string_view>
#include <utility>

#include "platform/common/caption_fit.h"
#include "platform/x11/dwell_bar.h"
#include "platform/x11/widget_look.h"

namespace plinth::platform::x11 {

GridButton::GridButton(int x, int y, int size, CoveredEdges covered, std::function<void()> on_click)
    : Fl_Button(x, y, size, size), covered_(covered), on_click_(std::move(on_click)) {
  box(FL_UP_BOX);
  down_box(FL_DOWN_BOX);
  color(look::kButtonFace);
  labelfont(look::kButtonFont);
  labelsize(look::kButtonFontSize);
  labelcolor(look::kWindowText);
  clear_visible_focus();
  clear_flag(SHORTCUT_LABEL);
  callback(Clicked, this);
  when(FL_WHEN_RELEASE);
}

void GridButton::SetCaption(const std::string& utf8) {
  if (utf8 == caption_) return;
  caption_ = utf8;
  redraw();
}

void GridButton::SetDwellProgress(int permille, const platform::DwellBarLook& look) {
  if (permille == dwell_permille_ && look == dwell_bar_look_) return;
  dwell_permille_ = permille;
  dwell_bar_look_ = look;
  redraw();
}

void GridButton::SetState(platform::ButtonState state) {
  if (state == state_) return;
  state_ = state;
  redraw();
}

int GridButton::handle(int event) {
  switch (event) {
    case FL_PUSH:
    case FL_DRAG:
    case FL_RELEASE:
      if (Fl::event_button() != FL_LEFT_MOUSE) return 0;
      // The release's own place decides the click, not the last move FLTK
      // told: a drag to it brings the pressed look there first.
      if (event == FL_RELEASE) Fl_Button::handle(FL_DRAG);
      return Fl_Button::handle(event);
    case FL_FOCUS:
    case FL_KEYBOARD:
    case FL_SHORTCUT:
      return 0;
    default:
      return Fl_Button::handle(event);
  }
}

// Drawn alone, as after a press or a new caption, the button leaves the
// covered edges to the widgets on top, just as a redraw of the whole window
// would show them.
void GridButton::draw() {
  const int left = covered_.left ? 1 : 0;
  const int top = covered_.top ? 1 : 0;
  fl_push_clip(x() + left, y() + top, w() - left - (covered_.right ? 1 : 0),
               h() - top - (covered_.bottom ? 1 : 0));
  const bool on = state_ != platform::ButtonState::Off;
  draw_box(value() != 0 || on ? down_box() : box(), color());
  const int inset = Fl::box_dx(box());
  // The frame covers the inner line of the sunken bevel, to keep clear of
  // the caption.
  if (on) DrawStateMarks(inset - 1);
  fl_color(labelcolor());
  const platform::CaptionRoom room = platform::ButtonCaptionRoom(w(), labelsize(), smallest_font_);
  const Fl_Font face = labelfont();
  const platform::FittedCaption& fitted = fitted_caption_.Fit(
      caption_, room, face,
      [face](std::string_view text, int size) {
        fl_font(face, size);
        return static_cast<int>(std::lround(fl_width(text.data(), static_cast<int>(text.size()))));
      },
      "\xE2\x80\xA6", platform::TextEncoding::Utf8);
  fl_font(face, fitted.font_size);
  fl_push_clip(x() + inset, y() + inset, w() - 2 * inset, h() - 2 * inset);
  fl_draw(fitted.text.c_str(), x(), y(), w(), h(), FL_ALIGN_CENTER, nullptr, 0);
  DrawDwellBar(*this, dwell_permille_, inset, dwell_bar_look_);
  fl_pop_clip();
  fl_pop_clip();
}

// Drawn in the window-text colour whatever the font colour, so that the
// look alone tells on from off.
void GridButton::DrawStateMarks(int inset) const {
  fl_color(look::kWindowText);
  const int left = x() + inset;
  const int top = y() + inset;
  const int side = w() - 2 * inset;
  for (int ring = 0; ring < state_frame_; ++ring) {
    fl_rect(left + ring, top + ring, side - 2 * ring, side - 2 * ring);
  }
  if (state_ != platform::ButtonState::Mode) return;
  const int corner_x = left + state_frame_;
  const int corner_y = top + state_frame_;
  fl_polygon(corner_x, corner_y, corner_x + mode_marker_, corner_y, corner_x,
             corner_y + mode_marker_);
}

void GridButton::Clicked(Fl_Widget* /*widget*/, void* data) {
  auto* button = static_cast<GridButton*>(data);
  if (button->on_click_) button->on_click_();
}

}  // namespace plinth::platform::x11
