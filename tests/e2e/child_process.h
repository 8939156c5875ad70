#pragma once

// A program the end-to-end tests start and stop by its process id.

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

namespace plinth::e2e {

class ChildProcess {
 public:
  // Starts `argv` with `extra_env` added to the environment; its standard
  // output and error go to `log_path` (or stay with ours when empty).
  ChildProcess(const std::vector<std::string>& argv,
               const std::map<std::string, std::string>& extra_env,
               const std::string& log_path = "");
  // Stops the process if it still runs.
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }
  bool Running();
  // Sends SIGTERM, then SIGKILL if it has not ended within a second.
  void Stop();
  // Waits up to `timeout_ms` for the process to end; its exit status, or -1
  // while it runs (or when it did not end normally).
  int Wait(int timeout_ms);

 private:
  pid_t pid_ = -1;
  int status_ = -1;
};

// Runs `argv` to its end (at most `timeout_ms`) and returns its standard
// output; `exit_status` receives the exit status, -1 on a timeout.
std::string RunAndCapture(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& extra_env, int timeout_ms,
                          int* exit_status = nullptr);

}  // namespace plinth::e2e
