#pragma once

// A program started by a test, stopped by its own PID when the test ends;
// and a program run to its end for its output.

#include <sys/types.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace plinth::test_support {

struct ChildOptions {
  std::vector<std::string> argv{};
  std::string working_directory{};           // empty: the test's own
  std::map<std::string, std::string> env{};  // added or replaced
  std::string stdout_path{};                 // empty: /dev/null
  std::string stderr_path{};                 // empty: /dev/null
  std::vector<int> inherited_fds{};          // kept open in the child
};

class ChildProcess {
 public:
  explicit ChildProcess(const ChildOptions& options);
  // Stops the program if it still runs.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // The exit status once the program has ended by itself within `timeout`;
  // -1 when a signal ended it.
  std::optional<int> WaitForExit(std::chrono::milliseconds timeout);
  // SIGTERM, then SIGKILL if it does not end soon.
  void Stop();

 private:
  bool Reap(bool block);

  pid_t pid_ = -1;
  std::optional<int> status_;
};

// Runs `options.argv` to its end (killed after `timeout`) and returns its
// standard output; `exit_status` receives the exit status, -1 on a timeout
// or a signal. `options.stdout_path` is not used.
std::string RunAndCapture(const ChildOptions& options, std::chrono::milliseconds timeout,
                          int* exit_status = nullptr);

}  // namespace plinth::test_support
