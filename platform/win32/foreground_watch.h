#pragma once

// Tells when another program's window becomes the foreground window,
// through a WinEvent hook on EVENT_SYSTEM_FOREGROUND that the system calls
// from this thread's message loop. The keyboard's own message boxes, which
// take the foreground for a while, are no news, and neither is the window
// that gets it back after them.

#include <functional>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class ForegroundWatch {
 public:
  // One watch a thread.
  explicit ForegroundWatch(std::function<void()> moved);
  ~ForegroundWatch();
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;

 private:
  static void CALLBACK SawForeground(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                     LONG child, DWORD thread, DWORD time);

  std::function<void()> moved_;
  HWINEVENTHOOK hook_ = nullptr;
  HWND foreground_ = nullptr;  // the last foreground window of another program
};

}  // namespace plinth::platform::win32
