// The application typed into by the end-to-end test: a plain window that
// takes the focus and writes every key message it receives, and every loss
// of the focus, to a log file, one line each:
//
//   ready                    the window is shown and has the focus
//   down 41 / up 41          WM_KEYDOWN / WM_KEYUP with the virtual-key code
//   sysdown 12 / sysup 12    the same while Alt is held (WM_SYSKEY...)
//   char 61 / syschar 61     WM_CHAR / WM_SYSCHAR with the character code
//   ... ext                  the event carries the extended-key flag
//   focus lost / focus       WM_KILLFOCUS / WM_SETFOCUS after "ready"
//
// Codes are two-digit upper-case hexadecimal.
//
//   key_target.exe <log file>

#include <windows.h>

#include <cstdio>

namespace {

FILE* log_file = nullptr;
bool ready = false;

void Log(const char* what, WPARAM code, LPARAM flags) {
  const bool extended = (flags & (1 << 24)) != 0;
  std::fprintf(log_file, "%s %02X%s\n", what, static_cast<unsigned>(code & 0xFFFF),
               extended ? " ext" : "");
  std::fflush(log_file);
}

void LogLine(const char* line) {
  std::fprintf(log_file, "%s\n", line);
  std::fflush(log_file);
}

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_KEYDOWN:
      Log("down", wparam, lparam);
      return 0;
    case WM_KEYUP:
      Log("up", wparam, lparam);
      return 0;
    case WM_SYSKEYDOWN:  // kept from DefWindowProc: Alt+F4 or F10 would act
      Log("sysdown", wparam, lparam);
      return 0;
    case WM_SYSKEYUP:
      Log("sysup", wparam, lparam);
      return 0;
    case WM_CHAR:
      Log("char", wparam, lparam);
      return 0;
    case WM_SYSCHAR:
      Log("syschar", wparam, lparam);
      return 0;
    case WM_KILLFOCUS:
      LogLine("focus lost");
      return 0;
    case WM_SETFOCUS:
      if (ready) LogLine("focus");
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR command_line, int /*show*/) {
  log_file = std::fopen(command_line, "wb");  // plain line feeds
  if (log_file == nullptr) return 2;

  WNDCLASSA window_class{};
  window_class.lpfnWndProc = TargetProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = "PlinthKeyTarget";
  RegisterClassA(&window_class);
  HWND window = CreateWindowExA(0, "PlinthKeyTarget", "Plinth key target", WS_OVERLAPPEDWINDOW, 520,
                                40, 440, 300, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(window);

  // Ready once the focus has arrived, which under X takes a round trip.
  for (int i = 0; i < 200 && GetFocus() != window; ++i) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(10);
  }
  LogLine(GetFocus() == window ? "ready" : "no focus");
  ready = true;

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  std::fclose(log_file);
  return 0;
}
