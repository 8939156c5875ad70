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

// The frame the window manager reports for one window, kept until it tells
// of a change: the frame property changes, or the window is mapped,
// unmapped or put into another frame. Each read is a round trip, and the
// keyboard asks after every click. Needs the FLTK display to be open.
class ReportedFrame {
 public:
  ReportedFrame();
  ~ReportedFrame();
  ReportedFrame(const ReportedFrame&) = delete;
  ReportedFrame& operator=(const ReportedFrame&) = delete;

  // What ReadFrameExtents gives for `window` now.
  std::optional<FrameExtents> Of(Window window);

 private:
  static int SeeEvent(void* event, void* self);

  Atom frame_extents_;
  Window window_ = None;  // whose frame is known
  std::optional<FrameExtents> frame_;
};

// The frame the window manager would give a keyboard window of the given
// client size, asked before the keyboard is mapped. Without a window manager
// that answers, the frame is empty.
FrameExtents ProbeKeyboardFrame(Display* display, int client_width, int client_height);

}  // namespace plinth::platform::x11
