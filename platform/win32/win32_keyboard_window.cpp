#include "platform/win32/win32_keyboard_window.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>
#include <stdexcept>

#include "platform/win32/centred_message_box.h"
#include "platform/win32/message_box_ok.h"
#include "platform/win32/object_window.h"
#include "platform/win32/program_icon.h"

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

Win32KeyboardWindow::Win32KeyboardWindow() {
  RegisterObjectClass(kClassName, ObjectWindowProc<Win32KeyboardWindow>, 0, COLOR_BTNFACE,
                      ProgramIcon(GetSystemMetrics(SM_CXICON)),
                      ProgramIcon(GetSystemMetrics(SM_CXSMICON)));

  RECT outer{0, 0, geometry_.client.width, geometry_.client.height};
  AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
  window_ = CreateWindowExA(kExStyle, kClassName, design::kCaption, kStyle, design::kWindowLeft,
                            design::kWindowTop, outer.right - outer.left, outer.bottom - outer.top,
                            nullptr, nullptr, GetModuleHandleA(nullptr), this);
  if (window_ == nullptr) throw std::runtime_error("The keyboard window could not be created");

  menu_ = CreatePopupMenu();
  AppendMenuA(menu_, MF_STRING, kAvailableCommand, "Available");
  AppendMenuA(menu_, MF_STRING, kShowAllCommand, "Show All");
  AppendMenuA(menu_, MF_STRING, kDwellClickCommand, "Dwell click");
  menu_items_ = std::make_unique<ScaledMenuItems>(menu_);

  CreateControls();
  pointer_watch_ = std::make_unique<PointerWatch>(PointerWatch::Handlers{
      .moved =
          [this](HWND under, POINT screen) {
            // The open popup menu takes the pointer, as it takes the clicks.
            const PointerTarget target = menu_open_ ? PointerTarget{} : TargetOfWindow(under);
            Deliver([&](WindowEvents& e) { e.PointerMoved(target, {screen.x, screen.y}); });
          },
      .pressed = [this] { Deliver([](WindowEvents& e) { e.MouseButtonPressed(); }); },
      .released =
          [this](POINT screen) {
            Deliver([screen](WindowEvents& e) { e.MouseButtonReleased({screen.x, screen.y}); });
          }});
}

Win32KeyboardWindow::~Win32KeyboardWindow() {
  pointer_watch_.reset();
  closing_by_owner_ = true;
  if (IsWindow(window_)) DestroyWindow(window_);
  if (menu_ != nullptr) DestroyMenu(menu_);
}

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

template <class Event>
void Win32KeyboardWindow::Deliver(Event&& event) {
  if (events_ == nullptr) return;
  try {
    event(*events_);
  } catch (const std::exception& failure) {
    ShowApplicationError(failure.what());
  } catch (...) {
    ShowApplicationError("An unexpected failure occurred");
  }
}

void Win32KeyboardWindow::MakeNonActivating() {
  const LONG style = GetWindowLongA(window_, GWL_EXSTYLE);
  SetWindowLongA(window_, GWL_EXSTYLE, static_cast<LONG>(static_cast<DWORD>(style) | kNoActivate));
}

void Win32KeyboardWindow::Show() {
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  UpdateWindow(window_);
}

void Win32KeyboardWindow::SetCaption(const std::string& text) {
  SetWindowTextA(window_, text.c_str());
}

GridButton* Win32KeyboardWindow::ButtonOfCell(int cell) const {
  if (cell < 1 || cell > design::kCellCount) return nullptr;
  return buttons_[static_cast<std::size_t>(cell)].get();
}

const GridButton* Win32KeyboardWindow::button(int cell) const { return ButtonOfCell(cell); }

void Win32KeyboardWindow::SetButtonCaption(int cell, const std::string& text) {
  if (GridButton* grid_button = ButtonOfCell(cell)) grid_button->SetCaption(text);
}

void Win32KeyboardWindow::SetButtonFontColour(int cell, FontColour colour) {
  if (GridButton* grid_button = ButtonOfCell(cell)) grid_button->SetFontColour(colour);
}

void Win32KeyboardWindow::SetButtonState(int cell, ButtonState state) {
  if (GridButton* grid_button = ButtonOfCell(cell)) grid_button->SetState(state);
}

const CentrePanel& Win32KeyboardWindow::panel(PanelId panel) const {
  return panel == PanelId::Shift ? *shift_panel_ : *extend_panel_;
}

void Win32KeyboardWindow::SetPanelState(PanelId panel, PanelState state) {
  (panel == PanelId::Shift ? *shift_panel_ : *extend_panel_).SetState(state);
}

void Win32KeyboardWindow::SetMenuItemChecked(MenuItemId item, bool checked) {
  // The item shows whether dwell click is on, and only then does a return
  // of the pointer matter.
  if (item == MenuItemId::DwellClick && pointer_watch_) pointer_watch_->WatchReturns(checked);
  const UINT command = item == MenuItemId::Available ? kAvailableCommand
                       : item == MenuItemId::ShowAll ? kShowAllCommand
                                                     : kDwellClickCommand;
  CheckMenuItem(menu_, command,
                static_cast<UINT>(MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)));
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

void Win32KeyboardWindow::ShowWarning(const std::string& text) {
  const HWND typed_into = GetForegroundWindow();
  CentredMessageBox(window_, text, "Warning", MB_ICONWARNING | MB_OK,
                    geometry_.text_font * 100 / FormGeometry{}.text_font);
  GiveBackActivation(typed_into);
}

void Win32KeyboardWindow::ShowApplicationError(const std::string& text) {
  const HWND typed_into = GetForegroundWindow();
  MessageBoxA(window_, FittedMessageText(text).c_str(), design::kCaption, MB_ICONERROR | MB_OK);
  GiveBackActivation(typed_into);
}

PointerTarget Win32KeyboardWindow::TargetOfWindow(HWND window) const {
  if (window == nullptr) return {};
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    const auto& grid_button = buttons_[static_cast<std::size_t>(cell)];
    if (grid_button && grid_button->handle() == window) return PointerTarget::Button(cell);
  }
  if (window == shift_panel_->handle()) return PointerTarget::Panel(PanelId::Shift);
  if (window == extend_panel_->handle()) return PointerTarget::Panel(PanelId::Extend);
  if (window == OpenMessageBoxOk(window_)) return PointerTarget::DialogOk();
  return {};
}

void Win32KeyboardWindow::ShowDwellProgress(PointerTarget target, int permille) {
  switch (target.kind) {
    case PointerTarget::Kind::Button:
      if (GridButton* grid_button = ButtonOfCell(target.cell)) {
        grid_button->SetDwellProgress(permille, geometry_.dwell_bar);
      }
      break;
    case PointerTarget::Kind::Panel:
      (target.panel == PanelId::Shift ? *shift_panel_ : *extend_panel_)
          .SetDwellProgress(permille, geometry_.dwell_bar);
      break;
    case PointerTarget::Kind::DialogOk:
      ok_bar_.Show(OpenMessageBoxOk(window_), permille, geometry_.dwell_bar);
      break;
    case PointerTarget::Kind::Nothing:
      break;
  }
}

void Win32KeyboardWindow::PressDialogOk() {
  const HWND ok = OpenMessageBoxOk(window_);
  if (ok == nullptr) return;
  ok_bar_.Show(nullptr, 0, geometry_.dwell_bar);
  // As the button reports a click to its box.
  PostMessageA(GetParent(ok), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(ok));
}

void Win32KeyboardWindow::GiveBackActivation(HWND typed_into) {
  // A closing dialog hands the activation to its owner, the keyboard, in
  // spite of its non-activating style (Wine does); typing would then go to
  // the keyboard. The window that was active before gets it back.
  if (typed_into != nullptr && typed_into != window_ && IsWindow(typed_into) &&
      GetForegroundWindow() != typed_into) {
    SetForegroundWindow(typed_into);
  }
}

void Win32KeyboardWindow::ShowPopupMenu(POINT screen) {
  // The menu opens under the pointer: no rest goes on on the button below.
  menu_open_ = true;
  Deliver([screen](WindowEvents& e) { e.PointerMoved(PointerTarget{}, {screen.x, screen.y}); });
  const BOOL command = TrackPopupMenu(
      menu_, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
      screen.x, screen.y, 0, window_, nullptr);
  menu_open_ = false;
  PostMessageA(window_, WM_NULL, 0, 0);  // lets the menu's modal loop end cleanly
  if (command == kAvailableCommand) {
    Deliver([](WindowEvents& e) { e.Available1Click(MenuItemId::Available); });
  } else if (command == kShowAllCommand) {
    Deliver([](WindowEvents& e) { e.Available1Click(MenuItemId::ShowAll); });
  } else if (command == kDwellClickCommand) {
    Deliver([](WindowEvents& e) { e.Available1Click(MenuItemId::DwellClick); });
  }
}

LRESULT Win32KeyboardWindow::HandleMessage(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_WINDOWPOSCHANGING:
      // Nothing that moves or sizes the window activates it: the system's
      // loop for a drag of the border does, under Wine.
      reinterpret_cast<WINDOWPOS*>(lparam)->flags |= SWP_NOACTIVATE;
      break;
    case WM_CONTEXTMENU: {
      // Buttons and panels pass their right-clicks up to here. A right-click
      // on the caption bar keeps the system's own menu.
      POINT screen{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
      if (lparam == -1) GetCursorPos(&screen);
      POINT client = screen;
      ScreenToClient(window, &client);
      RECT area;
      GetClientRect(window, &area);
      if (!PtInRect(&area, client)) break;
      ShowPopupMenu(screen);
      return 0;
    }
    case kDpiChanged: {
      // The window went to a monitor of another resolution: the keyboard
      // sizes itself anew, at the place the system suggests.
      const auto* suggested = reinterpret_cast<const RECT*>(lparam);
      Deliver([dpi = static_cast<int>(HIWORD(wparam))](WindowEvents& e) { e.FormDpiChanged(dpi); });
      if (suggested != nullptr) {
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    }
    case WM_SIZING:
      ShapeDrag(wparam, *reinterpret_cast<RECT*>(lparam));
      return TRUE;
    case WM_GETMINMAXINFO:
      DefWindowProcA(window, message, wparam, lparam);
      // The keyboard's own sizes need no limits: it set them.
      if (window_ != nullptr && !laying_out_) LimitDrag(*reinterpret_cast<MINMAXINFO*>(lparam));
      return 0;
    case WM_SIZE: {
      // Showing the window tells its size too: only a new size is passed on.
      const Size client{LOWORD(lparam), HIWORD(lparam)};
      if (wparam == SIZE_RESTORED && !laying_out_ && client != geometry_.client) {
        Deliver([client](WindowEvents& e) { e.FormResize(client); });
      }
      return 0;
    }
    case WM_MEASUREITEM:
      if (menu_items_ && menu_items_->Measure(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam)))
        return TRUE;
      break;
    case WM_DRAWITEM:
      if (menu_items_ && menu_items_->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)))
        return TRUE;
      break;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(fonts_->window());
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      // Closing the window ends the program; destroying the object does not.
      if (!closing_by_owner_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace plinth::platform::win32
