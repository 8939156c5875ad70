#include "platform/win32/object_window.h"

namespace plinth::platform::win32 {

void RegisterObjectClass(const char* name, WNDPROC procedure, UINT style, int background,
                         HICON icon, HICON small_icon) {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, name, &existing)) return;

  WNDCLASSEXA window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.style = style;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hIcon = icon;
  window_class.hIconSm = small_icon;
  window_class.hbrBackground =
      background < 0 ? nullptr : reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(background) + 1);
  window_class.lpszClassName = name;
  RegisterClassExA(&window_class);
}

}  // namespace plinth::platform::win32
