#pragma once

// The application and the timer services on the Wayland event loop.

#include <chrono>
#include <functional>
#include <string>

#include "platform/platform.h"
#include "platform/wayland/event_loop.h"

namespace plinth::platform::wayland {

class LoopApplication final : public Application {
 public:
  explicit LoopApplication(EventLoop& loop) : loop_(loop) {}
  void Terminate() override { loop_.End(); }
  // Runs until Terminate(), a termination signal, or the compositor goes.
  int Run() override;
  // "plinth: " and the text in UTF-8.
  void ReportOnStandardError(const std::string& text) override;

 private:
  EventLoop& loop_;
};

// A repeating timer of its own (a timerfd the loop watches), so that
// dwell click and switch scanning each have one.
class LoopTimer final : public Timer {
 public:
  explicit LoopTimer(EventLoop& loop);
  ~LoopTimer() override;
  LoopTimer(const LoopTimer&) = delete;
  LoopTimer& operator=(const LoopTimer&) = delete;
  std::chrono::milliseconds Now() override;
  void Start(std::chrono::milliseconds interval, std::function<void()> tick) override;
  void Stop() override;

 private:
  void Expired();

  EventLoop& loop_;
  int fd_ = -1;
  std::function<void()> tick_;
};

}  // namespace plinth::platform::wayland
