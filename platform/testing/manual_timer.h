#pragma once

// A clock that moves only when the test says, and timers that tick as the
// clock passes their due times. Timers made from one another share one
// clock, and ticks of all of them come in the order of their due times.

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace plinth::test_platform {

class ManualTimer final : public platform::Timer {
 public:
  using Milliseconds = std::chrono::milliseconds;

  ManualTimer() : clock_(std::make_shared<Clock>()) { clock_->timers.push_back(this); }
  // A timer on the clock of `other`.
  explicit ManualTimer(ManualTimer& other) : clock_(other.clock_) {
    clock_->timers.push_back(this);
  }
  ManualTimer(const ManualTimer&) = delete;
  ManualTimer& operator=(const ManualTimer&) = delete;
  ~ManualTimer() override { std::erase(clock_->timers, this); }

  Milliseconds Now() override { return clock_->now; }
  void Start(Milliseconds interval, std::function<void()> tick) override {
    interval_ = interval;
    tick_ = std::move(tick);
    due_ = clock_->now + interval;
    running_ = true;
  }
  void Stop() override { running_ = false; }

  // Moves the clock on by `span`, ticking every timer of the clock at each
  // of its due times on the way.
  void Advance(Milliseconds span) {
    const Milliseconds end = clock_->now + span;
    while (ManualTimer* next = clock_->NextDue(end)) {
      clock_->now = next->due_;
      next->due_ += next->interval_;
      const std::function<void()> tick = next->tick_;  // the tick may restart the timer
      tick();
    }
    clock_->now = end;
  }
  bool running() const { return running_; }
  // When the timer ticks next; only while it runs.
  Milliseconds due() const { return due_; }

 private:
  struct Clock {
    Milliseconds now{1000};
    std::vector<ManualTimer*> timers;
    ManualTimer* NextDue(Milliseconds end) const {
      ManualTimer* next = nullptr;
      for (ManualTimer* timer : timers) {
        if (timer->running_ && timer->due_ <= end &&
            (next == nullptr || timer->due_ < next->due_)) {
          next = timer;
        }
      }
      return next;
    }
  };

  std::shared_ptr<Clock> clock_;
  Milliseconds interval_{0};
  Milliseconds due_{0};
  std::function<void()> tick_;
  bool running_ = false;
};

}  // namespace plinth::test_platform
