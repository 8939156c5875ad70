#include "tests/e2e/x_server.h"

#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>
#include <utility>

namespace plinth::e2e {

XServer::XServer(int width, int height, std::vector<std::string> extra_args) {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) return;
  std::vector<std::string> argv{
      "Xvfb",      "-displayfd", std::to_string(pipe_fds[1]),
      "-screen",   "0",          std::to_string(width) + "x" + std::to_string(height) + "x24",
      "-nolisten", "tcp",        "-noreset"};
  for (std::string& arg : extra_args) argv.push_back(std::move(arg));
  process_ = std::make_unique<ChildProcess>(
      ChildOptions{.argv = std::move(argv), .inherited_fds = {pipe_fds[1]}});
  close(pipe_fds[1]);

  // The server writes its display number once it accepts connections.
  std::string number;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd fd{pipe_fds[0], POLLIN, 0};
    if (poll(&fd, 1, 100) <= 0) {
      if (!process_->Running()) break;
      continue;
    }
    char c = 0;
    if (read(pipe_fds[0], &c, 1) != 1 || c == '\n') break;
    number.push_back(c);
  }
  close(pipe_fds[0]);
  if (!number.empty()) display_name_ = ":" + number;
}

XServer::~XServer() = default;

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

TempDir::TempDir() {
  const char* base = std::getenv("TMPDIR");
  path_ = std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/plinth-e2e-XXXXXX";
  if (mkdtemp(path_.data()) == nullptr) path_.clear();
}

TempDir::~TempDir() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace plinth::e2e
