#include "platform/win32/centred_message_box.h"

#include <string_view>

#include "platform/common/text_wrap.h"

namespace plinth::platform::win32 {
namespace {

// Watches the thread's window procedures until the box has laid itself out
// (WM_INITDIALOG), then sizes and moves it. Boxes of one thread are created
// one at a time, so one hook per thread suffices.
thread_local HHOOK centring_hook = nullptr;
thread_local int box_percent = 100;
thread_local HFONT box_font = nullptr;  // the message font at box_percent

// The system's message font at `percent` of its size; the caller deletes it.
HFONT MessageFont(int percent) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, percent, 100);
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

// Every part of the box and the box itself at `percent` of the size the
// system gave them, from the top-left corner of its client area.
void Enlarge(HWND box, int percent, HFONT font) {
  for (HWND part = GetWindow(box, GW_CHILD); part != nullptr; part = GetWindow(part, GW_HWNDNEXT)) {
    RECT place;
    GetWindowRect(part, &place);
    MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
    MoveWindow(part, MulDiv(place.left, percent, 100), MulDiv(place.top, percent, 100),
               MulDiv(place.right - place.left, percent, 100),
               MulDiv(place.bottom - place.top, percent, 100), FALSE);
    SendMessageA(part, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  RECT client;
  GetClientRect(box, &client);
  RECT outer{0, 0, MulDiv(client.right, percent, 100), MulDiv(client.bottom, percent, 100)};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(box, GWL_EXSTYLE)));
  SetWindowPos(box, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  InvalidateRect(box, nullptr, TRUE);
}

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
      if (box_percent != 100 && box_font != nullptr) Enlarge(call->hwnd, box_percent, box_font);
      CentreOnScreen(call->hwnd);
      UnhookWindowsHookEx(centring_hook);
      centring_hook = nullptr;
    }
  }
  return CallNextHookEx(hook, code, wparam, lparam);
}

}  // namespace

std::string FittedMessageText(const std::string& text, int percent) {
  HFONT font = MessageFont(percent);
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

int CentredMessageBox(HWND owner, const std::string& text, const char* title, UINT type,
                      int percent) {
  if (centring_hook == nullptr) {
    centring_hook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, CentreAfterLayout, nullptr, GetCurrentThreadId());
  }
  box_percent = percent;
  box_font = percent != 100 ? MessageFont(percent) : nullptr;
  const int result = MessageBoxA(owner, FittedMessageText(text, percent).c_str(), title, type);
  if (centring_hook != nullptr) {  // no box was shown
    UnhookWindowsHookEx(centring_hook);
    centring_hook = nullptr;
  }
  if (box_font != nullptr) DeleteObject(box_font);  // the box is gone
  box_font = nullptr;
  box_percent = 100;
  return result;
}

}  // namespace plinth::platform::win32
