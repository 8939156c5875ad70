#include "src/keyboard/scan_controller.h"

#include <algorithm>
#include <utility>

#include "src/scan/scan_rows.h"

namespace plinth {

using std::chrono::milliseconds;

ScanController::ScanController(platform::Timer& timer, platform::KeyboardWindow& window,
                               InUse in_use, Choose choose)
    : timer_(timer), window_(window), in_use_(std::move(in_use)), choose_(std::move(choose)) {}

ScanController::~ScanController() {
  if (grabbed_) window_.GrabSwitchKeys({});
}

std::vector<std::string> ScanController::Configure() {
  setting_ = ParseScanSetting(texts_);
  if (setting_.mode != scan::ScanMode::Off) chosen_mode_ = setting_.mode;
  if (setting_.mode == scan::ScanMode::Off) {
    Stop();
  } else {
    Start();
  }
  return setting_.problems;
}

void ScanController::Toggle() {
  if (running()) {
    Stop();
  } else {
    Start();
  }
}

void ScanController::Start() {
  scanner_.SetRows(scan::ScanRows(in_use_));
  scanner_.Start(chosen_mode_, setting_.step_time, setting_.cycles, timer_.Now());
  if (dialog_open_) scanner_.SetOnlyStop(platform::PointerTarget::DialogOk());
  std::vector<std::uint16_t> keys{setting_.switch_key};
  if (chosen_mode_ == scan::ScanMode::Step) keys.push_back(setting_.step_key);
  window_.GrabSwitchKeys(keys);
  grabbed_ = true;
  window_.SetMenuItemChecked(platform::MenuItemId::Scanning, true);
  Follow();
}

void ScanController::Stop() {
  scanner_.Halt();
  if (grabbed_) window_.GrabSwitchKeys({});
  grabbed_ = false;
  window_.SetMenuItemChecked(platform::MenuItemId::Scanning, false);
  Follow();
}

void ScanController::RowsChanged() {
  if (!running()) return;
  scanner_.SetRows(scan::ScanRows(in_use_));
  Follow();
}

std::optional<scan::Switch> ScanController::SwitchOf(std::uint16_t code) const {
  if (code == setting_.switch_key) return scan::Switch::Choose;
  if (code == setting_.step_key && scanner_.mode() == scan::ScanMode::Step) {
    return scan::Switch::Step;
  }
  return std::nullopt;
}

void ScanController::SwitchKeyPressed(std::uint16_t code) {
  const auto which = SwitchOf(code);
  if (!which) return;
  scanner_.Press(*which, timer_.Now());
  Follow();
}

void ScanController::SwitchKeyReleased(std::uint16_t code) {
  const auto which = SwitchOf(code);
  if (!which) return;
  const std::optional<scan::Stop> chosen = scanner_.Release(*which, timer_.Now());
  Follow();
  if (chosen) choose_(*chosen);
}

void ScanController::RunDialog(const std::function<void()>& show) {
  const bool nested = dialog_open_;
  dialog_open_ = true;
  scanner_.SetOnlyStop(platform::PointerTarget::DialogOk());
  Follow();
  show();
  dialog_open_ = nested;
  if (!nested) scanner_.SetOnlyStop(std::nullopt);
  Follow();
}

void ScanController::Follow() {
  const platform::ScanHighlight lit = scanner_.lit();
  if (lit != shown_) {
    shown_ = lit;
    window_.ShowScanHighlight(lit);
  }
  const std::optional<milliseconds> due = scanner_.NextStepAt();
  if (!due) {
    if (ticking_) timer_.Stop();
    ticking_ = false;
    return;
  }
  // One tick at the due time; a tick that comes early waits for the rest.
  const milliseconds wait = std::max(*due - timer_.Now(), milliseconds{1});
  timer_.Start(wait, [this] { Tick(); });
  ticking_ = true;
}

void ScanController::Tick() {
  scanner_.Tick(timer_.Now());
  Follow();
}

}  // namespace plinth
