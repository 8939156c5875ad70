#pragma once

// The OK button of a message box the keyboard has open: found among the
// windows of this thread, and the dwell bar drawn over it, a button of the
// system's class that knows nothing of the bar.

#include "platform/form_geometry.h"
#include "platform/win32/windows_api.h"

namespace plinth::platform::win32 {

// The OK button of the visible message box owned by `owner`, or null.
HWND OpenMessageBoxOk(HWND owner);

class DwellBarOverButton {
 public:
  // Shows `permille` thousandths of the dwell time on `button`, drawn as
  // `look` says; 0 lets the button paint itself bare again.
  void Show(HWND button, int permille, const DwellBarLook& look);

 private:
  int shown_ = 0;
};

}  // namespace plinth::platform::win32
