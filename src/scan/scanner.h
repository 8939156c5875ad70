#pragma once

// Row-column switch scanning: a highlight moves over the rows of the grid
// and, once a row is chosen, over the stops of that row; a switch press
// chooses what is lit. The scanner only decides what is lit and what a
// press chooses; the keyboard acts on the choice and the platforms draw the
// highlight.
//
// - At the start and after every choice the first row is lit.
// - AUTO (one switch): the highlight moves on by itself every step time.
//   After `cycles` passes over the rows without a press, scanning rests
//   with nothing lit until the next press, which only wakes it.
// - STEP (two switches): the step switch moves the highlight on; nothing
//   rests.
// - A pass along a row without a choice goes back to the rows, that row
//   lit.
// - The choice is made by the release of the choose switch, so that the
//   key it types goes out with no switch held; while the choose switch is
//   held the highlight stays where it is.
// - A switch held down counts once (auto-repeat is ignored), and a press
//   within kBounce of the previous press of either switch is bounce.

#include <chrono>
#include <optional>
#include <vector>

#include "platform/keyboard_window.h"

namespace plinth::scan {

using Milliseconds = std::chrono::milliseconds;
// Something a choice acts on: a grid button, a centre panel or the OK
// button of the open dialog.
using Stop = platform::PointerTarget;

enum class ScanMode { Off, Auto, Step };
enum class Switch { Choose, Step };

// One row of the grid in use: its number from the top (1..7) and its stops
// left to right, none empty.
struct ScanRow {
  int number = 0;
  std::vector<Stop> stops;
  friend bool operator==(const ScanRow&, const ScanRow&) = default;
};

// What the highlight is on.
using Lit = platform::ScanHighlight;

class Scanner {
 public:
  static constexpr Milliseconds kBounce{100};
  static constexpr Milliseconds kShortestStep{200};
  static constexpr Milliseconds kLongestStep{10000};
  static constexpr Milliseconds kDefaultStep{1000};
  static constexpr int kDefaultCycles = 3;

  // Scanning begins lit on the first row; the step time is brought into
  // kShortestStep..kLongestStep and fewer than one cycle counts as one.
  void Start(ScanMode mode, Milliseconds step_time, int cycles, Milliseconds now);
  void Halt();
  bool running() const { return mode_ != ScanMode::Off; }
  ScanMode mode() const { return mode_; }

  // The rows in use in the layer on show; rows without stops are left out.
  // The highlight stays where it is when its row and stop are still there,
  // else it goes back to the first row.
  void SetRows(std::vector<ScanRow> rows);
  // While a dialog is open its OK is the only stop, lit at once; nothing
  // goes back to the rows.
  void SetOnlyStop(std::optional<Stop> stop);

  // A switch went down or up. Press returns whether it was taken (not a
  // repeat, not bounce); Release returns the stop chosen, if any.
  bool Press(Switch which, Milliseconds now);
  std::optional<Stop> Release(Switch which, Milliseconds now);

  // AUTO: moves the highlight on when its step time has passed.
  void Tick(Milliseconds now);
  // When Tick next has something to do; nothing when no time matters.
  std::optional<Milliseconds> NextStepAt() const;

  Lit lit() const;

 private:
  enum class Level { Rows, Stops };
  enum class Pending { None, Choose, Wake };

  void GoToFirstRow();
  void StepOn(Milliseconds now);
  const ScanRow* LitRow() const;

  ScanMode mode_ = ScanMode::Off;
  Milliseconds step_time_ = kDefaultStep;
  int cycles_ = kDefaultCycles;
  std::vector<ScanRow> rows_;
  std::optional<Stop> only_stop_;
  Level level_ = Level::Rows;
  std::size_t row_ = 0;   // index into rows_
  std::size_t stop_ = 0;  // index into the lit row's stops
  int passes_ = 0;        // over the rows since the last press
  bool resting_ = false;
  Milliseconds next_step_{0};
  std::optional<Milliseconds> last_press_;
  bool choose_down_ = false;
  bool step_down_ = false;
  Pending pending_ = Pending::None;
};

}  // namespace plinth::scan
