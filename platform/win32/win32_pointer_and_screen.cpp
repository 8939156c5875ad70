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

namespace {

constexpr int kDefaultDpi = 96;

// A function of a system library that older systems lack, or nothing.
template <class Function>
Function SystemFunction(const char* library, const char* name) {
  HMODULE module = GetModuleHandleA(library);
  if (module == nullptr) module = LoadLibraryA(library);
  if (module == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int MonitorDpi(HMONITOR monitor) {
  using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI
  static const auto get_dpi_for_monitor =
      SystemFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
  UINT x = 0;
  UINT y = 0;
  if (get_dpi_for_monitor == nullptr || monitor == nullptr ||
      FAILED(get_dpi_for_monitor(monitor, kEffectiveDpi, &x, &y))) {
    return 0;
  }
  return static_cast<int>(y);
}

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return 0;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

int Win32ScreenInfo::DotsPerInch() {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window =
      SystemFunction<GetDpiForWindowFunction>("user32.dll", "GetDpiForWindow");
  int dpi = get_dpi_for_window != nullptr ? static_cast<int>(get_dpi_for_window(keyboard_)) : 0;
  if (dpi <= 0) dpi = MonitorDpi(MonitorFromWindow(keyboard_, MONITOR_DEFAULTTOPRIMARY));
  if (dpi <= 0) dpi = SystemDpi();
  return dpi > 0 ? dpi : kDefaultDpi;
}

Rect Win32ScreenInfo::WorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (GetMonitorInfoA(MonitorFromWindow(keyboard_, MONITOR_DEFAULTTOPRIMARY), &info) == 0) {
    return Monitors().front();
  }
  const RECT& r = info.rcWork;
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace plinth::platform::win32
