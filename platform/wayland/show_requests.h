#pragma once

// A second start in a Wayland session shows the keyboard already running
// there instead of opening another. The running keyboard, which holds the
// session's lock, listens on a socket beside it; a start connects, asks
// "show" and waits for "shown", which the keyboard writes once it has
// shown itself. A keyboard that is ending answers no more, and its socket
// goes with it.

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "platform/wayland/event_loop.h"

namespace plinth::platform::wayland {

class ShowRequests {
 public:
  // Listens on `path` for as long as it lives, calling `show` for each
  // request. The caller holds the session's lock, so that a socket left
  // there by a keyboard that died is removed first. When the socket
  // cannot be made, nothing listens and the keyboard runs on.
  ShowRequests(EventLoop& loop, std::string path, std::function<void()> show);
  ~ShowRequests();
  ShowRequests(const ShowRequests&) = delete;
  ShowRequests& operator=(const ShowRequests&) = delete;

  bool listening() const { return listener_ >= 0; }

 private:
  void Accept();
  void Read(int connection);
  void Drop(int connection);

  EventLoop& loop_;
  std::string path_;
  std::function<void()> show_;
  int listener_ = -1;
  // What each open connection has sent so far.
  std::map<int, std::string> requests_;
};

enum class ShowAnswer {
  Shown,     // the running keyboard showed itself
  NoOwner,   // no keyboard listens (any more)
  NoAnswer,  // the keyboard did not answer within the time allowed
};

// Asks the keyboard listening on `path` to show itself and waits up to
// `timeout` for its answer.
ShowAnswer AskRunningKeyboardToShow(const std::string& path, std::chrono::milliseconds timeout);

}  // namespace plinth::platform::wayland
