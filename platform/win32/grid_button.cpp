#include "platform/win32/grid_button.h"

#include <windowsx.h>

#include <string>
#include <string_view>

#include "platform/win32/dwell_bar.h"
#include "platform/win32/object_window.h"

namespace plinth::platform::win32 {
namespace {

constexpr COLORREF kPurple = RGB(128, 0, 128);
constexpr std::string_view kEllipsis = "\x85";  // in Windows-1252
// The buttons' one face, whose sizes the fonts give.
constexpr int kButtonFace = 0;

}  // namespace

GridButton::GridButton(HWND parent, RECT placement, const std::string& caption,
                       const WindowFonts& fonts, std::function<void()> on_click)
    : fonts_(&fonts), on_click_(std::move(on_click)), caption_(caption) {
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

void GridButton::SetFonts(const WindowFonts& fonts) {
  fonts_ = &fonts;
  fitted_caption_.Forget();
  InvalidateRect(window_, nullptr, FALSE);
}

void GridButton::SetFontColour(FontColour colour) { RepaintOnChange(window_, colour_, colour); }

void GridButton::SetDwellProgress(int permille, const DwellBarLook& look) {
  RepaintOnChange(window_, dwell_bar_look_, look);
  RepaintOnChange(window_, dwell_permille_, permille);
}

void GridButton::SetState(ButtonState state) { RepaintOnChange(window_, state_, state); }

void GridButton::SetStateLook(int frame, int marker) {
  state_frame_ = frame;
  mode_marker_ = marker;
  InvalidateRect(window_, nullptr, FALSE);
}

bool GridButton::PointerInside(LPARAM lparam) const {
  RECT client;
  GetClientRect(window_, &client);
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  return PtInRect(&client, point) != FALSE;
}

void GridButton::SetPressed(bool pressed) { RepaintOnChange(window_, pressed_, pressed); }

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
  const bool on = state_ != ButtonState::Off;
  DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ || on ? DFCS_PUSHED : 0u));
  if (on) {
    // The frame covers the inner line of the sunken edge, to keep clear of
    // the caption.
    RECT marks = face;
    InflateRect(&marks, 1 - GetSystemMetrics(SM_CXEDGE), 1 - GetSystemMetrics(SM_CYEDGE));
    PaintStateMarks(dc, marks);
  }
  // Inside the raised edge, under the caption, which stays readable.
  RECT inside = face;
  InflateRect(&inside, -2, -2);
  DrawDwellBar(dc, inside, dwell_permille_, dwell_bar_look_);

  if (caption_.empty()) return;
  const FittedCaption fitted = Fit(dc);
  RECT text = face;
  if (pressed_) OffsetRect(&text, 1, 1);
  HGDIOBJ old_font = SelectObject(dc, fonts_->ButtonOfHeight(fitted.font_size));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour_ == FontColour::Purple ? kPurple : GetSysColor(COLOR_WINDOWTEXT));
  DrawTextA(dc, fitted.text.data(), static_cast<int>(fitted.text.size()), &text,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
}

FittedCaption GridButton::Fit(HDC dc) const {
  RECT face;
  GetClientRect(window_, &face);
  const CaptionRoom room =
      ButtonCaptionRoom(face.right, fonts_->button_height(), fonts_->smallest_button_height());
  const HGDIOBJ old_font = GetCurrentObject(dc, OBJ_FONT);
  FittedCaption fitted = fitted_caption_.Fit(
      caption_, room, kButtonFace,
      [this, dc](std::string_view text, int height) {
        SelectObject(dc, fonts_->ButtonOfHeight(height));
        SIZE extent{};
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &extent);
        return static_cast<int>(extent.cx);
      },
      kEllipsis, TextEncoding::SingleByte);
  SelectObject(dc, old_font);
  return fitted;
}

FittedCaption GridButton::ShownCaption() const {
  HDC dc = GetDC(window_);
  FittedCaption fitted = Fit(dc);
  ReleaseDC(window_, dc);
  return fitted;
}

// In the window-text colour whatever the font colour, so that the look alone
// tells on from off.
void GridButton::PaintStateMarks(HDC dc, RECT inside) const {
  HBRUSH ink = GetSysColorBrush(COLOR_WINDOWTEXT);
  for (int ring = 0; ring < state_frame_; ++ring) {
    FrameRect(dc, &inside, ink);
    InflateRect(&inside, -1, -1);
  }
  if (state_ != ButtonState::Mode) return;
  const POINT corner[] = {{inside.left, inside.top},
                          {inside.left + mode_marker_, inside.top},
                          {inside.left, inside.top + mode_marker_}};
  HGDIOBJ old_brush = SelectObject(dc, ink);
  HGDIOBJ old_pen = SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, corner, 3);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);
}

}  // namespace plinth::platform::win32
