#include "platform/wayland/event_loop.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/timerfd.h>
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

EventLoop::EventLoop(wl_display* display)
    : display_(display), timer_fd_(timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK)) {}

EventLoop::~EventLoop() {
  if (timer_fd_ >= 0) close(timer_fd_);
}

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
  std::vector<pollfd> fds{{wl_display_get_fd(display_), POLLIN, 0},
                          {timer_fd_, POLLIN, 0},
                          {signal_pipe[0], POLLIN, 0}};
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
  if ((fds[1].revents & POLLIN) != 0) FireTimer();
  if ((fds[2].revents & POLLIN) != 0) {
    char byte = 0;
    while (read(signal_pipe[0], &byte, 1) > 0) {
    }
    ended_ = true;
  }
  for (std::size_t i = 3; i < fds.size(); ++i) {
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

void EventLoop::StartTimer(std::chrono::milliseconds interval, std::function<void()> tick) {
  tick_ = std::move(tick);
  const auto count = interval.count() > 0 ? interval.count() : 1;
  itimerspec spec{};
  spec.it_interval.tv_sec = static_cast<time_t>(count / 1000);
  spec.it_interval.tv_nsec = static_cast<long>((count % 1000) * 1000000);
  spec.it_value = spec.it_interval;
  timerfd_settime(timer_fd_, 0, &spec, nullptr);
}

void EventLoop::StopTimer() {
  tick_ = nullptr;
  const itimerspec off{};
  timerfd_settime(timer_fd_, 0, &off, nullptr);
}

void EventLoop::FireTimer() {
  std::uint64_t expirations = 0;
  if (read(timer_fd_, &expirations, sizeof expirations) <= 0) return;
  // The tick may start or stop the timer: it runs from a copy.
  const std::function<void()> tick = tick_;
  if (tick) tick();
}

}  // namespace plinth::platform::wayland
