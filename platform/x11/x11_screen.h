#pragma once

// The screen and its monitors on X, for docking and for keeping the
// keyboard and its dialogs on a monitor.

#include <vector>

#include "platform/platform.h"
#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class X11ScreenInfo final : public ScreenInfo {
 public:
  // `display` stays owned by the caller and must outlive this object.
  explicit X11ScreenInfo(Display* display);

  // The primary monitor's width and height.
  Size PrimaryScreenSize() override;
  // The monitors as RandR tells them, the one holding the primary output
  // first; else Xinerama's screens in its order; else the whole screen.
  // Each is cut to the screen. Read anew each time, so that a change of
  // resolution or of monitors is seen.
  std::vector<Rect> Monitors() override;

 private:
  Display* display_;
};

}  // namespace plinth::platform::x11
