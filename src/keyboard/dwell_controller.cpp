#include "src/keyboard/dwell_controller.h"

#include <utility>

#include "platform/form_design.h"
#include "src/layout/dwell_setting.h"

namespace plinth {
namespace {

using platform::PointerTarget;
using Kind = PointerTarget::Kind;

// How often the time of a rest is looked at and its progress shown.
constexpr std::chrono::milliseconds kTick{40};

bool IsGridButton(int cell) {
  return cell >= 1 && cell <= platform::design::kCellCount && cell != platform::design::kCentreCell;
}

}  // namespace

DwellController::DwellController(platform::Timer& timer, platform::KeyboardWindow& window,
                                 Click click)
    : timer_(timer), window_(window), click_(std::move(click)) {
  tracker_.set_reported_positions(window.ReportedPointerPositions());
}

std::string DwellController::Configure() {
  const DwellSetting setting =
      ParseDwellTime(setting_, DwellTracker::kShortest, DwellTracker::kLongest);
  if (setting.time.count() > 0) chosen_time_ = setting.time;
  SetDwellTime(setting.time);
  return setting.problem;
}

void DwellController::SetDwellTime(std::chrono::milliseconds time) {
  tracker_.SetDwellTime(time);
  window_.SetMenuItemChecked(platform::MenuItemId::DwellClick, tracker_.enabled());
  UpdateTimer();
}

void DwellController::Toggle() {
  SetDwellTime(tracker_.enabled() ? std::chrono::milliseconds{0} : chosen_time_);
}

bool DwellController::Clickable(PointerTarget target) const {
  // While a dialog is open the keyboard takes no click, and without one
  // there is no OK to press.
  switch (target.kind) {
    case Kind::DialogOk:
      return dialog_open_;
    case Kind::Panel:
      return !dialog_open_;
    case Kind::Button:
      return !dialog_open_ && IsGridButton(target.cell);
    case Kind::Nothing:
      break;
  }
  return false;
}

void DwellController::PointerMoved(PointerTarget target, platform::Point screen_point) {
  const bool new_rest = tracker_.PointerMoved(Clickable(target) ? target : PointerTarget{},
                                              screen_point, timer_.Now());
  // The ticks count from the start of the rest, so the click comes on time.
  if (new_rest && ticking_) {
    ticking_ = false;
    timer_.Stop();
  }
  UpdateTimer();
}

void DwellController::ButtonPressed() {
  tracker_.ButtonPressed();
  UpdateTimer();
}

void DwellController::ButtonReleased(platform::Point screen_point) {
  tracker_.ButtonReleased(screen_point);
  UpdateTimer();
}

void DwellController::Clicked(std::optional<platform::Point> returned_to) {
  tracker_.Clicked(returned_to, timer_.Now());
  UpdateTimer();
}

void DwellController::RunDialog(const std::function<void()>& show) {
  const bool nested = dialog_open_;
  dialog_open_ = true;
  tracker_.Forget();
  UpdateTimer();
  show();
  dialog_open_ = nested;
  tracker_.Forget();
  UpdateTimer();
}

void DwellController::UpdateTimer() {
  if (tracker_.Timing()) {
    if (!ticking_) {
      ticking_ = true;
      timer_.Start(kTick, [this] { Tick(); });
    }
    Show(tracker_.At(timer_.Now()));
    return;
  }
  if (ticking_) {
    ticking_ = false;
    timer_.Stop();
  }
  Show({});
}

void DwellController::Tick() {
  const DwellTracker::Progress progress = tracker_.At(timer_.Now());
  Show(progress);
  if (!progress.due) return;
  // Spent before the click runs: the click may open a dialog whose loop
  // keeps the timer going.
  tracker_.Clicked(std::nullopt, timer_.Now());
  UpdateTimer();
  click_(progress.target);
}

void DwellController::Show(const DwellTracker::Progress& progress) {
  if (progress.target == shown_.target && progress.permille == shown_.permille) return;
  // One target at most shows the bar: the one the rest left is emptied.
  if (progress.target != shown_.target && shown_.permille > 0) {
    window_.ShowDwellProgress(shown_.target, 0);
  }
  if (progress.target.kind != Kind::Nothing) {
    window_.ShowDwellProgress(progress.target, progress.permille);
  }
  shown_ = progress;
}

}  // namespace plinth
