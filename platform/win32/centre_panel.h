#pragma once

// One of the two nested panels of the centre cell, a window class of our
// own: a flat square with a one-pixel border, filled with the colour of its
// state; an armed panel has a light frame inside as well, so that it differs
// from hover by more than its colour. The Shift panel is a child window of the Extend panel, so the
// inner square is the Shift panel's only and the ring around it the Extend panel's only.
//
// A click is a left press and release over the panel. A press that the
// system reports as a double-click (the class asks for them) is no click,
// so a quick double-click counts once.

#include <functional>

#include "platform/form_geometry.h"
#include "platform/keyboard_window.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

struct PanelHandlers {
  std::function<void()> pointer_moved;
  std::function<void()> clicked;
};

class CentrePanel {
 public:
  static constexpr const char* kClassName = "PlinthPanel";

  // Creates the panel as a child of `parent`; `placement` is its outer
  // rectangle, border included, in `parent`'s client coordinates.
  CentrePanel(HWND parent, RECT placement, PanelHandlers handlers);
  CentrePanel(const CentrePanel&) = delete;
  CentrePanel& operator=(const CentrePanel&) = delete;

  HWND handle() const { return window_; }
  void SetState(PanelState state);
  // The width of the light frame inside an armed panel.
  void SetArmedFrame(int width);
  PanelState state() const { return state_; }
  // How far the dwell bar is filled, in thousandths (0 hides it), and how
  // it looks at the window's present size.
  void SetDwellProgress(int permille, const DwellBarLook& look);

  // The colour that shows `state`; idle is the system's button-face colour.
  static COLORREF StateColour(PanelState state);

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void Paint(HDC dc) const;

  HWND window_ = nullptr;
  PanelHandlers handlers_;
  PanelState state_ = PanelState::Idle;
  int armed_frame_ = 1;
  bool press_is_click_ = false;
  int dwell_permille_ = 0;
  DwellBarLook dwell_bar_look_;
};

}  // namespace plinth::platform::win32
