#pragma once

// Dwell click for the keyboard window: it hands what the window reports
// about the pointer to the tracker, times the rest on the platform's timer,
// shows its progress on the window, and clicks a target through the
// keyboard's own handlers when the rest is complete. Every click, dwelt or
// real, is told to it, so that the pointer must move away before it can
// dwell again.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/keyboard_window.h"
#include "platform/platform.h"
#include "src/keyboard/dwell_tracker.h"

namespace plinth {

class DwellController {
 public:
  // Clicks a target as a left click there would.
  using Click = std::function<void(platform::PointerTarget target)>;

  DwellController(platform::Timer& timer, platform::KeyboardWindow& window, Click click);

  // Keeps the DwellTime setting of the start-up layout for Configure().
  void KeepSetting(std::string text) { setting_ = std::move(text); }
  // Turns dwell click on at the time the kept setting asks for, or off;
  // returns what is wrong with the setting, empty when nothing is.
  std::string Configure();
  // On at `time` (a time of rest that clicks) or off (zero); the popup
  // item shows which.
  void SetDwellTime(std::chrono::milliseconds time);
  // The popup item "Dwell click": off, or on at the time chosen (the
  // setting's, else a second).
  void Toggle();
  bool enabled() const { return tracker_.enabled(); }
  const DwellTracker& tracker() const { return tracker_; }

  // ---- what the window reports
  void PointerMoved(platform::PointerTarget target, platform::Point screen_point);
  void ButtonPressed();
  void ButtonReleased(platform::Point screen_point);
  // A click happened; it returned the pointer to `returned_to`, or left it
  // where it was.
  void Clicked(std::optional<platform::Point> returned_to);
  // Shows a modal dialog; while it is open only its OK button can be dwelt
  // on.
  void RunDialog(const std::function<void()>& show);

 private:
  // Whether a click on `target` does anything now.
  bool Clickable(platform::PointerTarget target) const;
  void UpdateTimer();
  void Tick();
  void Show(const DwellTracker::Progress& progress);

  platform::Timer& timer_;
  platform::KeyboardWindow& window_;
  Click click_;
  DwellTracker tracker_;
  std::string setting_;
  std::chrono::milliseconds chosen_time_{1000};
  bool ticking_ = false;
  bool dialog_open_ = false;
  DwellTracker::Progress shown_;
};

}  // namespace plinth
