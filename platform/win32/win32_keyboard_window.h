#pragma once

// The keyboard window on Windows: an always-on-top tool window with the
// close box as its only caption button and a sizing border, holding the 48
// grid buttons, the two nested centre panels and the popup menu. While the
// user drags the border, the keyboard logic shapes the size (square cells,
// within the resize limits) and lays itself out anew at each step. It answers
// WM_MOUSEACTIVATE with MA_NOACTIVATE, so a click on it never takes the
// focus from the application being typed into, under Wine too, where the
// non-activating style alone does not keep it.
//
// Its parts are written in files of their own: keyboard_window_layout.cpp
// (sizes, places, a drag of the border), keyboard_window_messages.cpp (the
// window procedure and the popup menu), keyboard_window_dpi.cpp (a monitor
// of another resolution) and keyboard_window_dialogs.cpp (message boxes and
// the activation they take).

#include <array>
#include <exception>
#include <memory>
#include <string>

#include "platform/form_design.h"
#include "platform/keyboard_window.h"
#include "platform/win32/centre_panel.h"
#include "platform/win32/foreground_watch.h"
#include "platform/win32/grid_button.h"
#include "platform/win32/message_box_ok.h"
#include "platform/win32/pointer_watch.h"
#include "platform/win32/scaled_menu_items.h"
#include "platform/win32/scan_frame.h"
#include "platform/win32/switch_key_hook.h"
#include "platform/win32/window_fonts.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class Win32KeyboardWindow final : public KeyboardWindow {
 public:
  static constexpr const char* kClassName = "PlinthKeyboard";
  static constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  static constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  static constexpr DWORD kNoActivate = 0x08000000;  // WS_EX_NOACTIVATE
  static constexpr UINT kDpiChanged = 0x02E0;       // WM_DPICHANGED
  // Posted by the switch key hook: WPARAM the key, LPARAM 1 down, 0 up.
  static constexpr UINT kSwitchKeyMessage = WM_APP + 1;
  // Looks for a message box whose OK scanning lights.
  static constexpr UINT_PTR kScanOkTimer = 1;
  // The command identifier of a popup menu item: one more than its row.
  static constexpr UINT CommandOf(MenuItemId item) { return static_cast<UINT>(MenuRow(item)) + 1; }

  // Creates the window, hidden, at its designed place and size.
  Win32KeyboardWindow();
  ~Win32KeyboardWindow() override;
  Win32KeyboardWindow(const Win32KeyboardWindow&) = delete;
  Win32KeyboardWindow& operator=(const Win32KeyboardWindow&) = delete;

  void SetEventSink(WindowEvents* events) override { events_ = events; }
  // The pointer watch reports where the cursor is when it sees a message.
  PointerPositions ReportedPointerPositions() const override {
    return PointerPositions::LiveCursor;
  }
  // Adds WS_EX_NOACTIVATE with GetWindowLongA and SetWindowLongA.
  void MakeNonActivating() override;
  void Show() override;

  void SetCaption(const std::string& text) override;
  void SetButtonCaption(int cell, const std::string& text) override;
  void SetButtonFontColour(int cell, FontColour colour) override;
  void SetButtonState(int cell, ButtonState state) override;
  void SetPanelState(PanelId panel, PanelState state) override;
  void SetMenuItemChecked(MenuItemId item, bool checked) override;
  void SetGeometry(const FormGeometry& geometry) override;
  void SetResizeLimits(Size smallest, Size largest) override;

  Point OuterPosition() override;
  Size OuterSize() override;
  void MoveTo(Point outer) override;
  Point FrameOffset() override;

  void ShowWarning(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;
  void ShowDwellProgress(PointerTarget target, int permille) override;
  void PressDialogOk() override;
  void GrabSwitchKeys(const std::vector<std::uint16_t>& codes) override;
  void ShowScanHighlight(const ScanHighlight& lit) override;

  // The parts, for tests that drive the window with messages.
  HWND handle() const { return window_; }
  const GridButton* button(int cell) const;
  const CentrePanel& panel(PanelId panel) const;
  HMENU popup_menu() const { return menu_; }
  bool switch_keys_hooked() const { return switch_keys_ && switch_keys_->hooked(); }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  // What takes a click in `window`: a grid button, a panel, the OK button
  // of the message box the keyboard has open, or nothing.
  PointerTarget TargetOfWindow(HWND window) const;

 private:
  // The button of `cell`, or nothing for a cell out of range or without one.
  GridButton* ButtonOfCell(int cell) const;
  void CreateControls();
  // After a dialog: activates again the window that was active before it.
  void GiveBackActivation(HWND typed_into);
  // Opens the popup menu at a screen point and passes on the item chosen.
  void ShowPopupMenu(POINT screen);
  // Hands an event to the sink; a failure that escapes the handler is
  // reported in a message box and the keyboard goes on.
  template <class Event>
  void Deliver(Event&& event);
  // The outer size of a client area of `client` with the window's frame.
  SIZE OuterSizeOf(Size client) const;
  // WM_SIZING: the dragged outer rectangle `outer`, changed to the size the
  // keyboard takes; the edges not dragged (by `edge`, a WMSZ_ value) stay.
  void ShapeDrag(WPARAM edge, RECT& outer);
  void LimitDrag(MINMAXINFO& limits) const;
  // WM_DPICHANGED: the window went to a monitor of another resolution; the
  // keyboard sizes itself anew, at the place `suggested` by the system.
  void MoveToDpi(int dpi, const RECT* suggested);
  // Frames what scanning lights at the window's present size; the OK of a
  // message box once the box is open.
  void DrawScanHighlight();
  void FrameMessageBoxOk();

  FormGeometry geometry_;
  std::unique_ptr<WindowFonts> fonts_ =
      std::make_unique<WindowFonts>(geometry_.button_font, geometry_.smallest_button_font,
                                    geometry_.window_font, geometry_.text_font);
  Size smallest_client_ = geometry_.client;
  Size largest_client_ = geometry_.client;
  HWND window_ = nullptr;
  HMENU menu_ = nullptr;
  std::unique_ptr<ScaledMenuItems> menu_items_;
  WindowEvents* events_ = nullptr;
  bool closing_by_owner_ = false;
  bool laying_out_ = false;  // the window is sized by SetGeometry, not by the user
  bool menu_open_ = false;
  std::array<std::unique_ptr<GridButton>, design::kCellCount + 1> buttons_;  // by cell
  std::unique_ptr<CentrePanel> extend_panel_;
  std::unique_ptr<CentrePanel> shift_panel_;
  std::unique_ptr<PointerWatch> pointer_watch_;
  std::unique_ptr<ForegroundWatch> foreground_watch_;
  DwellBarOverButton ok_bar_;  // on the OK button of a message box
  std::unique_ptr<SwitchKeyHook> switch_keys_;
  ScanHighlight scan_lit_;
  ScanFrame scan_frame_;  // on the grid
  ScanFrame ok_frame_;    // on the OK button of a message box
};

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

}  // namespace plinth::platform::win32
