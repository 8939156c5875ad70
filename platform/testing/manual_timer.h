#pragma once

// A clock that moves only when the test says, and a timer that ticks as the
// clock passes its due times.

#include <chrono>
#include <functional>
#include <utility>

#include "platform/platform.h"

namespace plinth::test_platform {

class ManualTimer final : public platform::Timer {
 public:
  using Milliseconds = std::chrono::milliseconds;

  Milliseconds Now() override { return now_; }
  void Start(Milliseconds interval, std::function<void()> tick) override {
    interval_ = interval;
    tick_ = std::move(tick);
    due_ = now_ + interval;
    running_ = true;
  }
  void Stop() override { running_ = false; }

  // Moves the clock on by `span`, ticking at every due time on the way.
  void Advance(Milliseconds span) {
    const Milliseconds end = now_ + span;
    while (running_ && due_ <= end) {
      now_ = due_;
      due_ += interval_;
      const std::function<void()> tick = tick_;  // the tick may restart the timer
      tick();
    }
    now_ = end;
  }
  bool running() const { return running_; }

 private:
  Milliseconds now_{1000};
  Milliseconds interval_{0};
  Milliseconds due_{0};
  std::function<void()> tick_;
  bool running_ = false;
};

}  // namespace plinth::test_platform
