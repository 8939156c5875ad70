#include "platform/win32/scan_frame.h"

#include "platform/win32/object_window.h"

namespace plinth::platform::win32 {

void ScanFrame::Show(HWND parent, RECT area, int width, Rgb colour) {
  if (parent != parent_) Hide();
  parent_ = parent;
  colour_ = RGB(colour.red, colour.green, colour.blue);
  RegisterObjectClass(kClassName, ObjectWindowProc<ScanFrame>, 0, -1);
  const int w = area.right - area.left;
  const int h = area.bottom - area.top;
  const std::array<RECT, 4> sides{{
      {area.left, area.top, w, width},             // top
      {area.left, area.bottom - width, w, width},  // bottom
      {area.left, area.top, width, h},             // left
      {area.right - width, area.top, width, h},    // right
  }};
  for (std::size_t i = 0; i < sides_.size(); ++i) {
    const RECT& side = sides[i];  // left, top, width, height
    if (sides_[i] == nullptr) {
      sides_[i] = CreateWindowExA(0, kClassName, "", WS_CHILD | WS_CLIPSIBLINGS, side.left,
                                  side.top, side.right, side.bottom, parent, nullptr,
                                  GetModuleHandleA(nullptr), this);
    }
    SetWindowPos(sides_[i], HWND_TOP, side.left, side.top, side.right, side.bottom,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(sides_[i], nullptr, TRUE);
  }
}

void ScanFrame::Hide() {
  for (HWND& side : sides_) {
    if (side != nullptr && IsWindow(side)) DestroyWindow(side);
    side = nullptr;
  }
  parent_ = nullptr;
}

LRESULT ScanFrame::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      HBRUSH brush = CreateSolidBrush(colour_);
      FillRect(reinterpret_cast<HDC>(wparam), &client, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace plinth::platform::win32
