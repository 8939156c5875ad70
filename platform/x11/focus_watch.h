#pragma once

// Tells when another window becomes the active one, as the window manager
// announces it in the root window's _NET_ACTIVE_WINDOW. Without a window
// manager that announces it, nothing is told.

#include <functional>

#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class FocusWatch {
 public:
  // `moved` runs from the event loop when the active window changed. Needs
  // the FLTK display to be open.
  explicit FocusWatch(std::function<void()> moved);
  ~FocusWatch();
  FocusWatch(const FocusWatch&) = delete;
  FocusWatch& operator=(const FocusWatch&) = delete;

 private:
  static int SeeEvent(void* event, void* watch);
  // The window _NET_ACTIVE_WINDOW names now; 0 for none.
  unsigned long ActiveWindow() const;

  std::function<void()> moved_;
  unsigned long active_window_atom_ = 0;
  unsigned long active_ = 0;
};

}  // namespace plinth::platform::x11
