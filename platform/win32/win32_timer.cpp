#include "platform/win32/win32_timer.h"

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

// A thread timer's procedure gets no pointer of ours: the one running timer
// is found here. The program has one timer.
UINT_PTR running_id = 0;
std::function<void()>* running_tick = nullptr;

void CALLBACK Fire(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  if (id != running_id || running_tick == nullptr) return;
  const std::function<void()> tick = *running_tick;  // the tick may stop the timer
  tick();
}

}  // namespace

std::chrono::milliseconds Win32Timer::Now() { return std::chrono::milliseconds{GetTickCount64()}; }

void Win32Timer::Start(std::chrono::milliseconds interval, std::function<void()> tick) {
  Stop();
  tick_ = std::move(tick);
  id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval.count()), Fire);
  if (id_ == 0) return;
  running_id = id_;
  running_tick = &tick_;
}

void Win32Timer::Stop() {
  if (id_ == 0) return;
  KillTimer(nullptr, id_);
  if (running_id == id_) {
    running_id = 0;
    running_tick = nullptr;
  }
  id_ = 0;
}

}  // namespace plinth::platform::win32
