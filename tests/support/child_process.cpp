#include "tests/x11/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace plinth::x11_test {
namespace {

void RedirectTo(const std::string& path, int target_fd) {
  const int fd =
      open(path.empty() ? "/dev/null" : path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) _exit(126);
  dup2(fd, target_fd);
  close(fd);
}

}  // namespace

ChildProcess::ChildProcess(const ChildOptions& options) {
  if (options.argv.empty()) throw std::invalid_argument("ChildProcess: no program");
  std::vector<char*> argv;
  for (const auto& arg : options.argv) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  const pid_t parent = getpid();
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
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
    RedirectTo(options.stdout_path, STDOUT_FILENO);
    RedirectTo(options.stderr_path, STDERR_FILENO);
    execvp(argv[0], argv.data());
    _exit(127);
  }
}

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

}  // namespace plinth::x11_test
