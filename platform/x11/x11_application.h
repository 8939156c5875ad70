#pragma once

// FLTK's event loop as the keyboard's message loop.

#include <string>

#include "platform/platform.h"

namespace plinth::platform::x11 {

class X11Application final : public Application {
 public:
  // Ends the program on SIGTERM, SIGINT and SIGHUP as if its window were
  // closed, so that destructors run: held keys are released and borrowed
  // keycodes given back.
  void EndOnTerminationSignals();

  // The end takes effect once the event being handled is done.
  void Terminate() override {
    terminate_requested_ = true;
    ending_ = true;
  }
  // Whether the program is ending: asked to end, a termination signal has
  // come (handled or not), or its loop runs with no window left. A dialog
  // opened now would only hold it.
  static bool Ending();
  // Runs until Terminate() or until the last window is closed. Returns 0.
  int Run() override;
  // "plinth: " and the text in UTF-8.
  void ReportOnStandardError(const std::string& text) override;

 private:
  static void SignalArrived(int fd, void* application);

  static bool ending_;
  static bool running_;
  bool terminate_requested_ = false;
};

}  // namespace plinth::platform::x11
