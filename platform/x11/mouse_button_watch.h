#pragma once

// Tells of every press and release of the left, middle or right mouse
// button on a window of this program (the keyboard, its dialogs, its popup
// menu) before FLTK hands the event to a widget, so that a release is told
// before the click it makes. The wheel, which X reports as buttons 4 to 7,
// and further buttons are not told.

#include <functional>

#include "platform/platform.h"

namespace plinth::platform::x11 {

class MouseButtonWatch {
 public:
  // `released` gets the screen point where the button came up. Needs the
  // FLTK display to be open.
  MouseButtonWatch(std::function<void()> pressed, std::function<void(Point)> released);
  ~MouseButtonWatch();
  MouseButtonWatch(const MouseButtonWatch&) = delete;
  MouseButtonWatch& operator=(const MouseButtonWatch&) = delete;

 private:
  static int SeeEvent(void* event, void* watch);

  std::function<void()> pressed_;
  std::function<void(Point)> released_;
};

}  // namespace plinth::platform::x11
