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
  // "Plinth: " and the text, as Windows-1252 bytes, when the program has a
  // standard error (started from a console or with it redirected).
  void ReportOnStandardError(const std::string& text) override;
};

}  // namespace plinth::platform::win32
