#pragma once

// A mouse pointer that records where it was put.

#include <optional>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace plinth::test_platform {

class RecordingPointer final : public platform::PointerControl {
 public:
  std::optional<platform::OsError> SetCursorPos(platform::Point screen_point) override {
    ++attempts_;
    if (failure_) return failure_;
    moves_.push_back(screen_point);
    return std::nullopt;
  }

  // Successful moves, in order.
  const std::vector<platform::Point>& moves() const { return moves_; }
  // Every call, refused ones included.
  int attempts() const { return attempts_; }
  // From now on every move is refused with `error`; nothing lifts it again.
  void FailWith(platform::OsError error) { failure_ = std::move(error); }
  void Clear() { moves_.clear(); }

 private:
  std::vector<platform::Point> moves_;
  std::optional<platform::OsError> failure_;
  int attempts_ = 0;
};

}  // namespace plinth::test_platform
