// The keyboard window on a monitor of another resolution.

#include "platform/win32/win32_keyboard_window.h"

namespace plinth::platform::win32 {

void Win32KeyboardWindow::MoveToDpi(int dpi, const RECT* suggested) {
  Deliver([dpi](WindowEvents& e) { e.FormDpiChanged(dpi); });
  if (suggested != nullptr) {
    SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace plinth::platform::win32
