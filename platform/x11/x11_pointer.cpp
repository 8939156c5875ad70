#include "platform/x11/x11_pointer.h"

#include <X11/Xlib.h>

#include <array>
#include <string>
#include <utility>

namespace plinth::platform::x11 {
namespace {

// The X error reported while a trap is set. Xlib's error handler is a
// plain function, and everything runs on the one user-interface thread.
std::optional<XErrorEvent> trapped_error;

int TrapError(Display* /*display*/, XErrorEvent* error) {
  if (!trapped_error) trapped_error = *error;
  return 0;
}

OsError DescribeError(Display* display, const XErrorEvent& error) {
  std::array<char, 256> text{};
  XGetErrorText(display, error.error_code, text.data(), static_cast<int>(text.size()));
  return OsError{.code = error.error_code, .description = text.data()};
}

}  // namespace

X11PointerControl::X11PointerControl(Display* display) : display_(display) {}

std::optional<OsError> X11PointerControl::SetCursorPos(Point screen_point) {
  if (display_ == nullptr) return OsError{.code = 0, .description = "No X display"};
  XSync(display_, False);  // errors of earlier requests belong to their callers
  XErrorHandler previous = XSetErrorHandler(TrapError);
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, screen_point.x,
               screen_point.y);
  XSync(display_, False);
  XSetErrorHandler(previous);
  if (trapped_error) return DescribeError(display_, *std::exchange(trapped_error, std::nullopt));
  return std::nullopt;
}

}  // namespace plinth::platform::x11
