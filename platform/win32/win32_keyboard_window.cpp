// The keyboard window's making and ending, and what it shows on its
// buttons, panels and menu.

#include "platform/win32/win32_keyboard_window.h"

#include <stdexcept>

#include "platform/win32/message_box_ok.h"
#include "platform/win32/object_window.h"
#include "platform/win32/program_icon.h"

namespace plinth::platform::win32 {

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
  for (const MenuItem& item : kPopupMenu) {
    AppendMenuA(menu_, MF_STRING, CommandOf(item.id), item.caption);
  }
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
  foreground_watch_ = std::make_unique<ForegroundWatch>(
      [this] { Deliver([](WindowEvents& e) { e.FocusMoved(); }); });
}

Win32KeyboardWindow::~Win32KeyboardWindow() {
  pointer_watch_.reset();
  foreground_watch_.reset();
  switch_keys_.reset();
  closing_by_owner_ = true;
  if (IsWindow(window_)) DestroyWindow(window_);
  if (menu_ != nullptr) DestroyMenu(menu_);
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
  if (kPopupMenu.at(MenuRow(item)).kind != MenuItemKind::Check) return;
  CheckMenuItem(menu_, CommandOf(item),
                static_cast<UINT>(MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED)));
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

}  // namespace plinth::platform::win32
