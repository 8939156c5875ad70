#pragma once

// The mouse pointer and the screens on Windows.

#include "platform/platform.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class Win32PointerControl final : public PointerControl {
 public:
  // SetCursorPos; a refusal comes back with the system's error code and text.
  std::optional<OsError> SetCursorPos(Point screen_point) override;
};

class Win32ScreenInfo final : public ScreenInfo {
 public:
  // `keyboard` is the keyboard's window: its monitor is the one measured.
  explicit Win32ScreenInfo(HWND keyboard) : keyboard_(keyboard) {}

  // GetSystemMetrics with SM_CXSCREEN and SM_CYSCREEN.
  Size PrimaryScreenSize() override;
  // EnumDisplayMonitors, the primary monitor first.
  std::vector<Rect> Monitors() override;
  // The resolution of the keyboard's monitor: GetDpiForWindow where the
  // system has it, else GetDpiForMonitor, else the system's (LOGPIXELSY).
  int DotsPerInch() override;
  // The work area of the keyboard's monitor.
  Rect WorkArea() override;

 private:
  HWND keyboard_;
};

}  // namespace plinth::platform::win32
