#include "platform/wayland/show_requests.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

namespace plinth::platform::wayland {
namespace {

constexpr std::string_view kRequest = "show\n";
constexpr std::string_view kAnswer = "shown\n";
// A request is one short line; a peer sending more is no start of ours.
constexpr std::size_t kLongestRequest = 64;
constexpr int kBacklog = 8;
// Starts that connect and say nothing are not kept waiting beyond this
// many: a newer one closes at once.
constexpr std::size_t kMostOpenConnections = 16;

std::optional<sockaddr_un> AddressOf(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof address.sun_path) return std::nullopt;
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  return address;
}

int StreamSocket() { return socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0); }

}  // namespace

ShowRequests::ShowRequests(EventLoop& loop, std::string path, std::function<void()> show)
    : loop_(loop), path_(std::move(path)), show_(std::move(show)) {
  const std::optional<sockaddr_un> address = AddressOf(path_);
  if (!address) return;
  listener_ = StreamSocket();
  if (listener_ < 0) return;
  unlink(path_.c_str());
  if (bind(listener_, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 ||
      listen(listener_, kBacklog) != 0) {
    close(listener_);
    listener_ = -1;
    return;
  }
  loop_.Watch(listener_, [this] { Accept(); });
}

ShowRequests::~ShowRequests() {
  for (const auto& [connection, request] : requests_) {
    loop_.Unwatch(connection);
    close(connection);
  }
  if (listener_ < 0) return;
  loop_.Unwatch(listener_);
  close(listener_);
  unlink(path_.c_str());
}

void ShowRequests::Accept() {
  for (;;) {
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (connection < 0) return;
    if (requests_.size() >= kMostOpenConnections) {
      close(connection);
      continue;
    }
    requests_[connection];
    loop_.Watch(connection, [this, connection] { Read(connection); });
  }
}

void ShowRequests::Read(int connection) {
  std::string& request = requests_[connection];
  char bytes[kLongestRequest];
  const ssize_t got = recv(connection, bytes, sizeof bytes, 0);
  if (got < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (got <= 0) {
    Drop(connection);
    return;
  }
  request.append(bytes, static_cast<std::size_t>(got));
  if (request.find('\n') == std::string::npos && request.size() < kLongestRequest) return;
  if (request == kRequest) {
    show_();
    // The answer is a few bytes on an empty socket: it fits at once, or the
    // start has gone.
    send(connection, kAnswer.data(), kAnswer.size(), MSG_NOSIGNAL);
  }
  Drop(connection);
}

void ShowRequests::Drop(int connection) {
  loop_.Unwatch(connection);
  requests_.erase(connection);
  close(connection);
}

ShowAnswer AskRunningKeyboardToShow(const std::string& path, std::chrono::milliseconds timeout) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return ShowAnswer::NoAnswer;
  const int fd = StreamSocket();
  if (fd < 0) return ShowAnswer::NoAnswer;
  const auto answer = [&]() {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
      // Nobody listens, or the backlog of a keyboard that stopped reading
      // is full.
      return errno == EAGAIN ? ShowAnswer::NoAnswer : ShowAnswer::NoOwner;
    }
    if (send(fd, kRequest.data(), kRequest.size(), MSG_NOSIGNAL) !=
        static_cast<ssize_t>(kRequest.size())) {
      return ShowAnswer::NoOwner;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string reply;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return ShowAnswer::NoAnswer;
      pollfd readable{fd, POLLIN, 0};
      if (poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
        return ShowAnswer::NoAnswer;
      }
      char bytes[kLongestRequest];
      const ssize_t got = recv(fd, bytes, sizeof bytes, 0);
      if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      // Closed without an answer: the keyboard is ending.
      if (got <= 0) return ShowAnswer::NoOwner;
      reply.append(bytes, static_cast<std::size_t>(got));
      if (reply == kAnswer) return ShowAnswer::Shown;
      if (reply.size() >= kAnswer.size()) return ShowAnswer::NoAnswer;
    }
  }();
  close(fd);
  return answer;
}

}  // namespace plinth::platform::wayland
