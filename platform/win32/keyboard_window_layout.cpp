// The keyboard window's sizes and places: its controls built and moved by
// the geometry the keyboard logic sets, its outer frame, and a drag of its
// border shaped by the keyboard.

#include "platform/win32/win32_keyboard_window.h"

namespace plinth::platform::win32 {
namespace {

RECT Placement(const Square& square) {
  return {square.left, square.top, square.left + square.size, square.top + square.size};
}

// `square` of window coordinates in the client coordinates of `parent`,
// whose client area lies inside its border.
Square Within(const Square& square, HWND parent) {
  RECT frame{};
  GetWindowRect(parent, &frame);
  POINT client{0, 0};
  ClientToScreen(parent, &client);
  const int border = client.x - frame.left;
  MapWindowPoints(nullptr, GetParent(parent), reinterpret_cast<POINT*>(&frame), 2);
  return {square.left - frame.left - border, square.top - frame.top - border, square.size};
}

void Place(HWND child, const Square& square) {
  MoveWindow(child, square.left, square.top, square.size, square.size, TRUE);
}

}  // namespace

void Win32KeyboardWindow::CreateControls() {
  // The panels come first: they lie above the buttons where the edges of
  // the centre cell and its neighbours overlap.
  extend_panel_ = std::make_unique<CentrePanel>(
      window_, Placement(geometry_.extend_panel),
      PanelHandlers{
          .pointer_moved =
              [this] { Deliver([](WindowEvents& e) { e.PanelMouseMove(PanelId::Extend); }); },
          .clicked = [this] { Deliver([](WindowEvents& e) { e.PanelClick(PanelId::Extend); }); }});
  // Inside the Extend panel's border, so its own client coordinates.
  shift_panel_ = std::make_unique<CentrePanel>(
      extend_panel_->handle(), Placement(Within(geometry_.shift_panel, extend_panel_->handle())),
      PanelHandlers{
          .pointer_moved =
              [this] { Deliver([](WindowEvents& e) { e.PanelMouseMove(PanelId::Shift); }); },
          .clicked = [this] { Deliver([](WindowEvents& e) { e.PanelClick(PanelId::Shift); }); }});

  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell == design::kCentreCell) continue;
    buttons_[static_cast<std::size_t>(cell)] =
        std::make_unique<GridButton>(window_, Placement(geometry_.Cell(cell)), std::to_string(cell),
                                     *fonts_, [this, name = design::ButtonName(cell)] {
                                       Deliver([&name](WindowEvents& e) { e.doclick(name); });
                                     });
  }
}

void Win32KeyboardWindow::SetGeometry(const FormGeometry& geometry) {
  RECT client{};
  GetClientRect(window_, &client);
  // A size that the system gave and the keyboard refused is undone too.
  if (geometry == geometry_ && client.right == geometry.client.width &&
      client.bottom == geometry.client.height) {
    return;
  }
  geometry_ = geometry;
  auto fonts = std::make_unique<WindowFonts>(geometry.button_font, geometry.smallest_button_font,
                                             geometry.window_font, geometry.text_font);
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    auto& grid_button = buttons_[static_cast<std::size_t>(cell)];
    if (!grid_button) continue;
    grid_button->SetFonts(*fonts);
    grid_button->SetStateLook(geometry.state_frame, geometry.mode_marker);
    Place(grid_button->handle(), geometry.Cell(cell));
  }
  const bool designed_text = geometry.text_font == FormGeometry{}.text_font;
  menu_items_->UseFont(designed_text ? nullptr : fonts->text());
  fonts_ = std::move(fonts);  // the old fonts go once nothing uses them
  for (CentrePanel* panel : {extend_panel_.get(), shift_panel_.get()}) {
    panel->SetArmedFrame(geometry.armed_panel_frame);
  }
  Place(extend_panel_->handle(), geometry.extend_panel);
  Place(shift_panel_->handle(), Within(geometry.shift_panel, extend_panel_->handle()));
  DrawScanHighlight();

  const SIZE outer = OuterSizeOf(geometry.client);
  laying_out_ = true;
  SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  laying_out_ = false;
  InvalidateRect(window_, nullptr, TRUE);
}

SIZE Win32KeyboardWindow::OuterSizeOf(Size client) const {
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(window_, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongA(window_, GWL_EXSTYLE)));
  return {outer.right - outer.left, outer.bottom - outer.top};
}

void Win32KeyboardWindow::ShapeDrag(WPARAM edge, RECT& outer) {
  const SIZE frame = OuterSizeOf({0, 0});
  const Size toward{outer.right - outer.left - frame.cx, outer.bottom - outer.top - frame.cy};
  Size shaped = toward;
  Deliver([&](WindowEvents& e) { shaped = e.FormCanResize(toward); });
  const SIZE size = OuterSizeOf(shaped);
  if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT) {
    outer.left = outer.right - size.cx;
  } else {
    outer.right = outer.left + size.cx;
  }
  if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT) {
    outer.top = outer.bottom - size.cy;
  } else {
    outer.bottom = outer.top + size.cy;
  }
}

void Win32KeyboardWindow::LimitDrag(MINMAXINFO& limits) const {
  const SIZE smallest = OuterSizeOf(smallest_client_);
  const SIZE largest = OuterSizeOf(largest_client_);
  limits.ptMinTrackSize = {smallest.cx, smallest.cy};
  limits.ptMaxTrackSize = {largest.cx, largest.cy};
}

void Win32KeyboardWindow::SetResizeLimits(Size smallest, Size largest) {
  smallest_client_ = smallest;
  largest_client_ = largest;
}

Point Win32KeyboardWindow::OuterPosition() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return {frame.left, frame.top};
}

Size Win32KeyboardWindow::OuterSize() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32KeyboardWindow::MoveTo(Point outer) {
  SetWindowPos(window_, nullptr, outer.x, outer.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point Win32KeyboardWindow::FrameOffset() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  POINT client_origin{0, 0};
  ClientToScreen(window_, &client_origin);
  return {client_origin.x - frame.left, client_origin.y - frame.top};
}

}  // namespace plinth::platform::win32
