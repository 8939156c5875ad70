#include "platform/wayland/event_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <vector>

namespace plinth::platform::wayland {
namespace {

// The handler only writes a byte; the loop reads it and ends.
int signal_pipe[2] = {-1, -1};

void EndOnSignal(int /*signal*/) {
  const char byte = 1;
  [[maybe_unused]] const auto written = write(signal_pipe[1], &byte, 1);
}

}  // namespace

EventLoop::EventLoop(wl_display* display) : display_(display) {}

EventLoop::~EventLoop() = default;

void EventLoop::EndOnTerminationSignals() {
  if (signal_pipe[0] < 0 && pipe2(signal_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action {};
  action.sa_handler = EndOnSignal;
  sigemptyset(&action.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

void EventLoop::RunUntil(const std::function<bool()>& done) {
  while (!ended_ && connected_ && !done()) DispatchOnce();
}

void EventLoop::DispatchOnce() {
  // Events already read are handled before anything waits.
  while (wl_display_prepare_read(display_) != 0) {
    if (wl_display_dispatch_pending(display_) < 0) {
      connected_ = false;
      return;
    }
  }
  for (const auto& work : before_wait_) work();
  if (wl_display_flush(display_) < 0 && errno != EAGAIN) {
    wl_display_cancel_read(display_);
    connected_ = false;
    return;
  }
  std::vector<pollfd> fds{{wl_display_get_fd(display_), POLLIN, 0}, {signal_pipe[0], POLLIN, 0}};
  for (const auto& [fd, readable] : watched_) fds.push_back({fd, POLLIN, 0});
  const int ready = poll(fds.data(), fds.size(), -1);
  if (ready < 0) {
    wl_display_cancel_read(display_);
    return;  // a signal: its byte is in the pipe
  }
  if ((fds[0].revents & POLLIN) != 0) {
    if (wl_display_read_events(display_) < 0) connected_ = false;
  } else {
    wl_display_cancel_read(display_);
  }
  if ((fds[0].revents & (POLLERR | POLLHUP)) != 0) connected_ = false;
  if (wl_display_dispatch_pending(display_) < 0) connected_ = false;
  if ((fds[1].revents & POLLIN) != 0) {
    char byte = 0;
    while (read(signal_pipe[0], &byte, 1) > 0) {
    }
    ended_ = true;
  }
  for (std::size_t i = 2; i < fds.size(); ++i) {
    if ((fds[i].revents & (POLLIN | POLLERR | POLLHUP)) == 0) continue;
    // The handler may unwatch this file or others: call a copy, if it is
    // still watched.
    const auto found = watched_.find(fds[i].fd);
    if (found == watched_.end()) continue;
    const std::function<void()> readable = found->second;
    readable();
  }
}

void EventLoop::Watch(int fd, std::function<void()> readable) {
  watched_[fd] = std::move(readable);
}

void EventLoop::Unwatch(int fd) { watched_.erase(fd); }

}  // namespace plinth::platform::wayland
