#include "platform/x11/x11_pointer.h"

#include <X11/Xlib.h>

namespace plinth::platform::x11 {

X11PointerControl::X11PointerControl(Display* display) : display_(display) {}

std::optional<OsError> X11PointerControl::SetCursorPos(Point screen_point) {
  if (display_ == nullptr) return OsError{.code = 0, .description = "No X display"};
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, screen_point.x,
               screen_point.y);
  return std::nullopt;
}

}  // namespace plinth::platform::x11
