#pragma once

// The frame a reparenting window manager puts around a top-level window:
// title bar and borders, in pixels on each side of the client area.

#include <X11/Xlib.h>

#include <optional>

namespace plinth::platform::x11 {

struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
  friend bool operator==(const FrameExtents&, const FrameExtents&) = default;
};

// The frame the window manager has given `window` (_NET_FRAME_EXTENTS), or
// nothing when it has not said.
std::optional<FrameExtents> ReadFrameExtents(Display* display, Window window);

// The frame the window manager would give a keyboard window of the given
// client size, asked before the keyboard is mapped. Without a window manager
// that answers, the frame is empty.
FrameExtents ProbeKeyboardFrame(Display* display, int client_width, int client_height);

}  // namespace plinth::platform::x11
