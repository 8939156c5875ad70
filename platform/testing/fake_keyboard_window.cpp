#include "platform/testing/fake_keyboard_window.h"

#include <algorithm>
#include <stdexcept>

namespace plinth::test_platform {

using platform::FontColour;
using platform::MenuItemId;
using platform::PanelId;
using platform::PanelState;

FakeKeyboardWindow::FakeKeyboardWindow() {
  // As designed, every button is captioned with its cell number.
  for (int cell = 1; cell <= platform::design::kCellCount; ++cell) {
    if (HasButton(cell)) button_captions_[Slot(cell)] = std::to_string(cell);
  }
  font_colours_.fill(FontColour::WindowText);
  button_states_.fill(platform::ButtonState::Off);
}

bool FakeKeyboardWindow::HasButton(int cell) {
  return cell >= 1 && cell <= platform::design::kCellCount && cell != platform::design::kCentreCell;
}

void FakeKeyboardWindow::SetCaption(const std::string& text) {
  caption_ = text;
  caption_history_.push_back(text);
}

void FakeKeyboardWindow::SetButtonCaption(int cell, const std::string& text) {
  if (!HasButton(cell)) {
    ++misaddressed_calls_;
    return;
  }
  button_captions_[Slot(cell)] = text;
}

void FakeKeyboardWindow::SetButtonFontColour(int cell, FontColour colour) {
  if (!HasButton(cell)) {
    ++misaddressed_calls_;
    return;
  }
  font_colours_[Slot(cell)] = colour;
}

void FakeKeyboardWindow::SetButtonState(int cell, platform::ButtonState state) {
  if (!HasButton(cell)) {
    ++misaddressed_calls_;
    return;
  }
  button_states_[Slot(cell)] = state;
}

void FakeKeyboardWindow::SetPanelState(PanelId panel, PanelState state) {
  (panel == PanelId::Shift ? shift_panel_ : extend_panel_) = state;
}

void FakeKeyboardWindow::SetMenuItemChecked(MenuItemId item, bool checked) {
  menu_checked_.at(platform::MenuRow(item)) = checked;
}

void FakeKeyboardWindow::ShowDwellProgress(platform::PointerTarget target, int permille) {
  using Kind = platform::PointerTarget::Kind;
  if (target.kind == Kind::Nothing || (target.kind == Kind::Button && !HasButton(target.cell))) {
    ++misaddressed_calls_;
    return;
  }
  for (auto& [shown, progress] : dwell_progress_) {
    if (shown == target) {
      progress = permille;
      return;
    }
  }
  dwell_progress_.emplace_back(target, permille);
}

int FakeKeyboardWindow::dwell_progress(platform::PointerTarget target) const {
  for (const auto& [shown, progress] : dwell_progress_) {
    if (shown == target) return progress;
  }
  return 0;
}

std::vector<platform::PointerTarget> FakeKeyboardWindow::dwell_bars() const {
  std::vector<platform::PointerTarget> bars;
  for (const auto& [shown, progress] : dwell_progress_) {
    if (progress > 0) bars.push_back(shown);
  }
  return bars;
}

void FakeKeyboardWindow::SetGeometry(const platform::FormGeometry& geometry) {
  if (geometry != geometry_) ++geometry_changes_;
  if (geometry.client != geometry_.client) ++size_requests_;
  geometry_ = geometry;
}

void FakeKeyboardWindow::SetResizeLimits(platform::Size smallest, platform::Size largest) {
  smallest_client_ = smallest;
  largest_client_ = largest;
}

platform::Size FakeKeyboardWindow::OuterSize() {
  if (size_) return *size_;
  return {geometry_.client.width + kFrameSize.width, geometry_.client.height + kFrameSize.height};
}

void FakeKeyboardWindow::MoveTo(platform::Point outer) {
  position_ = outer;
  moves_.push_back(outer);
}

void FakeKeyboardWindow::ShowWarning(const std::string& text) { Open(DialogKind::Warning, text); }

void FakeKeyboardWindow::ShowApplicationError(const std::string& text) {
  Open(DialogKind::ApplicationError, text);
}

void FakeKeyboardWindow::Open(DialogKind kind, const std::string& text) {
  dialogs_.push_back({kind, text, caption_});
  if (on_dialog_) on_dialog_(dialogs_.back());
}

const std::string& FakeKeyboardWindow::button_caption(int cell) const {
  if (!HasButton(cell)) throw std::out_of_range("no button in cell " + std::to_string(cell));
  return button_captions_[Slot(cell)];
}

FontColour FakeKeyboardWindow::font_colour(int cell) const {
  if (!HasButton(cell)) throw std::out_of_range("no button in cell " + std::to_string(cell));
  return font_colours_[Slot(cell)];
}

platform::ButtonState FakeKeyboardWindow::button_state(int cell) const {
  if (!HasButton(cell)) throw std::out_of_range("no button in cell " + std::to_string(cell));
  return button_states_[Slot(cell)];
}

PanelState FakeKeyboardWindow::panel_state(PanelId panel) const {
  return panel == PanelId::Shift ? shift_panel_ : extend_panel_;
}

bool FakeKeyboardWindow::menu_item_checked(MenuItemId item) const {
  return menu_checked_.at(platform::MenuRow(item));
}

std::vector<std::string> FakeKeyboardWindow::warnings() const {
  std::vector<std::string> texts;
  for (const Dialog& dialog : dialogs_) {
    if (dialog.kind == DialogKind::Warning) texts.push_back(dialog.text);
  }
  return texts;
}

std::vector<std::string> FakeKeyboardWindow::application_errors() const {
  std::vector<std::string> texts;
  for (const Dialog& dialog : dialogs_) {
    if (dialog.kind == DialogKind::ApplicationError) texts.push_back(dialog.text);
  }
  return texts;
}

platform::WindowEvents& FakeKeyboardWindow::Sink() {
  if (events_ == nullptr) throw std::logic_error("the window has no event sink");
  return *events_;
}

void FakeKeyboardWindow::ClickButton(int cell) {
  if (!HasButton(cell)) throw std::out_of_range("no button in cell " + std::to_string(cell));
  Sink().doclick(platform::design::ButtonName(cell));
}

void FakeKeyboardWindow::ClickButtonNamed(std::string_view component_name) {
  Sink().doclick(component_name);
}

void FakeKeyboardWindow::MovePointerOver(PanelId panel) { Sink().PanelMouseMove(panel); }

void FakeKeyboardWindow::ClickPanel(PanelId panel) { Sink().PanelClick(panel); }

void FakeKeyboardWindow::ChooseMenuItem(MenuItemId item) { Sink().Available1Click(item); }

void FakeKeyboardWindow::DragBorderTo(platform::Size client) {
  geometry_.client = client;
  Sink().FormResize(client);
}

void FakeKeyboardWindow::DragBorderKeepingAspect(platform::Size client) {
  DragBorderTo(Sink().FormCanResize(client));
}

void FakeKeyboardWindow::MoveToScreenOfDpi(int dpi) { Sink().FormDpiChanged(dpi); }

void FakeKeyboardWindow::ShowScanHighlight(const platform::ScanHighlight& lit) {
  using Kind = platform::PointerTarget::Kind;
  if (lit.kind == platform::ScanHighlight::Kind::OneStop && lit.stop.kind == Kind::Button &&
      !HasButton(lit.stop.cell)) {
    ++misaddressed_calls_;
  }
  scan_highlight_ = lit;
}

void FakeKeyboardWindow::PressSwitchKey(std::uint16_t code) {
  if (std::ranges::find(grabbed_keys_, code) != grabbed_keys_.end()) Sink().SwitchKeyPressed(code);
}

void FakeKeyboardWindow::ReleaseSwitchKey(std::uint16_t code) {
  if (std::ranges::find(grabbed_keys_, code) != grabbed_keys_.end()) {
    Sink().SwitchKeyReleased(code);
  }
}

void FakeKeyboardWindow::MovePointerTo(platform::PointerTarget target,
                                       platform::Point screen_point) {
  Sink().PointerMoved(target, screen_point);
}

}  // namespace plinth::test_platform
