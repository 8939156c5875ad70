#pragma once

// The two nested panels of the centre cell: the Extend panel and, inside
// it, the Shift panel. Each is a flat square with a one-pixel border, filled
// with the colour of the state the keyboard logic gave it. They are separate
// targets: the inner square is the Shift panel only, the ring around it the
// Extend panel only.

#include <FL/Fl_Group.H>
#include <FL/Fl_Widget.H>

#include <functional>

#include "platform/form_geometry.h"
#include "platform/keyboard_window.h"

namespace plinth::platform::x11 {

// What the user does to a panel.
struct PanelHandlers {
  std::function<void()> pointer_moved;
  std::function<void()> clicked;
};

// Tells the second press of a double-click, by the rule of Windows: a
// press on the same target within 500 ms and 2 pixels of the previous
// press, unless that one already completed a double-click. Every press in
// the window is recorded, so a press on any other target in between (a grid
// button, the other panel) ends the double-click. (FLTK's own count allows a
// whole second and ignores the target.)
class DoubleClickDetector {
 public:
  static constexpr unsigned long kIntervalMs = 500;
  static constexpr int kDistance = 2;

  // Records a press on `target` at `time_ms` (the X server's clock) and
  // screen point (x, y); returns whether it completes a double-click.
  bool Press(const void* target, unsigned long time_ms, int x, int y);

 private:
  const void* previous_target_ = nullptr;
  bool previous_was_double_ = false;
  unsigned long previous_time_ = 0;
  int previous_x_ = 0;
  int previous_y_ = 0;
};

// Turns FLTK's mouse events over one panel into pointer moves and clicks.
// A click is a left press and release over the panel; a press released
// elsewhere, or a press that is a double-click, is none.
class PanelPointer {
 public:
  PanelPointer(PanelHandlers handlers, DoubleClickDetector& presses)
      : handlers_(std::move(handlers)), presses_(presses) {}
  // Returns whether the panel takes the event.
  int Handle(int event, const Fl_Widget& panel);

 private:
  PanelHandlers handlers_;
  DoubleClickDetector& presses_;
  bool press_is_click_ = false;
};

// The lines a panel is drawn with: its flat border, and the light frame
// inside an armed panel.
struct PanelLines {
  int border = 1;
  int armed_frame = 1;
};
PanelLines LinesOf(const platform::FormGeometry& geometry);

// The flat border, then the state's colour.
void DrawPanelSquare(const Fl_Widget& panel, platform::PanelState state, PanelLines lines);

class ShiftPanel final : public Fl_Widget {
 public:
  ShiftPanel(int x, int y, int size, PanelHandlers handlers, DoubleClickDetector& presses);
  void SetState(platform::PanelState state);
  platform::PanelState state() const { return state_; }
  void set_lines(PanelLines lines) { lines_ = lines; }
  // How far the dwell bar is filled, in thousandths (0 hides it), and how
  // it looks at the window's present size.
  void SetDwellProgress(int permille, const platform::DwellBarLook& look);
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  PanelPointer pointer_;
  platform::PanelState state_ = platform::PanelState::Idle;
  PanelLines lines_;
  int dwell_permille_ = 0;
  platform::DwellBarLook dwell_bar_look_;
};

class ExtendPanel final : public Fl_Group {
 public:
  // Builds the panel with the Shift panel inside it, where `geometry` puts
  // them. `presses` is the window's, shared with every other target, and
  // outlives the panels.
  ExtendPanel(const platform::FormGeometry& geometry, PanelHandlers extend_handlers,
              PanelHandlers shift_handlers, DoubleClickDetector& presses);
  void SetState(platform::PanelState state);
  platform::PanelState state() const { return state_; }
  ShiftPanel& shift_panel() { return *shift_; }
  // Places both panels where `geometry` puts them.
  void Place(const platform::FormGeometry& geometry);
  // How far the dwell bar is filled, in thousandths (0 hides it), and how
  // it looks at the window's present size.
  void SetDwellProgress(int permille, const platform::DwellBarLook& look);
  int handle(int event) override;

 protected:
  void draw() override;

 private:
  PanelPointer pointer_;
  ShiftPanel* shift_ = nullptr;  // owned by the group
  platform::PanelState state_ = platform::PanelState::Idle;
  PanelLines lines_;
  int dwell_permille_ = 0;
  platform::DwellBarLook dwell_bar_look_;
};

}  // namespace plinth::platform::x11
