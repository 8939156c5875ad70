// The floor for Plinth.exe's start-up under Wine: a Win32 program that
// registers a class, creates one tool window of the keyboard's size with a
// caption and shows it, doing nothing else. Built by bench/win32_startup.sh
// with the mingw-w64 compiler.

#include <windows.h>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

// The window's title is "Minimal", or the command line when one is given.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR command_line, int /*show*/) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = "MinimalWindow";
  RegisterClassA(&window_class);
  HWND window =
      CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, "MinimalWindow",
                      *command_line != '\0' ? command_line : "Minimal", WS_CAPTION | WS_SYSMENU,
                      194, 250, 240, 260, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
