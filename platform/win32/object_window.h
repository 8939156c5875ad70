#pragma once

// Window classes of our own whose messages go to a C++ object: the object
// is handed over in CreateWindowExA's creation data and kept in the
// window's user data until the window is gone.

#include <optional>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// T has `LRESULT HandleMessage(HWND, UINT, WPARAM, LPARAM)`.
template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lparam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* object = reinterpret_cast<T*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
  if (object == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  return object->HandleMessage(window, message, wparam, lparam);
}

// Registers a window class once per process; later calls do nothing.
// `background` is a system colour index, or -1 for a class that paints all
// of itself; a top-level window's class has icons for its caption and the
// task bar.
void RegisterObjectClass(const char* name, WNDPROC procedure, UINT style, int background,
                         HICON icon = nullptr, HICON small_icon = nullptr);

// Paints through an off-screen bitmap, so a repaint never flickers.
// `paint` draws the whole client area into the device context it is given.
template <class Paint>
void PaintBuffered(HWND window, Paint&& paint) {
  PAINTSTRUCT ps;
  HDC screen = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  if (memory != nullptr && bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    paint(memory);
    BitBlt(screen, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
  } else {
    paint(screen);
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  if (memory != nullptr) DeleteDC(memory);
  EndPaint(window, &ps);
}

// Stores `value` in `field` and has `window` painted again, when it differs.
template <class T>
void RepaintOnChange(HWND window, T& field, const T& value) {
  if (field == value) return;
  field = value;
  InvalidateRect(window, nullptr, FALSE);
}

// The paint messages of a class that paints all of its client area with
// `paint`: no background erase (the paint covers it), buffered WM_PAINT, and
// WM_PRINTCLIENT into the device context it brings. The message's result,
// or nothing for any other message.
template <class Paint>
std::optional<LRESULT> HandlePaintMessage(HWND window, UINT message, WPARAM wparam, Paint&& paint) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintBuffered(window, paint);
      return 0;
    case WM_PRINTCLIENT:
      paint(reinterpret_cast<HDC>(wparam));
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace plinth::platform::win32
