#include "platform/x11/form_window.h"

#include <FL/Fl.H>

#include <utility>

#include "platform/x11/widget_look.h"

namespace plinth::platform::x11 {

FormWindow::FormWindow(int width, int height, std::function<void()> on_context_menu)
    : Fl_Double_Window(width, height), on_context_menu_(std::move(on_context_menu)) {
  box(FL_FLAT_BOX);
  color(look::kButtonFace);
  clear_visible_focus();
  xclass("plinth");
  callback(CloseRequested, this);
  resizable(nullptr);
}

void FormWindow::ResizeClient(int width, int height) {
  resizing_ = true;
  size(width, height);
  resizing_ = false;
}

void FormWindow::resize(int x, int y, int width, int height) {
  const bool resized = width != w() || height != h();
  Fl_Double_Window::resize(x, y, width, height);
  if (resized && !resizing_ && on_resize_) on_resize_(width, height);
}

void FormWindow::SetScanFrame(std::optional<platform::Rect> area, const ScanFrameLook& look) {
  if (area == scan_area_ && look == scan_look_) return;
  scan_area_ = area;
  scan_look_ = look;
  // The widgets under the old frame draw themselves again.
  redraw();
}

// Every drawing of the window, a single button's too, ends with the frame,
// so that no widget covers it.
void FormWindow::draw() {
  Fl_Double_Window::draw();
  if (scan_area_) DrawScanFrame(*scan_area_, scan_look_);
}

FormWindow::~FormWindow() { Fl::remove_timeout(CheckUnmapped, this); }

void FormWindow::CheckUnmapped(void* window) {
  auto* form = static_cast<FormWindow*>(window);
  // Hidden by the program, the window is no longer shown at all.
  if (form->shown() && !form->visible() && form->on_unmapped_by_others_) {
    form->on_unmapped_by_others_();
  }
}

int FormWindow::handle(int event) {
  const bool right = Fl::event_button() == FL_RIGHT_MOUSE;
  switch (event) {
    case FL_PUSH:
      if (right) {
        if (on_context_menu_) on_context_menu_();
        return 1;
      }
      if (Fl::event_button() == FL_LEFT_MOUSE) {
        const int taken = Fl_Double_Window::handle(event);
        if (on_left_press_) on_left_press_();
        return taken;
      }
      break;
    case FL_DRAG: {
      if (right) return 1;
      const int taken = Fl_Double_Window::handle(event);
      if (on_pointer_moved_) on_pointer_moved_(true);
      return taken;
    }
    case FL_RELEASE:
      if (right) return 1;
      break;
    case FL_HIDE:
      // Told after the fact, also while the program itself hides the
      // window; which of the two it was is known once this event is done.
      Fl::add_timeout(0.0, CheckUnmapped, this);
      break;
    case FL_ENTER:
    case FL_MOVE:
    case FL_LEAVE: {
      const int taken = Fl_Double_Window::handle(event);
      if (on_pointer_moved_) on_pointer_moved_(event != FL_LEAVE);
      return taken;
    }
    case FL_FOCUS:
    case FL_KEYBOARD:
    case FL_SHORTCUT:
      return 0;
    default:
      break;
  }
  return Fl_Double_Window::handle(event);
}

// The close box ends the program; FLTK would also close on Escape, which
// the keyboard never receives anyway.
void FormWindow::CloseRequested(Fl_Widget* widget, void* /*data*/) {
  if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
  widget->hide();
}

}  // namespace plinth::platform::x11
