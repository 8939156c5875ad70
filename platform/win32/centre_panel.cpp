#include "platform/win32/centre_panel.h"

#include <windowsx.h>

#include "platform/win32/dwell_bar.h"
#include "platform/win32/object_window.h"

namespace plinth::platform::win32 {

CentrePanel::CentrePanel(HWND parent, RECT placement, PanelHandlers handlers)
    : handlers_(std::move(handlers)) {
  RegisterObjectClass(kClassName, ObjectWindowProc<CentrePanel>, CS_DBLCLKS, -1);
  window_ = CreateWindowExA(
      0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
      placement.left, placement.top, placement.right - placement.left,
      placement.bottom - placement.top, parent, nullptr, GetModuleHandleA(nullptr), this);
}

COLORREF CentrePanel::StateColour(PanelState state) {
  switch (state) {
    case PanelState::Hover:
      return RGB(0, 128, 128);
    case PanelState::Armed:
      return RGB(0, 0, 0);
    case PanelState::Idle:
      break;
  }
  return GetSysColor(COLOR_BTNFACE);
}

void CentrePanel::SetState(PanelState state) { RepaintOnChange(window_, state_, state); }

void CentrePanel::SetDwellProgress(int permille, const DwellBarLook& look) {
  RepaintOnChange(window_, dwell_bar_look_, look);
  RepaintOnChange(window_, dwell_permille_, permille);
}

void CentrePanel::SetArmedFrame(int width) { RepaintOnChange(window_, armed_frame_, width); }

LRESULT CentrePanel::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto paint = [this](HDC dc) { Paint(dc); };
  if (const auto result = HandlePaintMessage(window, message, wparam, paint)) return *result;
  switch (message) {
    case WM_MOUSEMOVE:
      if (handlers_.pointer_moved) handlers_.pointer_moved();
      return 0;
    case WM_LBUTTONDOWN:
      press_is_click_ = true;
      SetCapture(window);
      return 0;
    case WM_LBUTTONDBLCLK:  // the second press of a double-click
      press_is_click_ = false;
      SetCapture(window);
      return 0;
    case WM_LBUTTONUP: {
      if (GetCapture() != window) return 0;
      RECT client;
      GetClientRect(window, &client);
      const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      const bool click = press_is_click_ && PtInRect(&client, point);
      press_is_click_ = false;
      ReleaseCapture();
      if (click && handlers_.clicked) handlers_.clicked();
      return 0;
    }
    case WM_CAPTURECHANGED:
      press_is_click_ = false;
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void CentrePanel::Paint(HDC dc) const {
  RECT client;
  GetClientRect(window_, &client);
  HBRUSH brush = CreateSolidBrush(StateColour(state_));
  FillRect(dc, &client, brush);
  DeleteObject(brush);
  if (state_ == PanelState::Armed) {
    // A pixel in from the border, as wide as asked.
    RECT frame = client;
    InflateRect(&frame, -1, -1);
    for (int ring = 0; ring < armed_frame_; ++ring) {
      FrameRect(dc, &frame, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&frame, -1, -1);
    }
  }
  DrawDwellBar(dc, client, dwell_permille_, dwell_bar_look_);
}

}  // namespace plinth::platform::win32
