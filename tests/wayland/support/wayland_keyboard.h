#pragma once

// The real `plinth` started on a test's sway, from a directory of the
// test's own with the layout files beside it, and where its buttons are:
// a fresh keyboard lies where it would on X11, its grid below its status
// line.

#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_geometry.h"
#include "tests/support/child_process.h"
#include "tests/wayland/support/sway_session.h"
#include "tests/x11/support/keyboard_program.h"

namespace plinth::wayland_test {

using x11_test::LayoutFiles;
using x11_test::StartOptions;

struct Pixel {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// The colour of one point of the session's output, from a picture grim
// takes of it; nothing when grim fails.
std::optional<Pixel> PixelAt(const SwaySession& session, int x, int y);

// Where the keyboard running in `session` listens for requests.
std::filesystem::path KeyboardSocketPath(const SwaySession& session);

// Runs plinth with `args` in `env` to its end; its standard error, and its
// exit status in `status`.
std::string RunPlinth(const std::vector<std::string>& args,
                      const std::map<std::string, std::string>& env, int* status);

class WaylandKeyboard {
 public:
  WaylandKeyboard(const SwaySession& session, const LayoutFiles& layouts,
                  const StartOptions& start = {});
  ~WaylandKeyboard();
  WaylandKeyboard(const WaylandKeyboard&) = delete;
  WaylandKeyboard& operator=(const WaylandKeyboard&) = delete;

  // Waits until the keyboard shows its status line on the output.
  bool WaitForWindow(std::chrono::milliseconds timeout = std::chrono::milliseconds(10000)) const;
  test_support::ChildProcess& process() { return *process_; }
  std::string StandardError() const;
  // The user's data folder of the program ($XDG_DATA_HOME/plinth/), a
  // folder of the test's own.
  std::filesystem::path DataFolder() const { return folder_.path() / "data" / "plinth"; }

  // Layout points of the grid at the designed size.
  platform::Point CellCentre(int cell) const;
  platform::Point Home() const;
  platform::Point ShiftPanel() const { return Home(); }
  platform::Point ExtendRing() const;

 private:
  const SwaySession& session_;
  x11_test::ProgramFolder folder_;
  std::unique_ptr<test_support::ChildProcess> process_;
};

}  // namespace plinth::wayland_test
