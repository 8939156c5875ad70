#pragma once

// Requests to the keyboard running in a Wayland session. The running
// keyboard, which holds the session's lock, listens on a socket beside it;
// another `plinth` connects, sends one request line and waits for the one
// answer line the keyboard writes once it has acted: a second start asks
// it to show itself, and `plinth --switch` brings it the press of a switch
// key that the compositor bound. A keyboard that is ending answers no
// more, and its socket goes with it.

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include "platform/wayland/event_loop.h"

namespace plinth::platform::wayland {

enum class SessionRequest {
  Show,          // show yourself
  SwitchChoose,  // the switch that chooses was pressed
  SwitchStep,    // the switch that steps was pressed
};

enum class SessionAnswer {
  Shown,         // the keyboard showed itself
  Switched,      // the keyboard took the press
  NotScanning,   // a switch press while scanning is off, ignored
  NoStepSwitch,  // a step while scanning takes no step switch, ignored
  NoOwner,       // no keyboard listens (any more)
  NoAnswer,      // no answer within the time allowed, or none understood
};

class SessionRequests {
 public:
  // What the keyboard does for a request, and what it answers.
  using Handler = std::function<SessionAnswer(SessionRequest)>;

  // Listens on `path` for as long as it lives, calling `handle` for each
  // request. The caller holds the session's lock, so that a socket left
  // there by a keyboard that died is removed first. When the socket
  // cannot be made, nothing listens and the keyboard runs on.
  SessionRequests(EventLoop& loop, std::string path, Handler handle);
  ~SessionRequests();
  SessionRequests(const SessionRequests&) = delete;
  SessionRequests& operator=(const SessionRequests&) = delete;

  bool listening() const { return listener_ >= 0; }

 private:
  void Accept();
  void Read(int connection);
  void Drop(int connection);

  EventLoop& loop_;
  std::string path_;
  Handler handle_;
  int listener_ = -1;
  // What each open connection has sent so far.
  std::map<int, std::string> requests_;
};

// Sends `request` to the keyboard listening on `path` and waits up to
// `timeout` for its answer.
SessionAnswer AskRunningKeyboard(const std::string& path, SessionRequest request,
                                 std::chrono::milliseconds timeout);

}  // namespace plinth::platform::wayland
