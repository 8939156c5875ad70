#include "platform/win32/grid_button.h"

#include <windowsx.h>

#include <string>

#include "platform/win32/object_window.h"

namespace plinth::platform::win32 {
namespace {

constexpr COLORREF kPurple = RGB(128, 0, 128);

}  // namespace

GridButton::GridButton(HWND parent, RECT placement, const std::string& caption, HFONT font,
                       std::function<void()> on_click)
    : font_(font), on_click_(std::move(on_click)), caption_(caption) {
  RegisterObjectClass(kClassName, ObjectWindowProc<GridButton>, CS_HREDRAW | CS_VREDRAW, -1);
  window_ = CreateWindowExA(0, kClassName, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                            placement.left, placement.top, placement.right - placement.left,
                            placement.bottom - placement.top, parent, nullptr,
                            GetModuleHandleA(nullptr), this);
}

void GridButton::SetCaption(const std::string& caption) {
  if (caption == caption_) return;  // unchanged: no repaint
  caption_ = caption;
  SetWindowTextA(window_, caption_.c_str());  // for tools that read window texts
  InvalidateRect(window_, nullptr, FALSE);
}

void GridButton::SetFont(HFONT font) {
  font_ = font;
  InvalidateRect(window_, nullptr, FALSE);
}

void GridButton::SetFontColour(FontColour colour) {
  if (colour == colour_) return;
  colour_ = colour;
  InvalidateRect(window_, nullptr, FALSE);
}

bool GridButton::PointerInside(LPARAM lparam) const {
  RECT client;
  GetClientRect(window_, &client);
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  return PtInRect(&client, point) != FALSE;
}

void GridButton::SetPressed(bool pressed) {
  if (pressed == pressed_) return;
  pressed_ = pressed;
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT GridButton::HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto paint = [this](HDC dc) { Paint(dc); };
  if (const auto result = HandlePaintMessage(window, message, wparam, paint)) return *result;
  switch (message) {
    case WM_LBUTTONDOWN:
      tracking_ = true;
      SetCapture(window);
      SetPressed(true);
      return 0;
    case WM_MOUSEMOVE:
      if (tracking_) SetPressed(PointerInside(lparam));
      return 0;
    case WM_LBUTTONUP: {
      if (!tracking_) return 0;
      tracking_ = false;
      const bool click = PointerInside(lparam);
      ReleaseCapture();
      SetPressed(false);
      UpdateWindow(window);
      if (click && on_click_) on_click_();
      return 0;
    }
    case WM_CAPTURECHANGED:  // someone else took the mouse: no click
      tracking_ = false;
      SetPressed(false);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

void GridButton::Paint(HDC dc) const {
  RECT face;
  GetClientRect(window_, &face);
  FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0u));

  if (caption_.empty()) return;
  RECT text = face;
  if (pressed_) OffsetRect(&text, 1, 1);
  HGDIOBJ old_font = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_ == FontColour::Purple ? kPurple : GetSysColor(COLOR_WINDOWTEXT));
  DrawTextA(dc, caption_.data(), static_cast<int>(caption_.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
}

}  // namespace plinth::platform::win32
