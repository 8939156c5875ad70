#pragma once

// The screen and its monitors on X, for docking and for keeping the
// keyboard and its dialogs on a monitor.

#include <vector>
// The size and resolution of the screen the keyboard docks to on X.

#include <optional>
#include <string_view>

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
  // The Xft.dpi resource when it is set, as desktops set it for their
  // scaling; else the default screen's height in pixels and millimetres.
  int DotsPerInch() override;

 private:
  Display* display_;
};

// The resolution an Xft.dpi resource value gives: a positive number, with
// a fraction perhaps; nothing when the value is not one.
std::optional<int> ParseXftDpi(std::string_view value);

}  // namespace plinth::platform::x11
