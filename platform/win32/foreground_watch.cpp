#include "platform/win32/foreground_watch.h"

#include <utility>

namespace plinth::platform::win32 {
namespace {

ForegroundWatch* watch_of_thread = nullptr;

bool OfThisProgram(HWND window) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process == GetCurrentProcessId();
}

}  // namespace

ForegroundWatch::ForegroundWatch(std::function<void()> moved)
    : moved_(std::move(moved)), foreground_(GetForegroundWindow()) {
  watch_of_thread = this;
  hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, SawForeground,
                          0, 0, WINEVENT_OUTOFCONTEXT);
}

ForegroundWatch::~ForegroundWatch() {
  if (hook_ != nullptr) UnhookWinEvent(hook_);
  if (watch_of_thread == this) watch_of_thread = nullptr;
}

void CALLBACK ForegroundWatch::SawForeground(HWINEVENTHOOK /*hook*/, DWORD /*event*/, HWND window,
                                             LONG /*object*/, LONG /*child*/, DWORD /*thread*/,
                                             DWORD /*time*/) {
  ForegroundWatch* self = watch_of_thread;
  if (self == nullptr || window == nullptr || window == self->foreground_ || OfThisProgram(window))
    return;
  self->foreground_ = window;
  self->moved_();
}

}  // namespace plinth::platform::win32
