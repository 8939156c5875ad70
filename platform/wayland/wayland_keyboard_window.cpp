#include "platform/wayland/wayland_keyboard_window.h"

#include <linux/input-event-codes.h>

#include <cmath>
#include <cstdlib>

#include "platform/common/windows1252.h"
#include "platform/wayland/output_choice.h"
#include "platform/wayland/status_line.h"

namespace plinth::platform::wayland {
namespace {

// Two presses on one panel this close in time and place are a double-click,
// whose second press is no click.
constexpr std::chrono::milliseconds kDoubleClickTime{500};
constexpr int kDoubleClickDistance = 2;

bool IsCell(int cell) { return cell >= 1 && cell <= design::kCellCount; }

}  // namespace

WaylandKeyboardWindow::WaylandKeyboardWindow(WaylandConnection& connection, EventLoop& loop)
    : connection_(connection),
      loop_(loop),
      window_(std::make_unique<LayerWindow>(
          connection, "plinth", *this,
          [this](cairo_t* cairo, Size /*size*/) { PaintKeyboard(cairo, picture_); })),
      menu_(connection,
            [this](MenuItemId item) {
              if (events_ != nullptr) events_->Available1Click(item);
            }),
      focus_(connection, [this] {
        if (events_ != nullptr) events_->FocusMoved();
      }) {
  for (int cell = 1; cell <= design::kCellCount; ++cell) {
    if (cell != design::kCentreCell) {
      picture_.captions[static_cast<std::size_t>(cell)] = std::to_string(cell);
    }
  }
  // A window whose output went away is shown on another one.
  window_->OnClosed([this] {
    if (shown_) Place();
  });
  connection.OnOutputsChanged([this](const wl_output* removed) { OutputsChanged(removed); });
  connection.WatchButtons([this](std::uint32_t button, bool pressed, Point screen_point) {
    ReportButton(button, pressed, screen_point);
  });
  loop.AddBeforeWait([this] {
    window_->DrawIfNeeded();
    menu_.DrawIfNeeded();
    if (dialog_) dialog_->DrawIfNeeded();
  });
}

WaylandKeyboardWindow::~WaylandKeyboardWindow() {
  connection_.OnOutputsChanged(nullptr);
  connection_.WatchButtons(nullptr);
}

Rect WaylandKeyboardWindow::Area() const {
  const Size size = Outer();
  return {outer_.x, outer_.y, size.width, size.height};
}

const Output* WaylandKeyboardWindow::KeyboardOutput() const {
  const std::optional<std::size_t> mine = OutputOf(connection_.OutputAreas(), Area());
  return mine ? connection_.Outputs()[*mine] : nullptr;
}

void WaylandKeyboardWindow::Place() {
  if (!shown_) return;
  const Output* out = KeyboardOutput();
  const Size size = OuterSize();
  LayerPlacement placement;
  placement.size = size;
  if (out != nullptr) {
    placement.output = out->output;
    const Rect& area = out->area;
    // A window flush with the right or bottom edge is anchored there, so
    // that it stays docked when the output changes its size.
    placement.anchor_right = outer_.x + size.width == area.x + area.width && outer_.x != area.x;
    placement.anchor_bottom = outer_.y + size.height == area.y + area.height && outer_.y != area.y;
    placement.margin_x = placement.anchor_right ? 0 : outer_.x - area.x;
    placement.margin_y = placement.anchor_bottom ? 0 : outer_.y - area.y;
  }
  if (window_->shown() && !window_->closed() && placement == window_->placement()) return;
  // The menu is a popup of the window: it goes first.
  menu_.Close();
  window_->Place(placement);
}

void WaylandKeyboardWindow::OutputsChanged(const wl_output* /*removed*/) {
  if (!shown_) return;
  if (events_ != nullptr) events_->ScreenChanged();
  Place();
}

void WaylandKeyboardWindow::BringBack() { Place(); }

void WaylandKeyboardWindow::Show() {
  shown_ = true;
  Place();
}

void WaylandKeyboardWindow::SetCaption(const std::string& text) {
  picture_.status = Cp1252ToUtf8(text);
  Redraw();
}

void WaylandKeyboardWindow::SetButtonCaption(int cell, const std::string& text) {
  if (!IsCell(cell)) return;
  picture_.captions[static_cast<std::size_t>(cell)] = Cp1252ToUtf8(text);
  Redraw();
}

void WaylandKeyboardWindow::SetButtonFontColour(int cell, FontColour colour) {
  if (!IsCell(cell)) return;
  picture_.colours[static_cast<std::size_t>(cell)] = colour;
  Redraw();
}

void WaylandKeyboardWindow::SetButtonState(int cell, ButtonState state) {
  if (!IsCell(cell)) return;
  picture_.states[static_cast<std::size_t>(cell)] = state;
  Redraw();
}

void WaylandKeyboardWindow::SetPanelState(PanelId panel, PanelState state) {
  (panel == PanelId::Extend ? picture_.extend : picture_.shift) = state;
  Redraw();
}

void WaylandKeyboardWindow::SetMenuItemChecked(MenuItemId item, bool checked) {
  menu_.SetChecked(item, checked);
}

void WaylandKeyboardWindow::SetGeometry(const FormGeometry& geometry) {
  picture_.geometry = geometry;
  menu_.SetFontSize(geometry.text_font);
  Redraw();
  Place();
}

Size WaylandKeyboardWindow::OuterSize() { return Outer(); }

Size WaylandKeyboardWindow::Outer() const {
  const FormGeometry& geometry = picture_.geometry;
  return {geometry.client.width, geometry.client.height + StatusLineHeight(geometry)};
}

void WaylandKeyboardWindow::MoveTo(Point outer) {
  outer_ = outer;
  Place();
}

Point WaylandKeyboardWindow::FrameOffset() { return {0, StatusLineHeight(picture_.geometry)}; }

void WaylandKeyboardWindow::ShowWarning(const std::string& text) {
  RunDialog("Warning", MessageIcon::Warning, text);
}

void WaylandKeyboardWindow::ShowApplicationError(const std::string& text) {
  RunDialog(design::kCaption, MessageIcon::Error, text);
}

void WaylandKeyboardWindow::RunDialog(const std::string& title, MessageIcon icon,
                                      const std::string& text) {
  // A program that is ending shows no more dialogs: one would only hold it.
  if (loop_.ended() || !loop_.connected()) return;
  menu_.Close();
  const Output* out = KeyboardOutput();
  const Rect monitor = out != nullptr ? out->area : Rect{0, 0, 1024, 768};
  auto dialog = std::make_unique<MessageDialog>(
      connection_, title, icon, Cp1252ToUtf8(text), picture_.geometry.text_font,
      out != nullptr ? out->output : nullptr, monitor, window_.get(), outer_,
      [this](bool over_ok, Point screen_point) {
        if (events_ == nullptr) return;
        events_->PointerMoved(over_ok ? PointerTarget::DialogOk() : PointerTarget{}, screen_point);
      });
  // A dialog opened from a dialog's handler hides the outer one until it
  // is closed.
  std::unique_ptr<MessageDialog> outer = std::move(dialog_);
  dialog_ = std::move(dialog);
  MessageDialog* const open = dialog_.get();
  loop_.RunUntil([open] { return open->closed(); });
  dialog_ = std::move(outer);
}

void WaylandKeyboardWindow::ShowDwellProgress(PointerTarget target, int permille) {
  if (target.kind == PointerTarget::Kind::DialogOk) {
    if (dialog_) dialog_->ShowDwellProgress(permille, picture_.geometry.dwell_bar);
    return;
  }
  // One target shows a bar at a time: taking a bar off another target
  // leaves this one's.
  if (permille == 0 && !(picture_.dwell_target == target)) return;
  if (picture_.dwell_target == target && picture_.dwell_permille == permille) return;
  picture_.dwell_target = target;
  picture_.dwell_permille = permille;
  Redraw();
}

void WaylandKeyboardWindow::PressDialogOk() {
  if (dialog_) dialog_->PressOk();
}

void WaylandKeyboardWindow::GrabSwitchKeys(const std::vector<std::uint16_t>& codes) {
  switches_.Grab(codes);
}

SessionAnswer WaylandKeyboardWindow::PressSwitch(CompositorSwitches::Switch which) {
  // Before the keyboard runs it scans nothing.
  if (events_ == nullptr) return SessionAnswer::NotScanning;
  return switches_.Press(which, *events_);
}

void WaylandKeyboardWindow::ShowScanHighlight(const ScanHighlight& lit) {
  if (picture_.scan_lit == lit) return;
  picture_.scan_lit = lit;
  Redraw();
}

PointerTarget WaylandKeyboardWindow::TargetAtSurface(double x, double y) const {
  const int client_x = static_cast<int>(std::floor(x));
  const int client_y = static_cast<int>(std::floor(y)) - StatusLineHeight(picture_.geometry);
  if (client_y < 0) return {};
  return TargetAt(picture_.geometry, client_x, client_y);
}

void WaylandKeyboardWindow::ReportButton(std::uint32_t button, bool pressed, Point screen_point) {
  if (events_ == nullptr || (button != BTN_LEFT && button != BTN_MIDDLE && button != BTN_RIGHT)) {
    return;
  }
  if (pressed) {
    events_->MouseButtonPressed();
  } else {
    events_->MouseButtonReleased(screen_point);
  }
}

Point WaylandKeyboardWindow::ScreenPointAt(double x, double y) const {
  return {outer_.x + static_cast<int>(std::floor(x)), outer_.y + static_cast<int>(std::floor(y))};
}

void WaylandKeyboardWindow::PointerEntered(double x, double y) { PointerMotion(x, y); }

void WaylandKeyboardWindow::PointerMotion(double x, double y) {
  pointer_x_ = x;
  pointer_y_ = y;
  if (events_ == nullptr) return;
  const PointerTarget target = TargetAtSurface(x, y);
  // While a dialog is open the keyboard takes no input.
  if (dialog_) return;
  if (target.kind == PointerTarget::Kind::Panel) events_->PanelMouseMove(target.panel);
  events_->PointerMoved(target, ScreenPointAt(x, y));
}

void WaylandKeyboardWindow::PointerLeft() {
  press_is_click_ = false;
  if (picture_.pressed_cell != 0) {
    picture_.pressed_cell = 0;
    Redraw();
  }
  if (events_ != nullptr && !dialog_) {
    events_->PointerMoved({}, ScreenPointAt(pointer_x_, pointer_y_));
  }
}

bool WaylandKeyboardWindow::PanelPressIsClick(PanelId panel, Point at) {
  const auto now = std::chrono::steady_clock::now();
  const bool is_double = last_panel_press_ && last_panel_press_->panel == panel &&
                         !last_panel_press_->was_double &&
                         now - last_panel_press_->time <= kDoubleClickTime &&
                         std::abs(at.x - last_panel_press_->at.x) <= kDoubleClickDistance &&
                         std::abs(at.y - last_panel_press_->at.y) <= kDoubleClickDistance;
  last_panel_press_ = PanelPress{panel, now, at, is_double};
  return !is_double;
}

void WaylandKeyboardWindow::PointerButton(std::uint32_t button, bool pressed) {
  if (dialog_ || events_ == nullptr) return;
  if (menu_.open()) {
    // A click beside the open menu only closes it.
    if (pressed) menu_.Close();
    return;
  }
  const PointerTarget target = TargetAtSurface(pointer_x_, pointer_y_);
  const Point at = ScreenPointAt(pointer_x_, pointer_y_);
  if (button == BTN_RIGHT && pressed) {
    menu_.Open(*window_, outer_, {at.x - outer_.x, at.y - outer_.y});
    return;
  }
  if (button != BTN_LEFT) return;
  if (pressed) {
    pressed_ = target;
    press_is_click_ =
        target.kind != PointerTarget::Kind::Panel || PanelPressIsClick(target.panel, at);
    if (target.kind != PointerTarget::Kind::Panel) last_panel_press_.reset();
    picture_.pressed_cell = target.kind == PointerTarget::Kind::Button ? target.cell : 0;
    Redraw();
    return;
  }
  const bool click = press_is_click_ && target == pressed_;
  press_is_click_ = false;
  picture_.pressed_cell = 0;
  Redraw();
  if (!click) return;
  if (target.kind == PointerTarget::Kind::Button) {
    events_->doclick(design::ButtonName(target.cell));
  } else if (target.kind == PointerTarget::Kind::Panel) {
    events_->PanelClick(target.panel);
  }
}

}  // namespace plinth::platform::wayland
