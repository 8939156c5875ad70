#include <chrono>
#include <variant>

#include "src/layout/dwell_setting.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::Point;
using platform::PointerTarget;
using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Cell 1 returns the pointer home, cell 2 leaves it where it is, cell 3
// names a key that does not exist.
constexpr const char* kLayout = R"(
[Button1]
Caption=h
[ShiftButton1]
Caption=H
[Button2]
Caption=e
HomeButton=-1
[Button3]
Type=VIRTUALKEY
KeyString=NOSUCHKEY
)";

class DwellTest : public KeyboardTest {
 protected:
  void StartDwelling(const std::string& time = "400") {
    Start("[Configuration]\nDwellTime=" + time + "\n" + kLayout);
  }
  Point Home() { return pointer.moves().back(); }
  Point ShiftPanelCentre() { return CellCentre(platform::design::kCentreCell); }
  Point ExtendRing() {
    const Point centre = CellCentre(platform::design::kCentreCell);
    return {centre.x - 12, centre.y - 12};
  }
  // Keys typed so far, as the count of key-down events.
  std::size_t KeysTyped() { return TakeKeys().size() / 2; }
};

// One step of the user: put the pointer at an offset from the centre of a
// cell, let time pass, or press or release a mouse button where the
// pointer is (no click: the button is pressed elsewhere, or released).
struct MoveTo {
  int cell;
  int dx = 0;
  int dy = 0;
};
struct WaitFor {
  int ms;
};
struct Press {};
struct Release {};
using Step = std::variant<MoveTo, WaitFor, Press, Release>;

void Perform(test_platform::TestKeyboard& kb, const std::vector<Step>& steps) {
  Point pointer;
  for (const Step& step : steps) {
    if (const auto* move = std::get_if<MoveTo>(&step)) {
      const Point centre = kb.CellCentre(move->cell);
      pointer = {centre.x + move->dx, centre.y + move->dy};
      kb.MovePointer(pointer);
    } else if (const auto* wait = std::get_if<WaitFor>(&step)) {
      kb.Wait(milliseconds{wait->ms});
    } else if (std::holds_alternative<Press>(step)) {
      kb.window.PressMouseButton();
    } else {
      kb.window.ReleaseMouseButton(pointer);
    }
  }
}

struct RestCase {
  const char* story;
  std::vector<Step> steps;
  std::size_t keys;
};

TEST_F(DwellTest, RestsJitterAndMovements) {
  const RestCase cases[] = {
      {"a rest of the dwell time clicks", {MoveTo{2}, WaitFor{400}}, 1},
      {"a shorter rest does not", {MoveTo{2}, WaitFor{390}}, 0},
      {"tremor within the tolerance is rest",
       {MoveTo{2}, WaitFor{150}, MoveTo{2, 3, -2}, WaitFor{150}, MoveTo{2, -1, 4}, WaitFor{100}},
       1},
      {"a movement beyond it starts the rest again",
       {MoveTo{2}, WaitFor{300}, MoveTo{2, 10}, WaitFor{300}},
       0},
      {"and the new rest clicks in its own time",
       {MoveTo{2}, WaitFor{300}, MoveTo{2, 10}, WaitFor{400}},
       1},
      {"no repeat while the pointer stays", {MoveTo{2}, WaitFor{3000}}, 1},
      {"tremor after a click is no movement away",
       {MoveTo{2}, WaitFor{400}, MoveTo{2, 4, 4}, WaitFor{1000}},
       1},
      {"moving away and resting again clicks again",
       {MoveTo{2}, WaitFor{400}, MoveTo{2, 8}, WaitFor{400}},
       2},
      {"moving to another button clicks that one",
       {MoveTo{2}, WaitFor{400}, MoveTo{4}, WaitFor{400}},
       2},
      {"a press ends the rest", {MoveTo{2}, WaitFor{300}, Press{}, WaitFor{3000}}, 0},
      {"a held button rests nowhere",
       {MoveTo{2}, Press{}, MoveTo{4}, WaitFor{1000}, MoveTo{4, 10}, WaitFor{1000}},
       0},
      {"the release leaves the pointer spent where it came up",
       {MoveTo{2}, Press{}, MoveTo{4}, WaitFor{1000}, Release{}, MoveTo{4, 3, 3}, WaitFor{3000}},
       0},
      {"and moving away from there rests again",
       {MoveTo{2}, Press{}, MoveTo{4}, Release{}, MoveTo{4, 8}, WaitFor{400}},
       1},
  };
  for (const RestCase& row : cases) {
    SCOPED_TRACE(row.story);
    TestKeyboard kb;
    kb.PutLayout("Default", std::string("[Configuration]\nDwellTime=400\n") + kLayout +
                                "[Button4]\nCaption=l\nHomeButton=-1\n");
    kb.Create();
    Perform(kb, row.steps);
    EXPECT_EQ(kb.TakeKeys().size() / 2, row.keys);
  }
}

TEST_F(DwellTest, AClickIsTheSameAsALeftClickThere) {
  StartDwelling();
  MovePointer(CellCentre(1));
  Wait(milliseconds{400});
  EXPECT_EQ(TakeKeys(), Stroke('H'));
  EXPECT_EQ(Caption(), "H - 72");
  EXPECT_EQ(pointer.moves().size(), 1u) << "the pointer returns home";
}

TEST_F(DwellTest, NothingAfterThePointerReturnsOntoTheShiftPanel) {
  for (const bool dwelt : {true, false}) {
    SCOPED_TRACE(dwelt ? "after a dwell click" : "after a real click");
    TestKeyboard kb;
    kb.PutLayout("Default", std::string("[Configuration]\nDwellTime=400\n") + kLayout);
    kb.Create();
    kb.MovePointer(kb.CellCentre(1));
    if (dwelt) {
      kb.Wait(milliseconds{400});
    } else {
      kb.Click(1);
    }
    kb.MovePointer(kb.pointer.moves().back());  // the return reaches the window
    kb.Wait(milliseconds{4000});
    EXPECT_EQ(kb.Panel(PanelId::Shift), PanelState::Hover);
    EXPECT_EQ(kb.TakeKeys(), Stroke('H'));
    EXPECT_THAT(kb.window.dwell_bars(), IsEmpty());
  }
}

// After a dwell click on cell 1, which returns the pointer home (the centre
// of cell 25, on the Shift panel). X11 reports each movement at the point of
// its event: a tremor queued before the return but handled after the click
// still shows the pointer on the button it left, and the return's own
// report follows. Windows reports the live cursor: a report away from home
// is the pointer moved away.
struct ReturnCase {
  const char* story;
  platform::PointerPositions positions;
  std::vector<Step> steps;
  std::size_t keys;
};

TEST_F(DwellTest, ReportsAfterAPointerReturn) {
  using enum platform::PointerPositions;
  const ReturnCase cases[] = {
      {"a tremor reported late does not arm Shift",
       OfTheEvent,
       {MoveTo{1, 2, 1}, MoveTo{25}, MoveTo{25, 1, -1}, WaitFor{4000}},
       0},
      {"nor does a release reported late",
       OfTheEvent,
       {MoveTo{1, 2, 1}, Release{}, MoveTo{25}, MoveTo{25, 1, -1}, WaitFor{4000}},
       0},
      {"nor does one reported after a pause",
       OfTheEvent,
       {WaitFor{300}, MoveTo{1, -1, 2}, MoveTo{25}, WaitFor{4000}},
       0},
      {"the pointer moved away once home clicks again",
       OfTheEvent,
       {MoveTo{1, 2, 1}, MoveTo{25}, MoveTo{1}, WaitFor{400}},
       1},
      {"reports count again when the return's is long overdue",
       OfTheEvent,
       {WaitFor{1000}, MoveTo{1, 2, 1}, WaitFor{400}},
       1},
      {"the live cursor away from home has moved away",
       LiveCursor,
       {MoveTo{1, 2, 1}, WaitFor{400}},
       1},
      {"the live cursor at home clicks nothing",
       LiveCursor,
       {MoveTo{25}, MoveTo{25, 1, -1}, WaitFor{4000}},
       0},
  };
  for (const ReturnCase& row : cases) {
    SCOPED_TRACE(row.story);
    TestKeyboard kb;
    kb.window.set_reported_pointer_positions(row.positions);
    kb.PutLayout("Default", std::string("[Configuration]\nDwellTime=400\n") + kLayout);
    kb.Create();
    kb.MovePointer(kb.CellCentre(1));
    kb.Wait(milliseconds{400});
    ASSERT_EQ(kb.TakeKeys(), Stroke('H'));
    ASSERT_EQ(kb.pointer.moves().back(), kb.CellCentre(25)) << "the pointer returned home";
    Perform(kb, row.steps);
    EXPECT_EQ(kb.TakeKeys().size() / 2, row.keys);
    EXPECT_NE(kb.Panel(PanelId::Shift), PanelState::Armed);
  }
}

TEST_F(DwellTest, PanelsAreDweltOnLikeButtons) {
  StartDwelling();
  for (const PanelId panel : {PanelId::Shift, PanelId::Extend}) {
    MovePointer(CellCentre(9));  // away first
    MovePointer(panel == PanelId::Shift ? ShiftPanelCentre() : ExtendRing());
    EXPECT_EQ(Panel(panel), PanelState::Hover);
    Wait(milliseconds{400});
    EXPECT_EQ(Panel(panel), PanelState::Armed);
    Wait(milliseconds{2000});
    EXPECT_EQ(Panel(panel), PanelState::Armed) << "no second click without moving";
  }
  EXPECT_EQ(form().CurrentLayer, 3);
  MovePointer(CellCentre(1));
  Wait(milliseconds{400});
  EXPECT_EQ(TakeKeys(), Stroke('H')) << "the Shift layer's key; the panels then release";
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
}

TEST_F(DwellTest, TheFrameTheOutsideAndNothingClickNothing) {
  StartDwelling();
  const Point outer = window.OuterPosition();
  for (const Point point : {Point{outer.x + 1, outer.y + 5}, Point{outer.x - 40, outer.y + 60},
                            Point{outer.x + 500, outer.y + 500}}) {
    MovePointer(point);
    Wait(milliseconds{2000});
  }
  window.MovePointerTo(PointerTarget::Button(25), CellCentre(25));  // a cell without a button
  Wait(milliseconds{2000});
  window.MovePointerTo(PointerTarget::DialogOk(), {0, 0});  // no dialog is open
  Wait(milliseconds{2000});
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_FALSE(timer.running());
}

TEST_F(DwellTest, TheIndicatorShowsTheTimePassingOnTheTarget) {
  StartDwelling();
  MovePointer(CellCentre(2));
  Wait(milliseconds{200});
  EXPECT_THAT(window.dwell_bars(), ElementsAre(PointerTarget::Button(2)));
  EXPECT_EQ(window.dwell_progress(PointerTarget::Button(2)), 500);
  MovePointer(ShiftPanelCentre());
  EXPECT_THAT(window.dwell_bars(), IsEmpty()) << "the bar leaves the button, the new rest has none";
  Wait(milliseconds{200});
  EXPECT_THAT(window.dwell_bars(), ElementsAre(PointerTarget::Panel(PanelId::Shift)));
  Wait(milliseconds{200});
  EXPECT_THAT(window.dwell_bars(), IsEmpty()) << "hidden once clicked";
  EXPECT_EQ(window.misaddressed_calls(), 0);
  EXPECT_FALSE(timer.running()) << "no ticks while nothing is timed";
}

TEST_F(DwellTest, OffByDefaultAndRealClicksWorkEitherWay) {
  Start(kLayout);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::DwellClick));
  MovePointer(CellCentre(2));
  Wait(milliseconds{6000});
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_THAT(window.dwell_bars(), IsEmpty());
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke('E'));
}

TEST_F(DwellTest, ThePopupItemTurnsItOnAndOff) {
  Start(kLayout);
  ChooseMenuItem(MenuItemId::DwellClick);
  EXPECT_TRUE(window.menu_item_checked(MenuItemId::DwellClick));
  MovePointer(CellCentre(2));
  Wait(milliseconds{999});
  EXPECT_THAT(TakeKeys(), IsEmpty()) << "one second when the layout sets no time";
  Wait(milliseconds{1});
  EXPECT_EQ(TakeKeys(), Stroke('E'));
  ChooseMenuItem(MenuItemId::DwellClick);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::DwellClick));
  MovePointer(CellCentre(4));
  Wait(milliseconds{3000});
  EXPECT_THAT(TakeKeys(), IsEmpty());
}

TEST_F(DwellTest, TheWarningDialogsOkIsDweltOnAndNothingElse) {
  StartDwelling();
  int keys_during_dialog = -1;
  window.OnDialog([&](const test_platform::Dialog&) {
    MovePointer(CellCentre(2));  // the keyboard takes no click now
    Wait(milliseconds{1000});
    window.MovePointerTo(PointerTarget::DialogOk(), {600, 400});
    Wait(milliseconds{400});
    keys_during_dialog = static_cast<int>(KeysTyped());
  });
  MovePointer(CellCentre(3));
  Wait(milliseconds{400});
  EXPECT_EQ(Warnings().size(), 1u);
  EXPECT_EQ(window.dialog_ok_presses(), 1);
  EXPECT_EQ(keys_during_dialog, 0);
}

TEST(DwellSetting, ReadsMillisecondsWithinBounds) {
  struct Row {
    const char* text;
    int ms;
    const char* problem;
  };
  const Row rows[] = {
      {"", 0, ""},
      {"0", 0, ""},
      {"400", 400, ""},
      {" 5000", 5000, ""},
      {"50", 200, "DwellTime 50 is outside 200..5000 ms; 200 ms is used"},
      {"-3", 200, "DwellTime -3 is outside 200..5000 ms; 200 ms is used"},
      {"99999999999", 0, "DwellTime 99999999999 is no number; dwell click is off"},
      {"400ms", 0, "DwellTime 400ms is no number; dwell click is off"},
      {"60000", 5000, "DwellTime 60000 is outside 200..5000 ms; 5000 ms is used"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    const DwellSetting setting = ParseDwellTime(row.text, milliseconds{200}, milliseconds{5000});
    EXPECT_EQ(setting.time, milliseconds{row.ms});
    EXPECT_EQ(setting.problem, row.problem);
  }
}

TEST_F(DwellTest, ABadTimeIsReportedAndTheKeyboardGoesOn) {
  StartDwelling("9");
  EXPECT_EQ(Warnings(), std::vector<std::string>{
                            "Error - DwellTime 9 is outside 200..5000 ms; 200 ms is used"});
  EXPECT_TRUE(window.menu_item_checked(MenuItemId::DwellClick));
  MovePointer(CellCentre(2));
  Wait(milliseconds{200});
  EXPECT_EQ(TakeKeys(), Stroke('E'));
}

}  // namespace
}  // namespace plinth
