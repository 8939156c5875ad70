#pragma once

// A display of the test's own: an Xvfb server on a free display number,
// optionally with a window manager (openbox, or i3 tiling every window),
// and a connection to it.

#include <X11/Xlib.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace plinth::x11_test {

using test_support::ChildOptions;
using test_support::ChildProcess;

// I3Tiling: i3 made to tile the keyboard too, which it would float, so that
// the window has the size of its tile whatever it asks for.
enum class WindowManager { Absent, Openbox, I3Tiling };

class XSession {
 public:
  static constexpr int kScreenWidth = 1024;
  static constexpr int kScreenHeight = 768;

  // Starts the server (and the window manager, ready to manage windows);
  // throws when either does not come up in time.
  explicit XSession(WindowManager manager);
  ~XSession();
  XSession(const XSession&) = delete;
  XSession& operator=(const XSession&) = delete;

  // ":N", for the DISPLAY of the programs the test starts.
  const std::string& display_name() const { return display_name_; }
  Display* display() const { return display_; }
  WindowManager window_manager() const { return manager_; }
  // Runs xrandr with `arguments` on this display; returns its exit status.
  std::optional<int> Xrandr(const std::vector<std::string>& arguments);
  // Gives the screen another size, its monitor kept: the screen shows only
  // part of it. True once the root window has the new size. (xrandr fails
  // to fit the monitor's mode to the smaller screen and says so, but the
  // screen takes the size.)
  bool ResizeScreen(int width, int height);
  // Switches the monitor to a mode of another resolution, and the screen
  // to its size, as a user does in the display settings. True once the
  // root window has the new size.
  bool ChangeResolution(int width, int height);

 private:
  void StartServer();
  void StartWindowManager();
  bool WaitForRootSize(int width, int height);

  WindowManager manager_;
  std::filesystem::path log_directory_;
  std::unique_ptr<ChildProcess> server_;
  std::unique_ptr<ChildProcess> window_manager_;
  std::string display_name_;
  Display* display_ = nullptr;
};

}  // namespace plinth::x11_test
