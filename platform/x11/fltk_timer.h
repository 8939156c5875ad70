#pragma once

// The clock and the repeating timer on FLTK's event loop; the timer also
// ticks while a dialog runs its own loop.

#include "platform/platform.h"

namespace plinth::platform::x11 {

class FltkTimer final : public Timer {
 public:
  FltkTimer() = default;
  FltkTimer(const FltkTimer&) = delete;
  FltkTimer& operator=(const FltkTimer&) = delete;
  ~FltkTimer() override { Stop(); }

  std::chrono::milliseconds Now() override;
  void Start(std::chrono::milliseconds interval, std::function<void()> tick) override;
  void Stop() override;

 private:
  static void Fire(void* timer);

  double interval_seconds_ = 0;
  std::function<void()> tick_;
};

}  // namespace plinth::platform::x11
