#include "platform/wayland/session_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace plinth::platform::wayland {
namespace {

// $XDG_RUNTIME_DIR/plinth-DISPLAY followed by `suffix`, DISPLAY the
// compositor's socket; empty without a runtime directory.
std::string SessionFile(const char* suffix) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  if (runtime == nullptr || *runtime == '\0') return {};
  std::string name = display != nullptr && *display != '\0' ? display : "wayland-0";
  // An absolute socket path names the session too.
  for (char& ch : name) {
    if (ch == '/') ch = '_';
  }
  return std::string(runtime) + "/plinth-" + name + suffix;
}

}  // namespace

std::string SessionLock::SocketPath() { return SessionFile(".socket"); }

SessionLock::SessionLock() {
  const std::string path = SessionFile(".lock");
  if (path.empty()) return;
  fd_ = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) return;
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0) {
    state_ = State::Taken;
    return;
  }
  state_ = errno == EWOULDBLOCK ? State::HeldByAnother : State::Unavailable;
  close(fd_);
  fd_ = -1;
}

SessionLock::~SessionLock() {
  if (fd_ >= 0) close(fd_);
}

}  // namespace plinth::platform::wayland
