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

}  // namespace plinth::platform::win32
