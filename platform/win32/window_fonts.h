#pragma once

// The keyboard window's fonts, owned for the window's lifetime. When a face
// is not installed, the system's font mapper picks the nearest font of the
// same pitch and family, at the same height.

#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

class WindowFonts {
 public:
  // Character heights in pixels.
  WindowFonts(int button_height, int window_height);
  ~WindowFonts();
  WindowFonts(const WindowFonts&) = delete;
  WindowFonts& operator=(const WindowFonts&) = delete;

  HFONT button() const { return button_; }  // "Lucida Console", 12 pixels as designed
  HFONT window() const { return window_; }  // "MS Sans Serif", 11 pixels as designed

 private:
  HFONT button_;
  HFONT window_;
};

}  // namespace plinth::platform::win32
