// The dwell controller alone, on the test platform's window and clock: when
// a rest clicks, what may be clicked, dialogs, the setting and the popup
// item. The keyboard's use of it is told in dwell_test.cpp.

#include "src/keyboard/dwell_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/testing/fake_keyboard_window.h"
#include "platform/testing/manual_timer.h"

namespace plinth {
namespace {

using platform::MenuItemId;
using platform::PanelId;
using platform::Point;
using platform::PointerTarget;
using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class DwellControllerTest : public ::testing::Test {
 protected:
  void Wait(int ms) { timer.Advance(milliseconds{ms}); }
  // Each call a point far from the one before, so that a rest begins.
  void MoveTo(PointerTarget target) {
    far_away_.x += 100;
    dwell.PointerMoved(target, far_away_);
  }

  test_platform::ManualTimer timer;
  test_platform::FakeKeyboardWindow window;
  std::vector<PointerTarget> clicks;
  DwellController dwell{timer, window, [this](PointerTarget target) { clicks.push_back(target); }};

 private:
  Point far_away_{0, 500};
};

TEST_F(DwellControllerTest, ARestOfTheDwellTimeClicksItsTargetOnce) {
  dwell.SetDwellTime(milliseconds{400});
  MoveTo(PointerTarget::Button(7));
  Wait(399);
  EXPECT_THAT(clicks, IsEmpty());
  Wait(1);
  EXPECT_THAT(clicks, ElementsAre(PointerTarget::Button(7)));
  Wait(3000);
  EXPECT_EQ(clicks.size(), 1u);
  EXPECT_FALSE(timer.running()) << "no ticks while nothing is timed";
}

TEST_F(DwellControllerTest, TheTicksCountFromTheStartOfEachRest) {
  dwell.SetDwellTime(milliseconds{400});
  MoveTo(PointerTarget::Button(7));
  Wait(30);
  MoveTo(PointerTarget::Button(8));
  Wait(399);
  EXPECT_THAT(clicks, IsEmpty());
  Wait(1);
  EXPECT_THAT(clicks, ElementsAre(PointerTarget::Button(8)));
}

// The window only draws the bars it is given; the controller empties the
// bar of a target the rest left.
TEST_F(DwellControllerTest, TheBarFillsOnOneTargetAtATime) {
  dwell.SetDwellTime(milliseconds{400});
  MoveTo(PointerTarget::Button(7));
  Wait(120);  // three ticks
  EXPECT_EQ(window.dwell_progress(PointerTarget::Button(7)), 300);
  MoveTo(PointerTarget::Panel(PanelId::Shift));
  Wait(200);
  EXPECT_EQ(window.dwell_progress(PointerTarget::Button(7)), 0);
  EXPECT_THAT(window.dwell_bars(), ElementsAre(PointerTarget::Panel(PanelId::Shift)));
  MoveTo(PointerTarget{});
  EXPECT_THAT(window.dwell_bars(), IsEmpty());
  MoveTo(PointerTarget::Button(8));
  Wait(400);
  EXPECT_THAT(window.dwell_bars(), IsEmpty()) << "emptied once clicked";
  EXPECT_EQ(window.misaddressed_calls(), 0) << "no bar was asked of nothing";
}

TEST_F(DwellControllerTest, OnlyWhatAClickWouldReachIsClicked) {
  const struct {
    PointerTarget target;
    bool dialog_open;
    bool clicked;
  } rows[] = {
      {PointerTarget::Button(1), false, true},
      {PointerTarget::Button(49), false, true},
      {PointerTarget::Button(25), false, false},  // the centre cell has no button
      {PointerTarget::Button(0), false, false},
      {PointerTarget::Button(50), false, false},
      {PointerTarget::Panel(PanelId::Shift), false, true},
      {PointerTarget::Panel(PanelId::Extend), false, true},
      {PointerTarget::DialogOk(), false, false},  // no dialog is open
      {PointerTarget{}, false, false},
      {PointerTarget::Button(1), true, false},
      {PointerTarget::Panel(PanelId::Shift), true, false},
      {PointerTarget::DialogOk(), true, true},
  };
  dwell.SetDwellTime(milliseconds{400});
  for (const auto& row : rows) {
    SCOPED_TRACE(testing::Message() << "kind " << static_cast<int>(row.target.kind) << " cell "
                                    << row.target.cell << (row.dialog_open ? " in a dialog" : ""));
    clicks.clear();
    const auto rest = [&] {
      MoveTo(row.target);
      Wait(1000);
    };
    if (row.dialog_open) {
      dwell.RunDialog(rest);
    } else {
      rest();
    }
    EXPECT_EQ(clicks.size(), row.clicked ? 1u : 0u);
  }
}

TEST_F(DwellControllerTest, ADialogEndsTheRestBeforeAndAfterIt) {
  dwell.SetDwellTime(milliseconds{400});
  MoveTo(PointerTarget::Button(7));
  Wait(300);
  dwell.RunDialog([&] { Wait(300); });
  Wait(1000);
  EXPECT_THAT(clicks, IsEmpty()) << "under a closed dialog the pointer is nowhere known";
  MoveTo(PointerTarget::Button(7));
  Wait(400);
  EXPECT_THAT(clicks, ElementsAre(PointerTarget::Button(7)));
}

TEST_F(DwellControllerTest, TheSettingAndThePopupItem) {
  const struct {
    const char* setting;
    bool on;
    int time_turned_on;  // by the popup item, once off
    const char* problem;
  } rows[] = {
      {"800", true, 800, ""},
      {"", false, 1000, ""},
      {"fast", false, 1000, "DwellTime fast is no number; dwell click is off"},
      {"50", true, 200, "DwellTime 50 is outside 200..5000 ms; 200 ms is used"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.setting);
    test_platform::FakeKeyboardWindow shown;
    DwellController controller(timer, shown,
                               [this](PointerTarget target) { clicks.push_back(target); });
    controller.KeepSetting(row.setting);
    EXPECT_EQ(controller.Configure(), row.problem);
    EXPECT_EQ(controller.enabled(), row.on);
    EXPECT_EQ(shown.menu_item_checked(MenuItemId::DwellClick), row.on);
    if (row.on) controller.Toggle();
    EXPECT_FALSE(shown.menu_item_checked(MenuItemId::DwellClick));
    controller.Toggle();
    EXPECT_TRUE(shown.menu_item_checked(MenuItemId::DwellClick));
    EXPECT_EQ(controller.tracker().dwell_time(), milliseconds{row.time_turned_on});
  }
}

}  // namespace
}  // namespace plinth
