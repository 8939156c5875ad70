#pragma once

// The size of the screen the keyboard docks to on X.

#include "platform/platform.h"
#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class X11ScreenInfo final : public ScreenInfo {
 public:
  // `display` stays owned by the caller and must outlive this object.
  explicit X11ScreenInfo(Display* display);

  // The default screen's width and height in pixels, read anew each time
  // so that a resized screen is seen.
  Size PrimaryScreenSize() override;

 private:
  Display* display_;
};

}  // namespace plinth::platform::x11
