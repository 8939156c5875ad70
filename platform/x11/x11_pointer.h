#pragma once

// The mouse pointer on X: moved to a point of the root window.

#include <optional>

#include "platform/platform.h"
#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class X11PointerControl final : public PointerControl {
 public:
  // `display` stays owned by the caller and must outlive this object.
  explicit X11PointerControl(Display* display);

  // Warps the pointer to `screen_point` on the default screen's root
  // window. The request goes out with the next ones, and nothing waits
  // for the server: a click's key must reach its application before the
  // keyboard makes the server work for it again. A warp within the root
  // window has no error of its own; one that a security policy refuses
  // reaches the display's error handler, which reports it on standard
  // error.
  std::optional<OsError> SetCursorPos(Point screen_point) override;

 private:
  Display* display_;
};

}  // namespace plinth::platform::x11
