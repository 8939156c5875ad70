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
  // window. Waits for the server's answer so that a refusal is reported
  // here, with the X error code and text.
  std::optional<OsError> SetCursorPos(Point screen_point) override;

 private:
  Display* display_;
};

}  // namespace plinth::platform::x11
