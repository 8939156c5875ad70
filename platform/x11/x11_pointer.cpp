#include "platform/x11/x11_pointer.h"

#include <X11/Xlib.h>

#include <array>
#include <string>
#include <utility>

namespace plinth::platform::x11 {
namespace {

// The X error of the trapped request, reported while a trap is set; errors
// of earlier requests go to the handler before. Xlib's error handler is a
// plain function, and everything runs on the one user-interface thread.
std::optional<XErrorEvent> trapped_error;
unsigned long trapped_serial = 0;
XErrorHandler handler_before = nullptr;

int TrapError(Display* display, XErrorEvent* error) {
  if (error->serial < trapped_serial) {
    return handler_before != nullptr ? handler_before(display, error) : 0;
  }
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
  handler_before = XSetErrorHandler(TrapError);
  trapped_serial = NextRequest(display_);
  XWarpPointer(display_, None, DefaultRootWindow(display_), 0, 0, 0, 0, screen_point.x,
               screen_point.y);
  XSync(display_, False);
  XSetErrorHandler(handler_before);
  if (trapped_error) return DescribeError(display_, *std::exchange(trapped_error, std::nullopt));
  return std::nullopt;
}

}  // namespace plinth::platform::x11
