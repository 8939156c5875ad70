#pragma once

// One keyboard a Wayland session: a lock file in $XDG_RUNTIME_DIR, named
// after the compositor's socket, held for as long as the keyboard runs.
// The kernel lets go of it when the process ends, however it ends.
// Beside it lies the socket on which the keyboard holding it takes
// requests to show itself.

#include <string>

namespace plinth::platform::wayland {

class SessionLock {
 public:
  enum class State { Taken, HeldByAnother, Unavailable };

  // Tries to take the lock of the session of WAYLAND_DISPLAY.
  SessionLock();
  ~SessionLock();
  SessionLock(const SessionLock&) = delete;
  SessionLock& operator=(const SessionLock&) = delete;

  State state() const { return state_; }

  // The path of the session's socket for requests; empty without
  // $XDG_RUNTIME_DIR.
  static std::string SocketPath();

 private:
  int fd_ = -1;
  State state_ = State::Unavailable;
};

}  // namespace plinth::platform::wayland
