#pragma once

// The keyboard window's fonts at one size of the window, owned for as long
// as that size lasts. When a face is not installed, the system's font
// mapper picks the nearest font of the same pitch and family, at the same
// height.

#include <map>

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class WindowFonts {
 public:
  // Character heights in pixels: the grid's captions, the smallest a
  // caption too wide may shrink to, the window's own font and the popup
  // menu's.
  WindowFonts(int button_height, int smallest_button_height, int window_height, int text_height);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  int button_height() const { return button_height_; }
  int smallest_button_height() const { return smallest_button_height_; }
  // "Lucida Console", 12 pixels as designed.
  HFONT button() const { return ButtonOfHeight(button_height_); }
  // The button's face at `height` pixels, made on first use.
  HFONT ButtonOfHeight(int height) const;
  HFONT window() const { return window_; }  // "MS Sans Serif", 11 pixels as designed
  HFONT text() const { return text_; }      // the same face, 12 pixels as designed

 private:
  int button_height_;
  int smallest_button_height_;
  mutable std::map<int, HFONT> buttons_;  // by height
  HFONT window_;
  HFONT text_;
};

}  // namespace plinth::platform::win32
