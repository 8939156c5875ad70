#include "platform/win32/centred_message_box.h"

#include <string_view>

#include "platform/common/text_wrap.h"

namespace plinth::platform::win32 {
namespace {

// Watches the thread's window procedures until the box has laid itself out
// (WM_INITDIALOG), then moves it. Boxes of one thread are created one at a
// time, so one hook per thread suffices.
thread_local HHOOK centring_hook = nullptr;

void CentreOnScreen(HWND window) {
  RECT frame;
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK CentreAfterLayout(int code, WPARAM wparam, LPARAM lparam) {
  HHOOK hook = centring_hook;
  if (code == HC_ACTION) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lparam);
    char class_name[16] = {};
    if (call->message == WM_INITDIALOG &&
        GetClassNameA(call->hwnd, class_name, sizeof class_name) &&
        lstrcmpA(class_name, "#32770") == 0) {  // the dialog class of message boxes
      CentreOnScreen(call->hwnd);
      UnhookWindowsHookEx(centring_hook);
      centring_hook = nullptr;
    }
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

std::string FittedMessageText(const std::string& text) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfMessageFont);
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font);
  const auto width = [screen](std::string_view piece) {
    SIZE size{};
    GetTextExtentPoint32A(screen, piece.data(), static_cast<int>(piece.size()), &size);
    return static_cast<double>(size.cx);
  };
  std::string fitted = WrapText(text, GetSystemMetrics(SM_CXSCREEN) / 2.0, width);
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  DeleteObject(font);
  return fitted;
}

int CentredMessageBox(HWND owner, const std::string& text, const char* title, UINT type) {
  if (centring_hook == nullptr) {
    centring_hook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, CentreAfterLayout, nullptr, GetCurrentThreadId());
  }
  const int result = MessageBoxA(owner, FittedMessageText(text).c_str(), title, type);
  if (centring_hook != nullptr) {  // no box was shown
    UnhookWindowsHookEx(centring_hook);
    centring_hook = nullptr;
  }
  return result;
}

}  // namespace plinth::platform::win32
