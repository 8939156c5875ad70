#include "platform/x11/fltk_timer.h"

#include <FL/Fl.H>

namespace plinth::platform::x11 {

std::chrono::milliseconds FltkTimer::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

void FltkTimer::Start(std::chrono::milliseconds interval, std::function<void()> tick) {
  Stop();
  interval_seconds_ = static_cast<double>(interval.count()) / 1000.0;
  tick_ = std::move(tick);
  Fl::add_timeout(interval_seconds_, Fire, this);
}

void FltkTimer::Stop() { Fl::remove_timeout(Fire, this); }

void FltkTimer::Fire(void* timer) {
  auto* self = static_cast<FltkTimer*>(timer);
  // Rearmed first: the tick may stop or restart the timer.
  Fl::repeat_timeout(self->interval_seconds_, Fire, self);
  const std::function<void()> tick = self->tick_;
  tick();
}

}  // namespace plinth::platform::x11
