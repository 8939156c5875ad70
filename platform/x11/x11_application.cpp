#include "platform/x11/x11_application.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/x.H>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <iostream>
#include <optional>

#include "platform/common/windows1252.h"

namespace plinth::platform::x11 {
namespace {

// How long a redraw waits for events on their way, and at most for a run
// of them. A quick click's press and release come together: the release
// types its key before the pressed button is drawn, and the drawing after
// the key leaves the machine to the application that gets it.
constexpr int kDrawingGraceMilliseconds = 2;
constexpr std::chrono::milliseconds kLongestDrawingDelay{20};

// Whether an X event has come or comes within the grace, without reading
// it.
bool EventsComeSoon() {
  if (XEventsQueued(fl_display, QueuedAfterReading) > 0) return true;
  pollfd connection{ConnectionNumber(fl_display), POLLIN, 0};
  return poll(&connection, 1, kDrawingGraceMilliseconds) > 0;
}

// The handler only writes a byte; the event loop reads it and ends.
int signal_pipe[2] = {-1, -1};

extern "C" void OnTerminationSignal(int /*signal*/) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(signal_pipe[1], &byte, 1);
}

}  // namespace

bool X11Application::ending_ = false;
bool X11Application::running_ = false;

bool X11Application::Ending() {
  if (ending_ || (running_ && Fl::first_window() == nullptr)) return true;
  // A signal whose byte the loop has not read yet.
  pollfd waiting{signal_pipe[0], POLLIN, 0};
  return signal_pipe[0] >= 0 && poll(&waiting, 1, 0) > 0;
}

void X11Application::EndOnTerminationSignals() {
  if (pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  Fl::add_fd(signal_pipe[0], FL_READ, SignalArrived, this);
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void X11Application::SignalArrived(int fd, void* application) {
  char byte = 0;
  while (read(fd, &byte, 1) > 0) {
  }
  static_cast<X11Application*>(application)->Terminate();
  // An open popup menu runs a loop of its own, which ends only when the
  // menu takes an Escape; hiding its windows would leave the loop waiting.
  if (Fl_Window* menu = Fl::grab()) {
    Fl::e_keysym = FL_Escape;
    Fl::handle(FL_KEYBOARD, menu);
  }
  // Hiding the windows ends a dialog's loop.
  while (Fl_Window* window = Fl::first_window()) window->hide();
}

int X11Application::Run() {
  running_ = true;
  std::optional<std::chrono::steady_clock::time_point> drawing_waits_since;
  while (!terminate_requested_ && Fl::first_window() != nullptr) {
    const auto now = std::chrono::steady_clock::now();
    if (Fl::damage() == 0 || now - drawing_waits_since.value_or(now) > kLongestDrawingDelay ||
        !EventsComeSoon()) {
      // Draws what waits, then blocks until the next event.
      drawing_waits_since.reset();
      Fl::wait(1e20);
      continue;
    }
    // Handles the events that have come, and sends nothing yet: FLTK's
    // wait draws and flushes the requests first, then handles events; told
    // of no damage, it only flushes what nothing was asked since (no key
    // has gone out since the last wait).
    if (!drawing_waits_since) drawing_waits_since = now;
    const int waiting = Fl::damage();
    Fl::damage(0);
    Fl::wait(kDrawingGraceMilliseconds / 1000.0);
    Fl::damage(Fl::damage() | waiting);
  }
  return 0;
}

void X11Application::ReportOnStandardError(const std::string& text) {
  std::cerr << "plinth: " << Cp1252ToUtf8(text) << std::endl;
}

}  // namespace plinth::platform::x11
