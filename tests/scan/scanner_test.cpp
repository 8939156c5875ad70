#include "src/scan/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "src/scan/scan_rows.h"

namespace plinth::scan {
namespace {

using platform::PanelId;
using std::chrono::milliseconds;

bool EveryCell(int /*cell*/) { return true; }

// What the user does, one switch event or a wait at a time; times count
// from the start of the scan.
struct Event {
  enum Kind { Press, Release, Tap, Wait } kind;
  Switch which = Switch::Choose;
  int ms = 0;  // Wait: how long; Tap: pressed and released 10 ms apart
};
Event Tap(Switch which = Switch::Choose) { return {Event::Tap, which, 0}; }
Event Wait(int ms) { return {Event::Wait, Switch::Choose, ms}; }

// Drives a scanner through a story: every event is 150 ms after the one
// before, beyond bounce, and waits let the steps of AUTO come due.
class Story {
 public:
  Story(ScanMode mode, std::vector<ScanRow> rows = ScanRows(EveryCell)) {
    scanner.SetRows(std::move(rows));
    scanner.Start(mode, milliseconds(1000), 3, now);
  }
  Story& Do(const std::vector<Event>& events) {
    for (const Event& event : events) {
      switch (event.kind) {
        case Event::Wait:
          RunUntil(now + milliseconds(event.ms));
          continue;
        case Event::Press:
          Pass(150);
          scanner.Press(event.which, now);
          break;
        case Event::Release:
          Pass(10);
          Note(scanner.Release(event.which, now));
          break;
        case Event::Tap:
          Pass(150);
          scanner.Press(event.which, now);
          Pass(10);
          Note(scanner.Release(event.which, now));
          break;
      }
    }
    return *this;
  }

  Scanner scanner;
  milliseconds now{5000};
  std::vector<Stop> chosen;

 private:
  // Time passes as a platform timer would run it: a tick at each step due.
  void RunUntil(milliseconds end) {
    while (const auto due = scanner.NextStepAt()) {
      if (*due > end) break;
      now = *due;
      scanner.Tick(now);
    }
    now = end;
  }
  void Pass(int ms) { RunUntil(now + milliseconds(ms)); }
  void Note(std::optional<Stop> stop) {
    if (stop) chosen.push_back(*stop);
  }
};

std::vector<Event> Repeat(int times, Event event) {
  return std::vector<Event>(static_cast<std::size_t>(times), event);
}
std::vector<Event> Then(std::vector<Event> a, const std::vector<Event>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The k-th stop of row r takes r-1 steps, a choice, k-1 steps and a choice.
TEST(ScannerTest, StepModeReachesEveryStopInRowThenColumnSteps) {
  struct Case {
    int row, stop;
    Stop expected;
  };
  const Case cases[] = {{1, 1, Stop::Button(1)},
                        {1, 7, Stop::Button(7)},
                        {4, 3, Stop::Button(24)},
                        {4, 4, Stop::Panel(PanelId::Shift)},
                        {4, 5, Stop::Panel(PanelId::Extend)},
                        {4, 6, Stop::Button(26)},
                        {4, 8, Stop::Button(28)},
                        {7, 7, Stop::Button(49)}};
  for (const Case& c : cases) {
    Story story(ScanMode::Step);
    story.Do(Then(Then(Repeat(c.row - 1, Tap(Switch::Step)), {Tap()}),
                  Then(Repeat(c.stop - 1, Tap(Switch::Step)), {Tap()})));
    ASSERT_EQ(story.chosen, std::vector<Stop>{c.expected}) << c.row << "/" << c.stop;
    // After every choice the first row is lit again.
    EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 1, {}}));
  }
}

TEST(ScannerTest, AutoModeStepsByTimeAndChoosesWhatIsLit) {
  Story story(ScanMode::Auto);
  // Lit: row 1 at 0 s, row 3 after 2 s; a choice enters it, and 1 s later
  // its second stop is lit.
  story.Do({Wait(2000), Tap(), Wait(1000), Tap()});
  EXPECT_EQ(story.chosen, std::vector<Stop>{Stop::Button(16)});
}

TEST(ScannerTest, AHeldChooseSwitchFreezesTheHighlightAndChoosesOnRelease) {
  Story story(ScanMode::Auto);
  story.Do({Tap(), {Event::Press}, Wait(5000)});
  EXPECT_TRUE(story.chosen.empty());
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::OneStop, 1, Stop::Button(1)}));
  story.Do({{Event::Release}});
  EXPECT_EQ(story.chosen, std::vector<Stop>{Stop::Button(1)});
}

TEST(ScannerTest, APassAlongARowWithoutAChoiceGoesBackToThatRow) {
  for (const ScanMode mode : {ScanMode::Auto, ScanMode::Step}) {
    Story story(mode);
    // Row 2 entered; its 7 stops pass by.
    story.Do(mode == ScanMode::Auto
                 ? std::vector<Event>{Wait(1000), Tap(), Wait(7000)}
                 : Then({Tap(Switch::Step), Tap()}, Repeat(7, Tap(Switch::Step))));
    EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 2, {}})) << static_cast<int>(mode);
  }
}

TEST(ScannerTest, AutoRestsAfterItsCyclesAndTheNextPressOnlyWakesIt) {
  Story story(ScanMode::Auto);
  story.Do({Wait(3 * 7 * 1000 - 100)});
  EXPECT_EQ(story.scanner.lit().row, 7);
  story.Do({Wait(100)});
  EXPECT_EQ(story.scanner.lit(), Lit{});
  EXPECT_FALSE(story.scanner.NextStepAt());
  story.Do({Tap()});
  EXPECT_TRUE(story.chosen.empty());
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 1, {}}));
  // A press counts as activity: the cycles start again.
  story.Do({Wait(7 * 1000 * 2 + 500)});
  EXPECT_NE(story.scanner.lit(), Lit{});
}

TEST(ScannerTest, RepeatsAndBounceCountOnce) {
  struct Case {
    const char* story;
    std::vector<std::pair<Switch, int>> presses;  // switch, ms after the previous
    std::vector<int> releases_after;              // index of the press each release follows
    int rows_moved;
  };
  const Case cases[] = {
      {"auto-repeat of a held step switch", {{Switch::Step, 150}, {Switch::Step, 500}}, {1}, 1},
      {"bounce of the step switch", {{Switch::Step, 150}, {Switch::Step, 40}}, {0, 1}, 1},
      {"bounce across switches", {{Switch::Step, 150}, {Switch::Choose, 60}}, {0, 1}, 1},
      {"two presses beyond bounce", {{Switch::Step, 150}, {Switch::Step, 150}}, {0, 1}, 2},
  };
  for (const Case& c : cases) {
    Story story(ScanMode::Step);
    for (std::size_t i = 0; i < c.presses.size(); ++i) {
      story.now += milliseconds(c.presses[i].second);
      story.scanner.Press(c.presses[i].first, story.now);
      for (const int after : c.releases_after) {
        if (static_cast<std::size_t>(after) == i) {
          story.now += milliseconds(5);
          EXPECT_FALSE(story.scanner.Release(c.presses[i].first, story.now)) << c.story;
        }
      }
    }
    EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 1 + c.rows_moved, {}})) << c.story;
  }
}

TEST(ScannerTest, TheStepSwitchDoesNothingInAutoMode) {
  Story story(ScanMode::Auto);
  story.Do({Tap(Switch::Step), Tap(Switch::Step)});
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 1, {}}));
}

TEST(ScannerTest, RowsAndCellsThatDoNothingAreSkipped) {
  // Only cells 3 and 5 of the top row, nothing in rows 2 and 3, and the
  // panels, which are always there.
  const auto rows = ScanRows([](int cell) { return cell == 3 || cell == 5 || cell == 40; });
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[1].stops,
            (std::vector<Stop>{Stop::Panel(PanelId::Shift), Stop::Panel(PanelId::Extend)}));
  Story story(ScanMode::Step, rows);
  story.Do({Tap(Switch::Step), Tap(Switch::Step), Tap(), Tap()});
  EXPECT_EQ(story.chosen, std::vector<Stop>{Stop::Button(40)});
  story.Do({Tap(), Tap(Switch::Step), Tap()});
  EXPECT_EQ(story.chosen.back(), Stop::Button(5));
}

TEST(ScannerTest, NewRowsKeepTheHighlightWhereItStillIs) {
  Story story(ScanMode::Step);
  story.Do({Tap(Switch::Step), Tap(Switch::Step), Tap(), Tap(Switch::Step)});  // cell 16
  story.scanner.SetRows(ScanRows([](int cell) { return cell != 15; }));
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::OneStop, 3, Stop::Button(16)}));
  story.scanner.SetRows(ScanRows([](int cell) { return cell != 16; }));
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 1, {}}));
}

TEST(ScannerTest, AnOpenDialogsOkIsTheOnlyStop) {
  Story story(ScanMode::Auto);
  story.Do({Wait(2000)});
  story.scanner.SetOnlyStop(Stop::DialogOk());
  story.Do({Wait(5000)});
  EXPECT_EQ(story.scanner.lit().stop, Stop::DialogOk());
  story.Do({Tap()});
  EXPECT_EQ(story.chosen, std::vector<Stop>{Stop::DialogOk()});
  story.scanner.SetOnlyStop(std::nullopt);
  EXPECT_EQ(story.scanner.lit(), (Lit{Lit::Kind::Row, 3, {}}));
}

TEST(ScannerTest, NothingIsLitOrChosenOnceHalted) {
  Story story(ScanMode::Step);
  story.Do({{Event::Press}});
  story.scanner.Halt();
  story.Do({{Event::Release}, Tap()});
  EXPECT_TRUE(story.chosen.empty());
  EXPECT_EQ(story.scanner.lit(), Lit{});
}

// Scanning stopped while a switch was held gives the key back, and its
// release goes elsewhere: the next start does not take it as held.
TEST(ScannerTest, AStartForgetsASwitchHeldWhenScanningStopped) {
  Story story(ScanMode::Step);
  story.Do({{Event::Press}});
  story.scanner.Halt();
  story.scanner.Start(ScanMode::Step, milliseconds(1000), 3, story.now);
  story.Do({Tap(), Tap()});
  EXPECT_EQ(story.chosen, std::vector<Stop>{Stop::Button(1)});
}

}  // namespace
}  // namespace plinth::scan
