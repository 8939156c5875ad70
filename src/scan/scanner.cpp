#include "src/scan/scanner.h"

#include <algorithm>
#include <utility>

namespace plinth::scan {

void Scanner::Start(ScanMode mode, Milliseconds step_time, int cycles, Milliseconds now) {
  mode_ = mode;
  step_time_ = std::clamp(step_time, kShortestStep, kLongestStep);
  cycles_ = std::max(cycles, 1);
  resting_ = false;
  passes_ = 0;
  pending_ = Pending::None;
  // A switch held when scanning last stopped was released elsewhere.
  choose_down_ = false;
  step_down_ = false;
  GoToFirstRow();
  next_step_ = now + step_time_;
}

void Scanner::Halt() {
  mode_ = ScanMode::Off;
  pending_ = Pending::None;
}

void Scanner::SetRows(std::vector<ScanRow> rows) {
  const ScanRow* before = LitRow();
  const int row_number = before != nullptr ? before->number : 0;
  // A plain flag and value rather than an optional: GCC 12 warns that a
  // copied optional's value may be uninitialised.
  const bool stop_lit = level_ == Level::Stops && before != nullptr;
  const Stop stop = stop_lit ? before->stops[stop_] : Stop{};
  rows_ = std::move(rows);
  std::erase_if(rows_, [](const ScanRow& r) { return r.stops.empty(); });
  const auto row = std::find_if(rows_.begin(), rows_.end(),
                                [&](const ScanRow& r) { return r.number == row_number; });
  if (row == rows_.end()) {
    GoToFirstRow();
    return;
  }
  row_ = static_cast<std::size_t>(row - rows_.begin());
  if (!stop_lit) return;
  const auto at = std::find(row->stops.begin(), row->stops.end(), stop);
  if (at == row->stops.end()) {
    GoToFirstRow();
    return;
  }
  stop_ = static_cast<std::size_t>(at - row->stops.begin());
}

void Scanner::SetOnlyStop(std::optional<Stop> stop) {
  only_stop_ = stop;
  // A choice pending on the grid is void once a dialog opens or closes.
  pending_ = Pending::None;
}

bool Scanner::Press(Switch which, Milliseconds now) {
  bool& down = which == Switch::Choose ? choose_down_ : step_down_;
  if (down) return false;  // auto-repeat of a held switch
  down = true;
  if (!running() || (which == Switch::Step && mode_ != ScanMode::Step)) return false;
  if (last_press_ && now - *last_press_ < kBounce) return false;
  last_press_ = now;
  passes_ = 0;
  if (resting_) {
    resting_ = false;
    GoToFirstRow();
    pending_ = Pending::Wake;
    return true;
  }
  if (which == Switch::Choose) {
    pending_ = Pending::Choose;
  } else if (!only_stop_ && !rows_.empty()) {
    StepOn(now);
  }
  return true;
}

std::optional<Stop> Scanner::Release(Switch which, Milliseconds now) {
  (which == Switch::Choose ? choose_down_ : step_down_) = false;
  const Pending pending = std::exchange(pending_, Pending::None);
  if (!running() || pending == Pending::None) return std::nullopt;
  next_step_ = now + step_time_;
  if (pending == Pending::Wake || which != Switch::Choose) return std::nullopt;
  if (only_stop_) return only_stop_;
  const ScanRow* row = LitRow();
  if (row == nullptr) return std::nullopt;
  if (level_ == Level::Rows) {
    level_ = Level::Stops;
    stop_ = 0;
    return std::nullopt;
  }
  const Stop chosen = row->stops[stop_];
  GoToFirstRow();
  return chosen;
}

void Scanner::Tick(Milliseconds now) {
  const std::optional<Milliseconds> due = NextStepAt();
  if (due && now >= *due) StepOn(now);
}

std::optional<Milliseconds> Scanner::NextStepAt() const {
  if (mode_ != ScanMode::Auto || resting_ || pending_ != Pending::None || only_stop_ ||
      rows_.empty()) {
    return std::nullopt;
  }
  return next_step_;
}

Lit Scanner::lit() const {
  if (!running()) return {};
  if (only_stop_) return {.kind = Lit::Kind::OneStop, .row = 0, .stop = *only_stop_};
  const ScanRow* row = LitRow();
  if (resting_ || row == nullptr) return {};
  if (level_ == Level::Rows) return {.kind = Lit::Kind::Row, .row = row->number, .stop = {}};
  return {.kind = Lit::Kind::OneStop, .row = row->number, .stop = row->stops[stop_]};
}

void Scanner::GoToFirstRow() {
  level_ = Level::Rows;
  row_ = 0;
  stop_ = 0;
}

// One step on, timed from now: a late tick moves one step, never several.
void Scanner::StepOn(Milliseconds now) {
  next_step_ = now + step_time_;
  if (level_ == Level::Stops) {
    if (++stop_ >= rows_[row_].stops.size()) level_ = Level::Rows;
    return;
  }
  if (++row_ < rows_.size()) return;
  row_ = 0;
  if (mode_ == ScanMode::Auto && ++passes_ >= cycles_) resting_ = true;
}

const ScanRow* Scanner::LitRow() const { return row_ < rows_.size() ? &rows_[row_] : nullptr; }

}  // namespace plinth::scan
