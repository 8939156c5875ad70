#include "platform/win32/win32_timer.h"

#include <map>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {
namespace {

// A thread timer's procedure gets no pointer of ours: the running timers
// are found here by their ids.
std::map<UINT_PTR, std::function<void()>*> running;

void CALLBACK Fire(HWND /*window*/, UINT /*message*/, UINT_PTR id, DWORD /*time*/) {
  const auto found = running.find(id);
  if (found == running.end()) return;
  const std::function<void()> tick = *found->second;  // the tick may stop the timer
  tick();
}

}  // namespace

std::chrono::milliseconds Win32Timer::Now() { return std::chrono::milliseconds{GetTickCount64()}; }

void Win32Timer::Start(std::chrono::milliseconds interval, std::function<void()> tick) {
  Stop();
  tick_ = std::move(tick);
  id_ = SetTimer(nullptr, 0, static_cast<UINT>(interval.count()), Fire);
  if (id_ == 0) return;
  running[id_] = &tick_;
}

void Win32Timer::Stop() {
  if (id_ == 0) return;
  KillTimer(nullptr, id_);
  running.erase(id_);
  id_ = 0;
}

}  // namespace plinth::platform::win32
