#include "tests/support/child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace plinth::test_support {
namespace {

void RedirectTo(const std::string& path, int target_fd) {
  const int fd =
      open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) _exit(126);
  dup2(fd, target_fd);
  close(fd);
}

// Starts the program; `stdout_fd`, when not -1, becomes its standard output.
pid_t Start(const ChildOptions& options, int stdout_fd) {
  if (options.argv.empty()) throw std::invalid_argument("ChildProcess: no program");
  std::vector<char*> argv;
  for (const auto& arg : options.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid > 0) return pid;

  // Ends with the test, also when the test is killed and its destructors
  // never run.
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(126);
  // Own process group, so that nothing the test's terminal sends reaches it.
  setpgid(0, 0);
  if (!options.working_directory.empty() && chdir(options.working_directory.c_str()) != 0) {
    _exit(126);
  }
  for (const auto& [name, value] : options.env) setenv(name.c_str(), value.c_str(), 1);
  for (const int fd : options.inherited_fds) {
    const int flags = fcntl(fd, F_GETFD);
    if (flags >= 0) fcntl(fd, F_SETFD, flags & ~FD_CLOEXEC);
  }
  if (stdout_fd >= 0) {
    dup2(stdout_fd, STDOUT_FILENO);
  } else {
    RedirectTo(options.stdout_path, STDOUT_FILENO);
  }
  RedirectTo(options.stderr_path, STDERR_FILENO);
  execvp(argv[0], argv.data());
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const ChildOptions& options) : pid_(Start(options, -1)) {}

ChildProcess::~ChildProcess() { Stop(); }

bool ChildProcess::Reap(bool block) {
  if (status_) return true;
  int raw = 0;
  const pid_t done = waitpid(pid_, &raw, block ? 0 : WNOHANG);
  if (done != pid_) return false;
  status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return true;
}

bool ChildProcess::Running() { return !Reap(false); }

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!Reap(false)) {
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status_;
}

void ChildProcess::Stop() {
  if (pid_ <= 0 || Reap(false)) return;
  kill(pid_, SIGTERM);
  if (WaitForExit(std::chrono::milliseconds(2000))) return;
  kill(pid_, SIGKILL);
  Reap(true);
}

std::string RunAndCapture(const ChildOptions& options, std::chrono::milliseconds timeout,
                          int* exit_status) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) return {};
  const pid_t pid = Start(options, pipe_fds[1]);
  close(pipe_fds[1]);
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  bool timed_out = false;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
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
  if (timed_out) kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);
  if (exit_status != nullptr) {
    *exit_status = !timed_out && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return output;
}

}  // namespace plinth::test_support
