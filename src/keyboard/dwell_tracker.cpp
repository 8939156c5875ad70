#include "src/keyboard/dwell_tracker.h"

#include <algorithm>
#include <cstdlib>

namespace plinth {

bool DwellTracker::Near(platform::Point point, platform::Point to) const {
  return std::abs(point.x - to.x) <= kTolerance && std::abs(point.y - to.y) <= kTolerance;
}

bool DwellTracker::Stale(platform::Point point, Milliseconds now) {
  if (!awaited_return_) return false;
  if (!Near(point, *awaited_return_) && now - returned_at_ < kReturnReportWait) return true;
  awaited_return_.reset();
  return false;
}

bool DwellTracker::PointerMoved(PointerTarget target, platform::Point point, Milliseconds now) {
  if (Stale(point, now)) return false;
  last_seen_ = point;
  if (held_) return false;
  const Milliseconds rest_start_before = rest_start_;
  if (!seen_ || !Near(point, anchor_)) {
    // A new rest begins here, and a spent pointer has moved away.
    seen_ = true;
    spent_ = false;
    anchor_ = point;
    rest_start_ = now;
  } else if (target != target_) {
    // Trembling across an edge: the rest on the new target starts now, but
    // the pointer has not moved away.
    rest_start_ = now;
  }
  target_ = target;
  return rest_start_ != rest_start_before;
}

void DwellTracker::ButtonPressed() {
  held_ = true;
  target_ = {};
}

void DwellTracker::ButtonReleased(platform::Point point) {
  held_ = false;
  // A release queued before a pointer return tells nothing of now.
  if (awaited_return_) return;
  spent_ = true;
  seen_ = true;
  anchor_ = point;
  last_seen_ = point;
}

void DwellTracker::Clicked(std::optional<platform::Point> returned_to, Milliseconds now) {
  spent_ = true;
  seen_ = true;
  anchor_ = returned_to.value_or(last_seen_);
  if (returned_to && positions_ == platform::PointerPositions::OfTheEvent) {
    awaited_return_ = returned_to;
    returned_at_ = now;
  }
}

bool DwellTracker::Timing() const {
  return enabled() && !spent_ && target_.kind != PointerTarget::Kind::Nothing;
}

DwellTracker::Progress DwellTracker::At(Milliseconds now) const {
  if (!Timing()) return {};
  const Milliseconds rested = std::max(now - rest_start_, Milliseconds{0});
  const auto permille = std::min<long long>(rested.count() * 1000 / dwell_time_.count(), 1000);
  return {.target = target_, .permille = static_cast<int>(permille), .due = rested >= dwell_time_};
}

}  // namespace plinth
