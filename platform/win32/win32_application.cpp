#include "platform/win32/win32_application.h"

#include <cstdio>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

void Win32Application::Terminate() { PostQuitMessage(0); }

int Win32Application::Run() {
  MSG message{};
  BOOL result = 0;
  while ((result = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return result < 0 ? 1 : static_cast<int>(message.wParam);
}

void Win32Application::ReportOnStandardError(const std::string& text) {
  std::fprintf(stderr, "Plinth: %s\n", text.c_str());
  std::fflush(stderr);
}

}  // namespace plinth::platform::win32
