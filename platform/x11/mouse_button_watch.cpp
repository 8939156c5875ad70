#include "platform/x11/mouse_button_watch.h"

#include <FL/Fl.H>
#include <FL/x.H>

#include <utility>

namespace plinth::platform::x11 {

MouseButtonWatch::MouseButtonWatch(std::function<void()> pressed,
                                   std::function<void(Point)> released)
    : pressed_(std::move(pressed)), released_(std::move(released)) {
  Fl::add_system_handler(SeeEvent, this);
}

MouseButtonWatch::~MouseButtonWatch() { Fl::remove_system_handler(SeeEvent); }

int MouseButtonWatch::SeeEvent(void* event, void* watch) {
  auto* self = static_cast<MouseButtonWatch*>(watch);
  const auto* xevent = static_cast<const XEvent*>(event);
  if (xevent->type != ButtonPress && xevent->type != ButtonRelease) return 0;
  const XButtonEvent& button = xevent->xbutton;
  if (button.button < Button1 || button.button > Button3) return 0;
  if (xevent->type == ButtonPress) {
    if (self->pressed_) self->pressed_();
  } else if (self->released_) {
    self->released_({button.x_root, button.y_root});
  }
  return 0;  // FLTK handles the event as ever
}

}  // namespace plinth::platform::x11
