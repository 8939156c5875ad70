#pragma once

// Watches the pointer over every window of this thread, the message boxes
// included, through a hook on the messages the thread takes from its queue:
// each movement, and the pointer leaving a window, is reported with the
// window now under the pointer. The windows keep their own handling of the
// pointer, so nothing about activation or clicks changes.

#include <functional>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class PointerWatch {
 public:
  // `moved` gets the window under the pointer (of any process, or null) and
  // the pointer's screen point.
  using Moved = std::function<void(HWND under, POINT screen)>;

  // One watch a thread at a time.
  explicit PointerWatch(Moved moved);
  ~PointerWatch();
  PointerWatch(const PointerWatch&) = delete;
  PointerWatch& operator=(const PointerWatch&) = delete;

 private:
  static LRESULT CALLBACK SawMessage(int code, WPARAM wparam, LPARAM lparam);
  void Saw(const MSG& message);

  Moved moved_;
  HHOOK hook_ = nullptr;
};

}  // namespace plinth::platform::win32
