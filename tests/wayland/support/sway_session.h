#pragma once

// A headless sway of the test's own: its own runtime directory, socket and
// configuration, run as an unprivileged user when the tests run as root
// (sway refuses root), with a keyboard and a pointer on its seat, so that
// clients get the focus and clicks. Clicks go through sway's IPC, as
// `swaymsg seat - cursor ...`.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/child_process.h"

namespace plinth::wayland_test {

using test_support::ChildOptions;
using test_support::ChildProcess;

// The user sway runs as when the tests run as root; scripts/install-deps.sh
// creates it.
inline constexpr const char* kSwayUser = "plinth-test";

class SwaySession {
 public:
  static constexpr int kOutputWidth = 1024;
  static constexpr int kOutputHeight = 768;

  // Starts sway and the seat's devices; throws when either does not come up
  // in time. `extra_config` is added to sway's configuration.
  explicit SwaySession(const std::string& extra_config = "");
  ~SwaySession();
  SwaySession(const SwaySession&) = delete;
  SwaySession& operator=(const SwaySession&) = delete;

  // Why no session can be had here (sway missing, no user to run it as);
  // empty when one can.
  static std::string Unavailable();

  // What a client of this session needs in its environment.
  std::map<std::string, std::string> ClientEnvironment() const;
  const std::filesystem::path& runtime_directory() const { return runtime_; }

  // Runs swaymsg with `arguments`; returns its output, and its exit status
  // in `status`.
  std::string Swaymsg(const std::vector<std::string>& arguments, int* status = nullptr) const;
  // Moves the pointer to a point of the layout: set twice, so that the
  // client under it sees a motion.
  void MovePointer(int x, int y) const;
  void PressButton() const;
  void ReleaseButton() const;
  // MovePointer, then a left press and release there.
  void Click(int x, int y) const;
  // A picture of the whole output, the pointer included; true when made.
  bool Screenshot(const std::filesystem::path& png) const;
  std::string Log() const;

 private:
  void Start(const std::string& extra_config);
  void Stop();

  std::filesystem::path runtime_;
  std::string ipc_socket_;
  std::string socket_;
  std::unique_ptr<ChildProcess> sway_;
  std::unique_ptr<ChildProcess> devices_;
};

}  // namespace plinth::wayland_test
