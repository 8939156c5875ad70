#include "platform/x11/centre_panels.h"

#include <FL/Fl.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <cstdint>
#include <cstdlib>
#include <utility>

#include "platform/x11/dwell_bar.h"
#include "platform/x11/widget_look.h"

namespace plinth::platform::x11 {
namespace {

Fl_Color StateColour(platform::PanelState state) {
  switch (state) {
    case platform::PanelState::Hover:
      return look::Teal();
    case platform::PanelState::Armed:
      return look::kBlack;
    case platform::PanelState::Idle:
      break;
  }
  return look::kButtonFace;
}

}  // namespace

PanelLines LinesOf(const platform::FormGeometry& geometry) {
  return {geometry.panel_border, geometry.armed_panel_frame};
}

bool DoubleClickDetector::Press(const void* target, unsigned long time_ms, int x, int y) {
  const bool is_double = target == previous_target_ && !previous_was_double_ &&
                         // The server's clock is 32 bits wide and wraps.
                         static_cast<std::uint32_t>(time_ms - previous_time_) <= kIntervalMs &&
                         std::abs(x - previous_x_) <= kDistance &&
                         std::abs(y - previous_y_) <= kDistance;
  previous_target_ = target;
  previous_was_double_ = is_double;
  previous_time_ = time_ms;
  previous_x_ = x;
  previous_y_ = y;
  return is_double;
}

int PanelPointer::Handle(int event, const Fl_Widget& panel) {
  switch (event) {
    case FL_ENTER:
    case FL_MOVE:
      if (handlers_.pointer_moved) handlers_.pointer_moved();
      return 1;
    case FL_DRAG:
      if (Fl::event_inside(&panel) && handlers_.pointer_moved) handlers_.pointer_moved();
      return 1;
    case FL_PUSH:
      if (Fl::event_button() != FL_LEFT_MOUSE) return 0;
      press_is_click_ =
          !presses_.Press(&panel, fl_event_time, Fl::event_x_root(), Fl::event_y_root());
      return 1;
    case FL_RELEASE:
      if (Fl::event_button() != FL_LEFT_MOUSE) return 1;
      if (press_is_click_ && Fl::event_inside(&panel) && handlers_.clicked) {
        press_is_click_ = false;
        handlers_.clicked();
      }
      press_is_click_ = false;
      return 1;
    case FL_LEAVE:
      return 1;
    default:
      return 0;
  }
}

// The colour is the state, also after FLTK's own enter and leave events:
// nothing here changes a colour but the state the keyboard logic sets.
// An armed panel has a light frame inside, a border's width in from its
// border, so that it differs from hover by more than its colour.
void DrawPanelSquare(const Fl_Widget& panel, platform::PanelState state, PanelLines lines) {
  fl_color(look::kPanelBorder);
  for (int ring = 0; ring < lines.border; ++ring) {
    fl_rect(panel.x() + ring, panel.y() + ring, panel.w() - 2 * ring, panel.h() - 2 * ring);
  }
  fl_rectf(panel.x() + lines.border, panel.y() + lines.border, panel.w() - 2 * lines.border,
           panel.h() - 2 * lines.border, StateColour(state));
  if (state != platform::PanelState::Armed) return;
  fl_color(look::kButtonFace);
  const int inset = 2 * lines.border;
  for (int ring = inset; ring < inset + lines.armed_frame; ++ring) {
    fl_rect(panel.x() + ring, panel.y() + ring, panel.w() - 2 * ring, panel.h() - 2 * ring);
  }
}

ShiftPanel::ShiftPanel(int x, int y, int size, PanelHandlers handlers, DoubleClickDetector& presses)
    : Fl_Widget(x, y, size, size), pointer_(std::move(handlers), presses) {
  box(FL_NO_BOX);
  clear_visible_focus();
}

void ShiftPanel::SetState(platform::PanelState state) {
  if (state == state_) return;
  state_ = state;
  redraw();
}

int ShiftPanel::handle(int event) { return pointer_.Handle(event, *this); }

void ShiftPanel::SetDwellProgress(int permille, const platform::DwellBarLook& look) {
  if (permille == dwell_permille_ && look == dwell_bar_look_) return;
  dwell_permille_ = permille;
  dwell_bar_look_ = look;
  redraw();
}

void ShiftPanel::draw() {
  DrawPanelSquare(*this, state_, lines_);
  DrawDwellBar(*this, dwell_permille_, lines_.border, dwell_bar_look_);
}

ExtendPanel::ExtendPanel(const platform::FormGeometry& geometry, PanelHandlers extend_handlers,
                         PanelHandlers shift_handlers, DoubleClickDetector& presses)
    : Fl_Group(geometry.extend_panel.left, geometry.extend_panel.top, geometry.extend_panel.size,
               geometry.extend_panel.size),
      pointer_(std::move(extend_handlers), presses) {
  box(FL_NO_BOX);
  clear_visible_focus();
  const platform::Square& shift = geometry.shift_panel;
  shift_ = new ShiftPanel(shift.left, shift.top, shift.size, std::move(shift_handlers), presses);
  end();
  resizable(nullptr);
  Place(geometry);
}

void ExtendPanel::Place(const platform::FormGeometry& geometry) {
  const platform::Square& extend = geometry.extend_panel;
  const platform::Square& shift = geometry.shift_panel;
  resize(extend.left, extend.top, extend.size, extend.size);
  shift_->resize(shift.left, shift.top, shift.size, shift.size);
  lines_ = LinesOf(geometry);
  shift_->set_lines(lines_);
  redraw();
}

void ExtendPanel::SetState(platform::PanelState state) {
  if (state == state_) return;
  state_ = state;
  redraw();
}

int ExtendPanel::handle(int event) {
  switch (event) {
    case FL_ENTER:
    case FL_MOVE:
      if (Fl::event_inside(shift_)) return Fl_Group::handle(event);
      Fl::belowmouse(this);
      return pointer_.Handle(event, *this);
    case FL_PUSH:
      if (Fl::event_inside(shift_)) return Fl_Group::handle(event);
      return pointer_.Handle(event, *this);
    case FL_DRAG:
    case FL_RELEASE:
    case FL_LEAVE:
      // Only while the ring holds the press, or when the pointer leaves the
      // whole panel.
      return pointer_.Handle(event, *this);
    default:
      return Fl_Group::handle(event);
  }
}

void ExtendPanel::SetDwellProgress(int permille, const platform::DwellBarLook& look) {
  if (permille == dwell_permille_ && look == dwell_bar_look_) return;
  dwell_permille_ = permille;
  dwell_bar_look_ = look;
  redraw();
}

void ExtendPanel::draw() {
  if ((damage() & ~FL_DAMAGE_CHILD) != 0) {
    DrawPanelSquare(*this, state_, lines_);
    DrawDwellBar(*this, dwell_permille_, lines_.border, dwell_bar_look_);
  }
  draw_children();
}

}  // namespace plinth::platform::x11
