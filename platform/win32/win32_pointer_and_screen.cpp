#include "platform/win32/win32_pointer_and_screen.h"

#include "platform/win32/os_error.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

std::optional<OsError> Win32PointerControl::SetCursorPos(Point screen_point) {
  if (::SetCursorPos(screen_point.x, screen_point.y)) return std::nullopt;
  return LastOsError();
}

Size Win32ScreenInfo::PrimaryScreenSize() {
  return {.width = GetSystemMetrics(SM_CXSCREEN), .height = GetSystemMetrics(SM_CYSCREEN)};
}

namespace {

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC /*dc*/, LPRECT /*clip*/, LPARAM monitors) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(monitor, &info) == 0) return TRUE;
  const RECT& r = info.rcMonitor;
  auto& list = *reinterpret_cast<std::vector<Rect>*>(monitors);
  const Rect rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
  if ((info.dwFlags & MONITORINFOF_PRIMARY) != 0) {
    list.insert(list.begin(), rect);
  } else {
    list.push_back(rect);
  }
  return TRUE;
}

}  // namespace

std::vector<Rect> Win32ScreenInfo::Monitors() {
  std::vector<Rect> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  // The primary monitor is the one at the origin, of the screen's size.
  if (monitors.empty()) {
    const Size size = PrimaryScreenSize();
    monitors.push_back({0, 0, size.width, size.height});
  }
  return monitors;
}

int Win32ScreenInfo::DotsPerInch() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 96;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

}  // namespace plinth::platform::win32
