#pragma once

// The mouse pointer and the primary screen on Windows.

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32PointerControl final : public PointerControl {
 public:
  // SetCursorPos; a refusal comes back with the system's error code and text.
  std::optional<OsError> SetCursorPos(Point screen_point) override;
};

class Win32ScreenInfo final : public ScreenInfo {
 public:
  // GetSystemMetrics with SM_CXSCREEN and SM_CYSCREEN.
  Size PrimaryScreenSize() override;
  // EnumDisplayMonitors, the primary monitor first.
  std::vector<Rect> Monitors() override;
  // The screen's logical resolution (LOGPIXELSY).
  int DotsPerInch() override;
};

}  // namespace plinth::platform::win32
