#pragma once

// One push button of the 7 x 7 grid, a window class of our own, raised, or
// sunken with a thick frame while the state it switches is on: it
// shows its caption as plain text in its font colour, never takes the
// focus, reacts to the left mouse button only, and counts every press and
// release over it as a click, the second press of a double-click included
// (the class asks for no double-click messages). A caption too wide for it
// shrinks, then ends in an ellipsis: its start always shows.

#include <functional>
#include <string>

#include "platform/common/caption_fit.h"
#include "platform/form_geometry.h"
#include "platform/keyboard_window.h"
#include "platform/win32/window_fonts.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class GridButton {
 public:
  static constexpr const char* kClassName = "PlinthGridButton";

  // Creates the button as a child of `parent` at `placement` (client
  // coordinates), captioned `caption`. `fonts` stay owned by the caller
  // and must outlive their use here.
  GridButton(HWND parent, RECT placement, const std::string& caption, const WindowFonts& fonts,
             std::function<void()> on_click);
  GridButton(const GridButton&) = delete;
  GridButton& operator=(const GridButton&) = delete;

  HWND handle() const { return window_; }
  void SetCaption(const std::string& caption);
  void SetFontColour(FontColour colour);
  void SetFonts(const WindowFonts& fonts);
  // Whether the state the button switches is on: sunken with a thick frame.
  void SetState(ButtonState state);
  // The width of the frame of an on button and the side of a mode's marker.
  void SetStateLook(int frame, int marker);
  const std::string& caption() const { return caption_; }
  // The caption as the button shows it at its present size.
  FittedCaption ShownCaption() const;
  FontColour font_colour() const { return colour_; }
  // How far the dwell bar is filled, in thousandths (0 hides it), and how
  // it looks at the window's present size.
  void SetDwellProgress(int permille, const DwellBarLook& look);
  ButtonState state() const { return state_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void Paint(HDC dc) const;
  // Fits the caption, measured in `dc`, which is left with no font chosen.
  FittedCaption Fit(HDC dc) const;
  void PaintStateMarks(HDC dc, RECT inside) const;
  void SetPressed(bool pressed);
  bool PointerInside(LPARAM lparam) const;

  HWND window_ = nullptr;
  const WindowFonts* fonts_;
  std::function<void()> on_click_;
  std::string caption_;
  mutable CaptionFitCache fitted_caption_;
  FontColour colour_ = FontColour::WindowText;
  ButtonState state_ = ButtonState::Off;
  int state_frame_ = 2;
  int mode_marker_ = 6;
  bool tracking_ = false;  // the left button went down over us
  bool pressed_ = false;   // drawn pushed in
  int dwell_permille_ = 0;
  DwellBarLook dwell_bar_look_;
};

}  // namespace plinth::platform::win32
