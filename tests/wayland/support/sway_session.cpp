#include "tests/wayland/support/sway_session.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/temp_directory.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;
using x11_test::ReadFile;

bool OnPath(const std::string& program) {
  return test_support::RunAndCapture({.argv = {"sh", "-c", "command -v " + program}}, 5000ms)
             .empty() == false;
}

const passwd* SwayUser() { return getuid() == 0 ? getpwnam(kSwayUser) : nullptr; }

// The socket sway made in `runtime`, whose name starts with `prefix`.
std::string FindSocket(const std::filesystem::path& runtime, const std::string& prefix) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(runtime, error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && entry.is_socket()) return entry.path().string();
  }
  return {};
}

}  // namespace

std::string SwaySession::Unavailable() {
  for (const char* program : {"sway", "swaymsg", "setpriv", "wev", "grim", "wtype", "stdbuf"}) {
    if (!OnPath(program)) return std::string(program) + " is not installed";
  }
  if (getuid() == 0 && SwayUser() == nullptr) {
    return std::string("no user ") + kSwayUser + " to run sway as (scripts/install-deps.sh)";
  }
  return {};
}

SwaySession::SwaySession(const std::string& extra_config)
    : runtime_(x11_test::MakeTempDirectory("plinth-sway-")),
      ipc_socket_((runtime_ / "sway-ipc.sock").string()) {
  try {
    Start(extra_config);
  } catch (...) {
    Stop();
    throw;
  }
}

void SwaySession::Start(const std::string& extra_config) {
  const passwd* user = SwayUser();
  std::ofstream(runtime_ / "config") << "output HEADLESS-1 resolution " << kOutputWidth << "x"
                                     << kOutputHeight << " position 0 0\n"
                                     << "default_border none\n"
                                     << "xwayland disable\n"
                                     << "focus_follows_mouse no\n"
                                     << extra_config << "\n";
  if (user != nullptr) {
    // The compositor's user owns its runtime directory; the tests, as root,
    // reach its sockets all the same.
    if (chown(runtime_.c_str(), user->pw_uid, user->pw_gid) != 0 ||
        chown((runtime_ / "config").c_str(), user->pw_uid, user->pw_gid) != 0) {
      throw std::runtime_error("cannot give the runtime directory to " + std::string(kSwayUser));
    }
  }
  chmod(runtime_.c_str(), 0700);

  ChildOptions options;
  if (user != nullptr) {
    options.argv = {"setpriv", "--reuid=" + std::to_string(user->pw_uid),
                    "--regid=" + std::to_string(user->pw_gid), "--clear-groups"};
  }
  options.argv.insert(options.argv.end(), {"sway", "-c", (runtime_ / "config").string()});
  options.working_directory = runtime_.string();
  options.env = {{"HOME", runtime_.string()},
                 {"XDG_RUNTIME_DIR", runtime_.string()},
                 {"XDG_CONFIG_HOME", runtime_.string()},
                 {"WLR_BACKENDS", "headless"},
                 {"WLR_LIBINPUT_NO_DEVICES", "1"},
                 {"WLR_RENDERER", "pixman"},
                 // Where sway makes its IPC socket.
                 {"SWAYSOCK", ipc_socket_}};
  options.stderr_path = (runtime_ / "sway.log").string();
  sway_ = std::make_unique<ChildProcess>(options);

  const bool up = x11_test::WaitUntil(
      [this] {
        socket_ = FindSocket(runtime_, "wayland-");
        return !socket_.empty() && std::filesystem::exists(ipc_socket_);
      },
      20000ms);
  int status = -1;
  if (up) Swaymsg({"-t", "get_outputs"}, &status);
  if (!up || status != 0) {
    throw std::runtime_error("sway did not start within 20 s:\n" + Log());
  }

  ChildOptions devices;
  devices.argv = {PLINTH_SEAT_DEVICES};
  devices.env = ClientEnvironment();
  devices.stdout_path = (runtime_ / "devices.log").string();
  devices.stderr_path = (runtime_ / "devices.err").string();
  devices_ = std::make_unique<ChildProcess>(devices);
  if (!x11_test::WaitUntil(
          [this] { return ReadFile(runtime_ / "devices.log").find("ready") != std::string::npos; },
          10000ms)) {
    throw std::runtime_error("the seat got no devices: " + ReadFile(runtime_ / "devices.err"));
  }
}

SwaySession::~SwaySession() { Stop(); }

void SwaySession::Stop() {
  devices_.reset();
  sway_.reset();
  std::error_code ignored;
  std::filesystem::remove_all(runtime_, ignored);
}

std::map<std::string, std::string> SwaySession::ClientEnvironment() const {
  return {{"XDG_RUNTIME_DIR", runtime_.string()},
          {"WAYLAND_DISPLAY", std::filesystem::path(socket_).filename().string()},
          {"SWAYSOCK", ipc_socket_}};
}

std::string SwaySession::Swaymsg(const std::vector<std::string>& arguments, int* status) const {
  ChildOptions options;
  options.argv = {"swaymsg", "-s", ipc_socket_};
  options.argv.insert(options.argv.end(), arguments.begin(), arguments.end());
  return test_support::RunAndCapture(options, 10000ms, status);
}

void SwaySession::MovePointer(int x, int y) const {
  for (int time = 0; time < 2; ++time) {
    Swaymsg({"seat", "-", "cursor", "set", std::to_string(x), std::to_string(y)});
  }
}

void SwaySession::PressButton() const { Swaymsg({"seat", "-", "cursor", "press", "button1"}); }

void SwaySession::ReleaseButton() const { Swaymsg({"seat", "-", "cursor", "release", "button1"}); }

void SwaySession::Click(int x, int y) const {
  MovePointer(x, y);
  PressButton();
  ReleaseButton();
}

bool SwaySession::Screenshot(const std::filesystem::path& png) const {
  ChildOptions options;
  options.argv = {"grim", png.string()};
  options.env = ClientEnvironment();
  int status = -1;
  test_support::RunAndCapture(options, 20000ms, &status);
  return status == 0 && std::filesystem::exists(png);
}

std::string SwaySession::Log() const { return ReadFile(runtime_ / "sway.log"); }

}  // namespace plinth::wayland_test
