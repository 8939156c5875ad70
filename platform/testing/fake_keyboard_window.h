#pragma once

// The keyboard window without a display: it keeps what the keyboard logic
// shows (caption, labels, colours, panels, check marks, position), records
// the dialogs, and lets a test act as the user.

#include <array>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/form_design.h"
#include "platform/keyboard_window.h"

namespace plinth::test_platform {

enum class DialogKind { Warning, ApplicationError };

struct Dialog {
  DialogKind kind = DialogKind::Warning;
  std::string text;
  std::string caption_when_shown;  // the window caption while it was open
  friend bool operator==(const Dialog&, const Dialog&) = default;
};

class FakeKeyboardWindow final : public platform::KeyboardWindow {
 public:
  // The designed frame: client area at (2, 20) from the outer corner, so the
  // 222 x 224 client makes an outer window of 226 x 246.
  static constexpr platform::Point kFrameOffset{platform::design::kDesignedFrameLeft,
                                                platform::design::kDesignedFrameTop};
  static constexpr platform::Size kFrameSize{4, 22};
  static constexpr platform::Size kOuterSize{platform::design::kClientWidth + kFrameSize.width,
                                             platform::design::kClientHeight + kFrameSize.height};

  FakeKeyboardWindow();

  // ---- KeyboardWindow
  void SetEventSink(platform::WindowEvents* events) override { events_ = events; }
  platform::PointerPositions ReportedPointerPositions() const override { return positions_; }
  void MakeNonActivating() override { non_activating_ = true; }
  void Show() override { shown_ = true; }
  void SetCaption(const std::string& text) override;
  void SetButtonCaption(int cell, const std::string& text) override;
  void SetButtonFontColour(int cell, platform::FontColour colour) override;
  void SetButtonState(int cell, platform::ButtonState state) override;
  void SetPanelState(platform::PanelId panel, platform::PanelState state) override;
  void SetMenuItemChecked(platform::MenuItemId item, bool checked) override;
  void SetGeometry(const platform::FormGeometry& geometry) override;
  void SetResizeLimits(platform::Size smallest, platform::Size largest) override;
  platform::Point OuterPosition() override { return position_; }
  platform::Size OuterSize() override;
  void MoveTo(platform::Point outer) override;
  platform::Point FrameOffset() override { return frame_offset_; }
  void ShowWarning(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;
  void ShowDwellProgress(platform::PointerTarget target, int permille) override;
  void PressDialogOk() override { ++dialog_ok_presses_; }
  void GrabSwitchKeys(const std::vector<std::uint16_t>& codes) override { grabbed_keys_ = codes; }
  void ShowScanHighlight(const platform::ScanHighlight& lit) override;

  // The reports of pointer movement the test makes stand for those of a
  // platform that reports the point of each event (the default) or the
  // live cursor.
  void set_reported_pointer_positions(platform::PointerPositions positions) {
    positions_ = positions;
  }
  // A window manager that frames the window differently, or starts late.
  void set_frame_offset(platform::Point offset) { frame_offset_ = offset; }

  // ---- what the window shows
  const std::string& caption() const { return caption_; }
  // Every caption set, in order.
  const std::vector<std::string>& caption_history() const { return caption_history_; }
  const std::string& button_caption(int cell) const;
  platform::FontColour font_colour(int cell) const;
  platform::ButtonState button_state(int cell) const;
  platform::PanelState panel_state(platform::PanelId panel) const;
  bool menu_item_checked(platform::MenuItemId item) const;
  bool non_activating() const { return non_activating_; }
  bool shown() const { return shown_; }
  platform::Point position() const { return position_; }
  const std::vector<platform::Point>& moves() const { return moves_; }
  const platform::FormGeometry& geometry() const { return geometry_; }
  int geometry_changes() const { return geometry_changes_; }
  // Layouts that asked for a client size other than the window's present
  // one: requests a window manager may refuse.
  int size_requests() const { return size_requests_; }
  platform::Size smallest_client() const { return smallest_client_; }
  platform::Size largest_client() const { return largest_client_; }
  // Calls that addressed a cell without a button (25) or outside 1..49, and
  // dwell bars asked of nothing.
  int misaddressed_calls() const { return misaddressed_calls_; }

  // ---- dialogs, warnings and application errors in the order shown
  const std::vector<Dialog>& dialogs() const { return dialogs_; }
  std::vector<std::string> warnings() const;
  std::vector<std::string> application_errors() const;
  void ClearDialogs() { dialogs_.clear(); }
  // Runs while a dialog is open, before it "returns".
  void OnDialog(std::function<void(const Dialog&)> hook) { on_dialog_ = std::move(hook); }

  // An outer size of the window's own, whatever its geometry.
  void set_outer_size(platform::Size size) { size_ = size; }

  // ---- the dwell bars: how full the bar on `target` was drawn last, and
  // the targets that show a bar now
  int dwell_progress(platform::PointerTarget target) const;
  std::vector<platform::PointerTarget> dwell_bars() const;
  // How often the OK button of a dialog was pressed by the keyboard logic.
  int dialog_ok_presses() const { return dialog_ok_presses_; }

  // ---- switch scanning: the keys held for it, and what is framed
  const std::vector<std::uint16_t>& grabbed_switch_keys() const { return grabbed_keys_; }
  const platform::ScanHighlight& scan_highlight() const { return scan_highlight_; }

  // ---- the user's input, delivered to the event sink
  void ClickButton(int cell);
  // A click whose release is told first, as X11 tells it.
  void ClickButtonToldAtRelease(int cell) {
    Sink().ClickCompleting(cell);
    ClickButton(cell);
  }
  void ClickButtonNamed(std::string_view component_name);
  void MovePointerOver(platform::PanelId panel);
  void ClickPanel(platform::PanelId panel);
  void ChooseMenuItem(platform::MenuItemId item);
  // The screen or its monitors changed (the test changed them first).
  void ChangeScreen() { Sink().ScreenChanged(); }
  // Drags the border until the client area is `client`.
  void DragBorderTo(platform::Size client);
  // Drags the border toward `client` as Windows does: the keyboard shapes
  // the size first, then the window takes it.
  void DragBorderKeepingAspect(platform::Size client);
  void MoveToScreenOfDpi(int dpi);
  void MovePointerTo(platform::PointerTarget target, platform::Point screen_point);
  void PressMouseButton() { Sink().MouseButtonPressed(); }
  void ReleaseMouseButton(platform::Point screen_point) {
    Sink().MouseButtonReleased(screen_point);
  }
  // A key goes down or up; only a grabbed key reaches the keyboard.
  void PressSwitchKey(std::uint16_t code);
  void ReleaseSwitchKey(std::uint16_t code);

 private:
  static bool HasButton(int cell);
  static std::size_t Slot(int cell) { return static_cast<std::size_t>(cell - 1); }
  platform::WindowEvents& Sink();
  void Open(DialogKind kind, const std::string& text);

  platform::WindowEvents* events_ = nullptr;
  platform::PointerPositions positions_ = platform::PointerPositions::OfTheEvent;
  bool non_activating_ = false;
  bool shown_ = false;
  std::string caption_ = platform::design::kCaption;
  std::vector<std::string> caption_history_;
  std::array<std::string, platform::design::kCellCount> button_captions_;
  std::array<platform::FontColour, platform::design::kCellCount> font_colours_{};
  std::array<platform::ButtonState, platform::design::kCellCount> button_states_{};
  platform::PanelState shift_panel_ = platform::PanelState::Idle;
  platform::PanelState extend_panel_ = platform::PanelState::Idle;
  std::array<bool, platform::kPopupMenu.size()> menu_checked_{};
  std::vector<std::pair<platform::PointerTarget, int>> dwell_progress_;
  int dialog_ok_presses_ = 0;
  std::vector<std::uint16_t> grabbed_keys_;
  platform::ScanHighlight scan_highlight_;
  platform::Point position_{platform::design::kWindowLeft, platform::design::kWindowTop};
  platform::Point frame_offset_ = kFrameOffset;
  std::optional<platform::Size> size_;
  platform::FormGeometry geometry_;
  int geometry_changes_ = 0;
  int size_requests_ = 0;
  platform::Size smallest_client_;
  platform::Size largest_client_;
  std::vector<platform::Point> moves_;
  int misaddressed_calls_ = 0;
  std::vector<Dialog> dialogs_;
  std::function<void(const Dialog&)> on_dialog_;
};

}  // namespace plinth::test_platform

namespace plinth::platform {

// How a test shows a target it expected.
inline void PrintTo(const PointerTarget& target, std::ostream* out) {
  switch (target.kind) {
    case PointerTarget::Kind::Button:
      *out << "Button(" << target.cell << ")";
      return;
    case PointerTarget::Kind::Panel:
      *out << (target.panel == PanelId::Shift ? "Panel(Shift)" : "Panel(Extend)");
      return;
    case PointerTarget::Kind::DialogOk:
      *out << "DialogOk()";
      return;
    case PointerTarget::Kind::Nothing:
      break;
  }
  *out << "Nothing";
}

}  // namespace plinth::platform
