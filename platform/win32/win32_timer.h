#pragma once

// The clock and the repeating timer as a thread timer (SetTimer); message
// boxes dispatch its ticks too while they run their own loop.

#include <cstdint>

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32Timer final : public Timer {
 public:
  Win32Timer() = default;
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;
  ~Win32Timer() override { Stop(); }

  std::chrono::milliseconds Now() override;
  void Start(std::chrono::milliseconds interval, std::function<void()> tick) override;
  void Stop() override;

 private:
  std::uintptr_t id_ = 0;
  std::function<void()> tick_;
};

}  // namespace plinth::platform::win32
