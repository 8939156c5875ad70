// Dwell click: a pointer at rest on a button, a panel or the dialog's OK
// clicks it, through the same handlers as a real click.

#include "platform/form_design.h"
#include "src/keyboard/form.h"
#include "src/layout/dwell_setting.h"

namespace plinth {
namespace {

using platform::PointerTarget;
using Kind = PointerTarget::Kind;

// How often the time of a rest is looked at and its progress shown.
constexpr std::chrono::milliseconds kDwellTick{40};

bool IsGridButton(int cell) {
  return cell >= 1 && cell <= kCellCount && cell != platform::design::kCentreCell;
}

}  // namespace

void TForm1::ConfigureDwell() {
  const DwellSetting setting =
      ParseDwellTime(dwell_time_text_, DwellTracker::kShortest, DwellTracker::kLongest);
  if (!setting.problem.empty()) ShowError(setting.problem);
  if (setting.time.count() > 0) chosen_dwell_time_ = setting.time;
  SetDwellTime(setting.time);
}

void TForm1::SetDwellTime(std::chrono::milliseconds time) {
  dwell_.SetDwellTime(time);
  window_.SetMenuItemChecked(MenuItemId::DwellClick, dwell_.enabled());
  UpdateDwellTimer();
}

void TForm1::PointerMoved(PointerTarget target, platform::Point screen_point) {
  // While a dialog is open the keyboard takes no click, and without one
  // there is no OK to press.
  const bool clickable =
      target.kind == Kind::DialogOk
          ? dialog_open_
          : !dialog_open_ && (target.kind == Kind::Panel ||
                              (target.kind == Kind::Button && IsGridButton(target.cell)));
  const bool new_rest = dwell_.PointerMoved(clickable ? target : PointerTarget{}, screen_point,
                                            services_.timer.Now());
  // The ticks count from the start of the rest, so the click comes on time.
  if (new_rest && dwell_ticking_) {
    dwell_ticking_ = false;
    services_.timer.Stop();
  }
  UpdateDwellTimer();
}

void TForm1::AfterClick(std::optional<platform::Point> pointer_now) {
  dwell_.Clicked(pointer_now, services_.timer.Now());
  UpdateDwellTimer();
}

void TForm1::ShowDialog(const std::function<void()>& show) {
  const bool nested = dialog_open_;
  dialog_open_ = true;
  dwell_.Forget();
  UpdateDwellTimer();
  show();
  dialog_open_ = nested;
  dwell_.Forget();
  UpdateDwellTimer();
}

void TForm1::UpdateDwellTimer() {
  if (dwell_.Timing()) {
    if (!dwell_ticking_) {
      dwell_ticking_ = true;
      services_.timer.Start(kDwellTick, [this] { DwellTick(); });
    }
    ShowDwellProgress(dwell_.At(services_.timer.Now()));
    return;
  }
  if (dwell_ticking_) {
    dwell_ticking_ = false;
    services_.timer.Stop();
  }
  ShowDwellProgress({});
}

void TForm1::DwellTick() {
  const DwellTracker::Progress progress = dwell_.At(services_.timer.Now());
  ShowDwellProgress(progress);
  if (!progress.due) return;
  // Spent before the click runs: the click may open a dialog whose loop
  // keeps the timer going.
  dwell_.Clicked(std::nullopt, services_.timer.Now());
  UpdateDwellTimer();
  PerformClick(progress.target);
}

void TForm1::ShowDwellProgress(const DwellTracker::Progress& progress) {
  if (progress.target == shown_progress_.target && progress.permille == shown_progress_.permille) {
    return;
  }
  shown_progress_ = progress;
  window_.ShowDwellProgress(progress.target, progress.permille);
}

void TForm1::PerformClick(PointerTarget target) {
  switch (target.kind) {
    case Kind::Button:
      doclick(platform::design::ButtonName(target.cell));
      break;
    case Kind::Panel:
      PanelClick(target.panel);
      break;
    case Kind::DialogOk:
      window_.PressDialogOk();
      break;
    case Kind::Nothing:
      break;
  }
}

}  // namespace plinth
