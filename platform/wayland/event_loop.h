#pragma once

// The keyboard's message loop: the compositor's events, a timer, the
// termination signals and the files a part of the keyboard watches, in one
// poll. Work waiting to be drawn is done before
// each wait, so that many changes in one event make one picture.

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <vector>

struct wl_display;

namespace plinth::platform::wayland {

class EventLoop {
 public:
  explicit EventLoop(wl_display* display);
  ~EventLoop();
  EventLoop(const EventLoop&) = delete;
  EventLoop& operator=(const EventLoop&) = delete;

  // Ends the loop on SIGTERM, SIGINT and SIGHUP as if the window were
  // closed, so that destructors run and held keys are released.
  void EndOnTerminationSignals();

  // Runs until `done` returns true, the loop is ended, or the connection
  // breaks.
  void RunUntil(const std::function<bool()>& done);
  void End() { ended_ = true; }
  bool ended() const { return ended_; }
  // False once the compositor is gone.
  bool connected() const { return connected_; }

  // Work done before each wait, such as drawing what changed.
  void AddBeforeWait(std::function<void()> work) { before_wait_.push_back(std::move(work)); }

  // Calls `readable` whenever `fd` has something to read, until Unwatch.
  // `readable` may watch or unwatch files.
  void Watch(int fd, std::function<void()> readable);
  void Unwatch(int fd);

 private:
  void DispatchOnce();

  wl_display* display_;
  bool ended_ = false;
  bool connected_ = true;
  std::vector<std::function<void()>> before_wait_;
  std::map<int, std::function<void()>> watched_;
};

}  // namespace plinth::platform::wayland
