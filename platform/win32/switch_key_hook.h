#pragma once

// The switch keys of scanning, held for the keyboard alone: a low-level
// keyboard hook swallows their presses and releases, whatever window has
// the focus, and posts each one to the keyboard window. The hook's
// procedure runs inside the system's input path and must never block: it
// only posts a message and returns.

#include <cstdint>
#include <vector>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class SwitchKeyHook {
 public:
  // Posts `message` to `target` for each switch key event: WPARAM the
  // virtual-key code, LPARAM 1 for a press and 0 for a release.
  SwitchKeyHook(HWND target, UINT message);
  // Removes the hook.
  ~SwitchKeyHook();
  SwitchKeyHook(const SwitchKeyHook&) = delete;
  SwitchKeyHook& operator=(const SwitchKeyHook&) = delete;

  // Swallows the keys of `codes` instead of those before; an empty list
  // removes the hook. False when the system refused the hook.
  bool Set(const std::vector<std::uint16_t>& codes);
  bool hooked() const { return hook_ != nullptr; }

 private:
  HHOOK hook_ = nullptr;
};

}  // namespace plinth::platform::win32
