#pragma once

// Dwell click: a pointer that comes to rest on a target for the dwell time
// clicks it. The tracker only decides; the keyboard performs the click.
//
// A rest ends when the pointer moves more than kTolerance pixels from where
// it began, so a trembling hand still rests. After a click, dwelt or real,
// the pointer is "spent": nothing is clicked until it has moved beyond the
// tolerance from where the click left it (the home point after a pointer
// return) and come to rest again.
//
// A mouse button pressed ends the rest, and no rest begins while it is
// held, so that a long press never clicks twice; its release leaves the
// pointer spent where it came up, as a click does.
//
// Where a platform reports each movement at the point of its event, a
// movement queued before a pointer return but handled after the click
// still shows the pointer where it was, on the button it left: it would
// start a rest there, and the return's own report another at home, on the
// Shift panel. After a click that returned the pointer, reports are
// therefore ignored until one arrives near home, or kReturnReportWait has
// passed without one (the pointer may have landed on another window).

#include <chrono>
#include <optional>

#include "platform/keyboard_window.h"

namespace plinth {

class DwellTracker {
 public:
  using Milliseconds = std::chrono::milliseconds;
  using PointerTarget = platform::PointerTarget;

  // How far a resting pointer may tremble, in pixels along each axis.
  static constexpr int kTolerance = 4;
  // The accepted dwell times; 0 turns dwell click off.
  static constexpr Milliseconds kShortest{200};
  static constexpr Milliseconds kLongest{5000};
  // How long reports may wait for the one of a pointer return.
  static constexpr Milliseconds kReturnReportWait{1000};

  struct Progress {
    PointerTarget target;  // Nothing when no rest is being timed
    int permille = 0;      // how much of the dwell time has passed
    bool due = false;      // the rest is complete: click `target`
  };

  // Zero turns dwell click off.
  void SetDwellTime(Milliseconds time) { dwell_time_ = time; }
  Milliseconds dwell_time() const { return dwell_time_; }
  bool enabled() const { return dwell_time_.count() > 0; }
  // Which point the platform's reports carry; the point of each event at
  // first.
  void set_reported_positions(platform::PointerPositions positions) { positions_ = positions; }

  // Returns whether a new rest begins now.
  bool PointerMoved(PointerTarget target, platform::Point point, Milliseconds now);
  void ButtonPressed();
  void ButtonReleased(platform::Point point);
  // A click happened at `now`; it returned the pointer to `returned_to`, or
  // left it where it was last seen.
  void Clicked(std::optional<platform::Point> returned_to, Milliseconds now);
  // The pointer is over nothing that takes a click, as far as is known.
  void Forget() { target_ = {}; }

  // Whether a rest is being timed, so that the time passing matters.
  bool Timing() const;
  Progress At(Milliseconds now) const;

 private:
  bool Near(platform::Point point, platform::Point to) const;
  // Whether a report is one queued before the pointer's return; the first
  // that is not ends the wait for it.
  bool Stale(platform::Point point, Milliseconds now);

  Milliseconds dwell_time_{0};
  platform::PointerPositions positions_ = platform::PointerPositions::OfTheEvent;
  PointerTarget target_;
  platform::Point anchor_;     // where the rest (or the spent pointer) began
  platform::Point last_seen_;  // the pointer's last reported point
  Milliseconds rest_start_{0};
  bool seen_ = false;
  bool spent_ = false;
  bool held_ = false;  // a mouse button is down
  // Where the last click returned the pointer, while its report is awaited.
  std::optional<platform::Point> awaited_return_;
  Milliseconds returned_at_{0};
};

}  // namespace plinth
