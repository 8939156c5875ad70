#include "tests/x11/support/x_session.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <thread>

#include "platform/x11/frame_extents.h"
#include "tests/x11/support/temp_directory.h"

namespace plinth::x11_test {
namespace {

using namespace std::chrono_literals;

constexpr auto kServerTimeout = 10s;
constexpr auto kWindowManagerTimeout = 15s;

// Reads the display number that Xvfb writes to the pipe once it is ready.
std::string ReadDisplayNumber(int fd) {
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + kServerTimeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd readable{fd, POLLIN, 0};
    if (poll(&readable, 1, static_cast<int>(left.count())) <= 0) break;
    char c = 0;
    if (read(fd, &c, 1) != 1) break;
    if (c == '\n') return number;
    number += c;
  }
  throw std::runtime_error("Xvfb did not report a display number");
}

// Windows of other clients come and go while a test looks at them; a
// request about one that is gone fails, and the test goes on.
int IgnoreErrors(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

// A window manager that follows the EWMH names its window on the root once
// it manages the screen.
bool AnnouncesWindowManager(Display* display) {
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long remaining = 0;
  unsigned char* data = nullptr;
  const bool announced =
      XGetWindowProperty(display, DefaultRootWindow(display),
                         XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                         AnyPropertyType, &type, &format, &count, &remaining, &data) == Success &&
      count == 1;
  if (data != nullptr) XFree(data);
  return announced;
}

}  // namespace

XSession::XSession(WindowManager manager) : manager_(manager) {
  log_directory_ = MakeTempDirectory("plinth-x11-session-");
  StartServer();
  if (manager_ != WindowManager::Absent) StartWindowManager();
}

XSession::~XSession() {
  if (display_ != nullptr) XCloseDisplay(display_);
  window_manager_.reset();
  server_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(log_directory_, ignored);
}

void XSession::StartServer() {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const std::string screen =
      std::to_string(kScreenWidth) + "x" + std::to_string(kScreenHeight) + "x24";
  ChildOptions options;
  options.argv = {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten",
                  "tcp",  "-noreset"};
  options.stderr_path = (log_directory_ / "xvfb.log").string();
  options.inherited_fds = {fds[1]};
  server_ = std::make_unique<ChildProcess>(options);
  close(fds[1]);
  try {
    display_name_ = ":" + ReadDisplayNumber(fds[0]);
  } catch (...) {
    close(fds[0]);
    throw;
  }
  close(fds[0]);
  display_ = XOpenDisplay(display_name_.c_str());
  if (display_ == nullptr) throw std::runtime_error("cannot open " + display_name_);
  XSetErrorHandler(IgnoreErrors);
}

std::optional<int> XSession::Xrandr(const std::vector<std::string>& arguments) {
  ChildOptions options;
  options.argv = {"xrandr"};
  options.argv.insert(options.argv.end(), arguments.begin(), arguments.end());
  options.env = {{"DISPLAY", display_name_}};
  return ChildProcess(options).WaitForExit(5s);
}

bool XSession::ResizeScreen(int width, int height) {
  Xrandr({"--fb", std::to_string(width) + "x" + std::to_string(height)});
  return WaitForRootSize(width, height);
}

bool XSession::ChangeResolution(int width, int height) {
  const std::string mode = std::to_string(width) + "x" + std::to_string(height);
  // Xvfb shows any mode; the timings only have to be a valid mode line.
  const auto at = [](int size, int extra) { return std::to_string(size + extra); };
  Xrandr({"--newmode", mode, "40", at(width, 0), at(width, 40), at(width, 168), at(width, 256),
          at(height, 0), at(height, 1), at(height, 5), at(height, 28)});  // once per server
  Xrandr({"--addmode", "screen", mode});
  Xrandr({"--output", "screen", "--mode", mode, "--fb", mode});
  return WaitForRootSize(width, height);
}

bool XSession::WaitForRootSize(int width, int height) {
  const auto deadline = std::chrono::steady_clock::now() + 5s;
  for (;;) {
    XWindowAttributes root{};
    XGetWindowAttributes(display_, DefaultRootWindow(display_), &root);
    if (root.width == width && root.height == height) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
}

void XSession::StartWindowManager() {
  ChildOptions options;
  options.argv = {"openbox", "--sm-disable"};
  if (manager_ == WindowManager::I3Tiling) {
    const std::filesystem::path config = log_directory_ / "i3.config";
    std::ofstream(config) << "# i3 config file (v4)\n"
                          << "for_window [title=\"^Plinth$\"] floating disable\n";
    options.argv = {"i3", "-c", config.string()};
  }
  options.env = {{"DISPLAY", display_name_}};
  options.stderr_path = (log_directory_ / "window-manager.log").string();
  window_manager_ = std::make_unique<ChildProcess>(options);
  // Openbox is ready when it answers a question about frames, which it
  // does from its event loop, after loading its theme.
  const auto deadline = std::chrono::steady_clock::now() + kWindowManagerTimeout;
  while (std::chrono::steady_clock::now() < deadline) {
    if (manager_ == WindowManager::Openbox
            ? platform::x11::ProbeKeyboardFrame(display_, 100, 100).top > 0
            : AnnouncesWindowManager(display_)) {
      return;
    }
    if (!window_manager_->Running()) break;
    std::this_thread::sleep_for(50ms);
  }
  throw std::runtime_error(options.argv.front() + " did not come up on " + display_name_);
}

}  // namespace plinth::x11_test
