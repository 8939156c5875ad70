#pragma once

// The keyboard window on Wayland: a layer surface on the overlay layer that
// never takes the keyboard focus and reserves no room, with a status line of
// its own above the grid. Its place is kept as the outer top-left corner in
// the compositor's layout; the surface lies on the output holding that
// place, anchored to the output's corner it is docked to (left and top
// otherwise) at the margins that put it there. The popup menu and the
// warning dialog are layer surfaces of their own.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/keyboard_window.h"
#include "platform/wayland/compositor_switches.h"
#include "platform/wayland/event_loop.h"
#include "platform/wayland/focus_watch.h"
#include "platform/wayland/keyboard_picture.h"
#include "platform/wayland/layer_window.h"
#include "platform/wayland/message_dialog.h"
#include "platform/wayland/popup_menu.h"

namespace plinth::platform::wayland {

class WaylandKeyboardWindow final : public KeyboardWindow, public PointerHandler {
 public:
  WaylandKeyboardWindow(WaylandConnection& connection, EventLoop& loop);
  ~WaylandKeyboardWindow() override;
  WaylandKeyboardWindow(const WaylandKeyboardWindow&) = delete;
  WaylandKeyboardWindow& operator=(const WaylandKeyboardWindow&) = delete;

  // Shows the keyboard again if the compositor closed its surface. A layer
  // surface cannot be minimised or hidden by the user, and the compositor
  // stacks the surfaces of the overlay layer as it likes: sway 1.7 keeps
  // the oldest on top, so that a surface made anew would go under every
  // other and one still shown is left as it is.
  void BringBack();

  // Where the window lies in the compositor's layout.
  Rect Area() const;

  void SetEventSink(WindowEvents* events) override { events_ = events; }
  // Each motion event carries the pointer's place when it was sent.
  PointerPositions ReportedPointerPositions() const override {
    return PointerPositions::OfTheEvent;
  }
  // A layer surface with no keyboard interactivity never takes the focus.
  void MakeNonActivating() override {}
  void Show() override;

  void SetCaption(const std::string& text) override;
  void SetButtonCaption(int cell, const std::string& text) override;
  void SetButtonFontColour(int cell, FontColour colour) override;
  void SetButtonState(int cell, ButtonState state) override;
  void SetPanelState(PanelId panel, PanelState state) override;
  void SetMenuItemChecked(MenuItemId item, bool checked) override;
  void SetGeometry(const FormGeometry& geometry) override;
  // No border to drag: the size changes with the layout and the screen.
  void SetResizeLimits(Size /*smallest*/, Size /*largest*/) override {}

  Point OuterPosition() override { return outer_; }
  Size OuterSize() override;
  void MoveTo(Point outer) override;
  Point FrameOffset() override;

  void ShowWarning(const std::string& text) override;
  void ShowApplicationError(const std::string& text) override;
  void ShowDwellProgress(PointerTarget target, int permille) override;
  void PressDialogOk() override;
  // A Wayland client cannot take keys from the others: the compositor
  // binds them and PressSwitch brings their presses.
  void GrabSwitchKeys(const std::vector<std::uint16_t>& codes) override;
  SessionAnswer PressSwitch(CompositorSwitches::Switch which);
  void ShowScanHighlight(const ScanHighlight& lit) override;

  void PointerEntered(double x, double y) override;
  void PointerMotion(double x, double y) override;
  void PointerLeft() override;
  void PointerButton(std::uint32_t button, bool pressed) override;
  Point ScreenPointAt(double x, double y) const override;

 private:
  void Place();
  // The size of the window, its status line included.
  Size Outer() const;
  // The output the keyboard lies on (output_choice.h); null before there
  // is one.
  const Output* KeyboardOutput() const;
  void RunDialog(const std::string& title, MessageIcon icon, const std::string& text);
  PointerTarget TargetAtSurface(double x, double y) const;
  // Tells the keyboard of a press or release of the left, middle or right
  // button over any of its surfaces.
  void ReportButton(std::uint32_t button, bool pressed, Point screen_point);
  void OutputsChanged(const wl_output* removed);
  void Redraw() { window_->Redraw(); }
  bool PanelPressIsClick(PanelId panel, Point at);

  WaylandConnection& connection_;
  EventLoop& loop_;
  WindowEvents* events_ = nullptr;
  KeyboardPicture picture_;
  std::unique_ptr<LayerWindow> window_;
  PopupMenu menu_;
  std::unique_ptr<MessageDialog> dialog_;
  Point outer_{design::kWindowLeft, design::kWindowTop};
  bool shown_ = false;
  // The pointer over the surface, in surface coordinates.
  double pointer_x_ = 0;
  double pointer_y_ = 0;
  PointerTarget pressed_;
  bool press_is_click_ = false;
  // The last press on a panel, for telling a double-click.
  struct PanelPress {
    PanelId panel;
    std::chrono::steady_clock::time_point time;
    Point at;
    bool was_double;
  };
  std::optional<PanelPress> last_panel_press_;
  FocusWatch focus_;
  CompositorSwitches switches_;
};

}  // namespace plinth::platform::wayland
