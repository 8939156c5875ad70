#pragma once

// Watches the pointer over every window of this thread, the message boxes
// included, through a hook on the messages the thread takes from its queue:
// each movement, and the pointer leaving a window, is reported with the
// window now under the pointer; each press and release of the left, middle
// or right mouse button as it is taken from the queue, so a release is
// reported before the click it makes. The windows keep their own handling
// of the pointer, so nothing about activation or clicks changes.
//
// A pointer that comes back from another program's window to the very
// point where it left brings no movement message under Wine, which saw it
// last there. While returns are watched, a pointer away from our windows
// is therefore looked for ten times a second until it is back.

#include <functional>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class PointerWatch {
 public:
  struct Handlers {
    // The window under the pointer (of any process, or null) and the
    // pointer's screen point.
    std::function<void(HWND under, POINT screen)> moved;
    std::function<void()> pressed;
    // Where the pointer is as the button comes up.
    std::function<void(POINT screen)> released;
  };

  // The newest watch of a thread reports; when it ends, the one before it
  // reports again.
  explicit PointerWatch(Handlers handlers);
  ~PointerWatch();
  PointerWatch(const PointerWatch&) = delete;
  PointerWatch& operator=(const PointerWatch&) = delete;

  // Whether a pointer away from our windows is looked for; off at first.
  void WatchReturns(bool on);

 private:
  static LRESULT CALLBACK SawMessage(int code, WPARAM wparam, LPARAM lparam);
  static void CALLBACK LookForReturn(HWND window, UINT message, UINT_PTR id, DWORD time);
  void Saw(const MSG& message);
  // Reports where the pointer is now; true when it is over a window of ours.
  bool Report();
  void StopLooking();

  Handlers handlers_;
  PointerWatch* previous_;  // the thread's watch before this one
  HHOOK hook_ = nullptr;
  bool watch_returns_ = false;
  UINT_PTR looking_ = 0;  // the thread timer that looks for a return
};

}  // namespace plinth::platform::win32
