#include "platform/wayland/session_requests.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

namespace plinth::platform::wayland {
namespace {

// Each request and each answer is one line on the socket.
struct RequestLine {
  SessionRequest request;
  std::string_view line;
};
constexpr std::array kRequestLines{
    RequestLine{SessionRequest::Show, "show\n"},
    RequestLine{SessionRequest::SwitchChoose, "switch choose\n"},
    RequestLine{SessionRequest::SwitchStep, "switch step\n"},
};
struct AnswerLine {
  SessionAnswer answer;
  std::string_view line;
};
constexpr std::array kAnswerLines{
    AnswerLine{SessionAnswer::Shown, "shown\n"},
    AnswerLine{SessionAnswer::Switched, "switched\n"},
    AnswerLine{SessionAnswer::NotScanning, "not scanning\n"},
    AnswerLine{SessionAnswer::NoStepSwitch, "no step switch\n"},
};

std::optional<SessionRequest> RequestOf(std::string_view line) {
  const auto found = std::ranges::find(kRequestLines, line, &RequestLine::line);
  if (found == kRequestLines.end()) return std::nullopt;
  return found->request;
}

std::string_view LineOf(SessionRequest request) {
  return std::ranges::find(kRequestLines, request, &RequestLine::request)->line;
}

// Empty for the answers the keyboard never writes.
std::string_view LineOf(SessionAnswer answer) {
  const auto found = std::ranges::find(kAnswerLines, answer, &AnswerLine::answer);
  return found == kAnswerLines.end() ? std::string_view() : found->line;
}

std::optional<SessionAnswer> AnswerOf(std::string_view line) {
  const auto found = std::ranges::find(kAnswerLines, line, &AnswerLine::line);
  if (found == kAnswerLines.end()) return std::nullopt;
  return found->answer;
}
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

SessionRequests::SessionRequests(EventLoop& loop, std::string path, Handler handle)
    : loop_(loop), path_(std::move(path)), handle_(std::move(handle)) {
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

SessionRequests::~SessionRequests() {
  for (const auto& [connection, request] : requests_) {
    loop_.Unwatch(connection);
    close(connection);
  }
  if (listener_ < 0) return;
  loop_.Unwatch(listener_);
  close(listener_);
  unlink(path_.c_str());
}

void SessionRequests::Accept() {
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

void SessionRequests::Read(int connection) {
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
  const std::optional<SessionRequest> asked = RequestOf(request);
  // Off the loop before the keyboard acts: a choice may open a dialog,
  // whose loop must not read this connection again.
  loop_.Unwatch(connection);
  requests_.erase(connection);
  if (asked) {
    const std::string_view answer = LineOf(handle_(*asked));
    // The answer is a few bytes on an empty socket: it fits at once, or the
    // start has gone.
    send(connection, answer.data(), answer.size(), MSG_NOSIGNAL);
  }
  close(connection);
}

void SessionRequests::Drop(int connection) {
  loop_.Unwatch(connection);
  requests_.erase(connection);
  close(connection);
}

SessionAnswer AskRunningKeyboard(const std::string& path, SessionRequest request,
                                 std::chrono::milliseconds timeout) {
  const std::optional<sockaddr_un> address = AddressOf(path);
  if (!address) return SessionAnswer::NoAnswer;
  const int fd = StreamSocket();
  if (fd < 0) return SessionAnswer::NoAnswer;
  const auto answer = [&]() {
    if (connect(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
      // Nobody listens, or the backlog of a keyboard that stopped reading
      // is full.
      return errno == EAGAIN ? SessionAnswer::NoAnswer : SessionAnswer::NoOwner;
    }
    const std::string_view line = LineOf(request);
    if (send(fd, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size())) {
      return SessionAnswer::NoOwner;
    }
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::string reply;
    for (;;) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return SessionAnswer::NoAnswer;
      pollfd readable{fd, POLLIN, 0};
      if (poll(&readable, 1, static_cast<int>(left.count())) < 0 && errno != EINTR) {
        return SessionAnswer::NoAnswer;
      }
      char bytes[kLongestRequest];
      const ssize_t got = recv(fd, bytes, sizeof bytes, 0);
      if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
      // Closed without an answer: the keyboard is ending.
      if (got <= 0) return SessionAnswer::NoOwner;
      reply.append(bytes, static_cast<std::size_t>(got));
      if (reply.find('\n') == std::string::npos && reply.size() < kLongestRequest) continue;
      return AnswerOf(reply).value_or(SessionAnswer::NoAnswer);
    }
  }();
  close(fd);
  return answer;
}

}  // namespace plinth::platform::wayland
