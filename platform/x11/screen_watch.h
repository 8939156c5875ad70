#pragma once

// Tells when the screen's size or its monitors change: a new resolution, a
// monitor plugged in or out, another primary monitor.

#include <functional>

#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class ScreenWatch {
 public:
  // `changed` runs from the event loop, once for a burst of changes. Needs
  // the FLTK display to be open.
  explicit ScreenWatch(std::function<void()> changed);
  ~ScreenWatch();
  ScreenWatch(const ScreenWatch&) = delete;
  ScreenWatch& operator=(const ScreenWatch&) = delete;

 private:
  static int SeeEvent(void* event, void* watch);
  static void Deliver(void* watch);

  std::function<void()> changed_;
  int randr_event_base_ = -1;
};

}  // namespace plinth::platform::x11
