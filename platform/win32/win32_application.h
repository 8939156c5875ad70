#pragma once

// The Windows message loop of the keyboard's one thread.

#include "platform/platform.h"

namespace plinth::platform::win32 {

class Win32Application final : public Application {
 public:
  // PostQuitMessage: the loop ends once the messages before it are handled.
  void Terminate() override;
  // Runs until WM_QUIT, which the window posts when it is closed. Returns
  // the quit message's exit code.
  int Run() override;
};

}  // namespace plinth::platform::win32
