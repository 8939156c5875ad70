#include "tests/e2e/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace plinth::e2e {
namespace {

using Clock = std::chrono::steady_clock;

[[noreturn]] void ExecChild(const std::vector<std::string>& argv,
                            const std::map<std::string, std::string>& extra_env) {
  for (const auto& [name, value] : extra_env) setenv(name.c_str(), value.c_str(), 1);
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  execvp(args[0], args.data());
  std::perror(args[0]);
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::map<std::string, std::string>& extra_env,
                           const std::string& log_path) {
  pid_ = fork();
  if (pid_ == 0) {
    setpgid(0, 0);  // out of the terminal's signals
    if (!log_path.empty()) {
      const int fd = open(log_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
      if (fd >= 0) {
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
      }
    }
    ExecChild(argv, extra_env);
  }
}

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Running() {
  Wait(0);
  return pid_ > 0;
}

int ChildProcess::Wait(int timeout_ms) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (pid_ > 0) {
    int status = 0;
    const pid_t ended = waitpid(pid_, &status, WNOHANG);
    if (ended == pid_) {
      pid_ = -1;
      status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    } else if (ended < 0) {
      pid_ = -1;
    } else if (Clock::now() >= deadline) {
      return -1;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  return status_;
}

void ChildProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  Wait(1000);
  if (pid_ > 0) {
    kill(pid_, SIGKILL);
    Wait(1000);
  }
}

std::string RunAndCapture(const std::vector<std::string>& argv,
                          const std::map<std::string, std::string>& extra_env, int timeout_ms,
                          int* exit_status) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(pipe_fds[1], STDOUT_FILENO);
    ExecChild(argv, extra_env);
  }
  close(pipe_fds[1]);
  std::string output;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  bool timed_out = false;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) {
      timed_out = true;
      break;
    }
    pollfd fd{pipe_fds[0], POLLIN, 0};
    if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) continue;
    char buffer[4096];
    const ssize_t got = read(pipe_fds[0], buffer, sizeof buffer);
    if (got <= 0) break;
    output.append(buffer, static_cast<std::size_t>(got));
  }
  close(pipe_fds[0]);
  if (timed_out && pid > 0) kill(pid, SIGKILL);
  int status = 0;
  if (pid > 0) waitpid(pid, &status, 0);
  if (exit_status != nullptr) {
    *exit_status = !timed_out && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return output;
}

}  // namespace plinth::e2e
