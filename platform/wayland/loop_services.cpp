#include "platform/wayland/loop_services.h"

#include <sys/timerfd.h>
#include <unistd.h>

#include <cstdint>
#include <iostream>

#include "platform/common/windows1252.h"

namespace plinth::platform::wayland {

int LoopApplication::Run() {
  loop_.RunUntil([] { return false; });
  return 0;
}

void LoopApplication::ReportOnStandardError(const std::string& text) {
  std::cerr << "plinth: " << Cp1252ToUtf8(text) << std::endl;
}

LoopTimer::LoopTimer(EventLoop& loop)
    : loop_(loop), fd_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)) {
  if (fd_ >= 0) loop_.Watch(fd_, [this] { Expired(); });
}

LoopTimer::~LoopTimer() {
  if (fd_ < 0) return;
  loop_.Unwatch(fd_);
  close(fd_);
}

void LoopTimer::Start(std::chrono::milliseconds interval, std::function<void()> tick) {
  tick_ = std::move(tick);
  const auto count = interval.count() > 0 ? interval.count() : 1;
  itimerspec spec{};
  spec.it_interval.tv_sec = static_cast<time_t>(count / 1000);
  spec.it_interval.tv_nsec = static_cast<long>((count % 1000) * 1000000);
  spec.it_value = spec.it_interval;
  timerfd_settime(fd_, 0, &spec, nullptr);
}

void LoopTimer::Stop() {
  tick_ = nullptr;
  const itimerspec off{};
  timerfd_settime(fd_, 0, &off, nullptr);
}

void LoopTimer::Expired() {
  std::uint64_t expirations = 0;
  if (read(fd_, &expirations, sizeof expirations) <= 0) return;
  // The tick may start or stop the timer: it runs from a copy.
  const std::function<void()> tick = tick_;
  if (tick) tick();
}

std::chrono::milliseconds LoopTimer::Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace plinth::platform::wayland
