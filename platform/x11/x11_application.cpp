#include "platform/x11/x11_application.h"

#include <FL/Fl.H>

namespace plinth::platform::x11 {
namespace {

// A timeout whose only work is to end the wait for events.
void WakeUp(void* /*data*/) {}

}  // namespace

int X11Application::Run() {
  while (!terminate_requested_ && Fl::first_window() != nullptr) {
    Fl::wait();
    Housekeep();
  }
  return 0;
}

void X11Application::Housekeep() {
  if (!housekeeping_) return;
  const auto again = housekeeping_();
  Fl::remove_timeout(WakeUp);
  if (again) Fl::add_timeout(std::chrono::duration<double>(*again).count(), WakeUp);
}

}  // namespace plinth::platform::x11
