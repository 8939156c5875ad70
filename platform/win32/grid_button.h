#pragma once

// One raised push button of the 7 x 7 grid, a window class of our own: it
// shows its caption as plain text in its font colour, never takes the
// focus, reacts to the left mouse button only, and counts every press and
// release over it as a click, the second press of a double-click included
// (the class asks for no double-click messages).

#include <functional>
#include <string>

#include "platform/keyboard_window.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class GridButton {
 public:
  static constexpr const char* kClassName = "PlinthGridButton";

  // Creates the button as a child of `parent` at `placement` (client
  // coordinates), captioned `caption`.
  GridButton(HWND parent, RECT placement, const std::string& caption, HFONT font,
             std::function<void()> on_click);
  GridButton(const GridButton&) = delete;
  GridButton& operator=(const GridButton&) = delete;

  HWND handle() const { return window_; }
  void SetCaption(const std::string& caption);
  void SetFontColour(FontColour colour);
  // `font` stays owned by the caller and must outlive its use here.
  void SetFont(HFONT font);
  const std::string& caption() const { return caption_; }
  FontColour font_colour() const { return colour_; }

  LRESULT HandleMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

 private:
  void Paint(HDC dc) const;
  void SetPressed(bool pressed);
  bool PointerInside(LPARAM lparam) const;

  HWND window_ = nullptr;
  HFONT font_;
  std::function<void()> on_click_;
  std::string caption_;
  FontColour colour_ = FontColour::WindowText;
  bool tracking_ = false;  // the left button went down over us
  bool pressed_ = false;   // drawn pushed in
};

}  // namespace plinth::platform::win32
