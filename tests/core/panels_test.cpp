#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::IsEmpty;

constexpr const char* kKeyAndActions = R"(
[Button1]
Caption=a
HomeButton=-1
[ShiftButton1]
Caption=A
HomeButton=-1
[Button2]
Type=ACTION
Handler=DEFAULT
Action=CAPSLOCK
[Button3]
Type=CTRLTOGGLE
[Button4]
Type=VIRTUALKEY
KeyString=NOSUCHKEY
HomeButton=-1
)";

class PanelsTest : public KeyboardTest {
 protected:
  void StartWithLatches(bool shift_latch, bool extend_latch) {
    std::string ini = "[Configuration]\nShiftOperation=";
    ini += shift_latch ? "LATCH" : "TOGGLE";
    ini += "\nShift2Operation=";
    ini += extend_latch ? "latch" : "toggle";
    Start(ini + kKeyAndActions);
  }
};

struct Transition {
  PanelState from;
  PanelState after_move;
  PanelState after_click;
  PanelState after_key_unlatched;
  PanelState after_key_latched;
};

// Each panel runs the same machine on its own, with its own latch setting.
TEST_F(PanelsTest, EveryStateAndEventOfBothPanels) {
  using enum PanelState;
  const Transition table[] = {
      {Idle, Hover, Hover, Idle, Idle},
      {Hover, Hover, Armed, Idle, Hover},
      {Armed, Armed, Hover, Idle, Armed},
  };
  for (PanelId panel : {PanelId::Shift, PanelId::Extend}) {
    const PanelId other = panel == PanelId::Shift ? PanelId::Extend : PanelId::Shift;
    const char* latch_key = panel == PanelId::Shift ? "ShiftOperation" : "Shift2Operation";
    for (const Transition& row : table) {
      SCOPED_TRACE(::testing::Message() << "panel " << static_cast<int>(panel) << ", from state "
                                        << static_cast<int>(row.from));
      const auto keyboard_in_state = [&](bool latched) {
        auto kb = std::make_unique<TestKeyboard>();
        kb->PutLayout("Default", std::string("[Configuration]\n") + latch_key + "=" +
                                     (latched ? "LATCH" : "TOGGLE") + "\n" + kKeyAndActions);
        kb->Create();
        if (row.from != Idle) kb->HoverPanel(panel);
        if (row.from == Armed) kb->ClickPanel(panel);
        return kb;
      };

      auto moved = keyboard_in_state(false);
      moved->HoverPanel(panel);
      EXPECT_EQ(moved->Panel(panel), row.after_move);

      auto clicked = keyboard_in_state(false);
      clicked->ClickPanel(panel);
      EXPECT_EQ(clicked->Panel(panel), row.after_click);
      EXPECT_EQ(clicked->Panel(other), Idle) << "the other panel is a separate target";

      auto unlatched = keyboard_in_state(false);
      unlatched->Click(1);
      EXPECT_EQ(unlatched->Panel(panel), row.after_key_unlatched);

      auto latched = keyboard_in_state(true);
      latched->Click(1);
      EXPECT_EQ(latched->Panel(panel), row.after_key_latched);
    }
  }
}

TEST_F(PanelsTest, ClickingAnArmedPanelTwiceArmsItAgain) {
  StartWithLatches(false, false);
  ArmPanel(PanelId::Shift);
  EXPECT_EQ(form().CurrentLayer, 1);
  EXPECT_EQ(Label(1), "A");
  ClickPanel(PanelId::Shift);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Hover);
  EXPECT_EQ(Label(1), "a");
  ClickPanel(PanelId::Shift);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
}

TEST_F(PanelsTest, ClickWithoutHoverOnlyMarks) {
  StartWithLatches(false, false);
  ClickPanel(PanelId::Extend);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Hover);
  EXPECT_EQ(form().CurrentLayer, 0);
  ClickPanel(PanelId::Extend);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Armed);
  EXPECT_EQ(form().CurrentLayer, 2);
}

TEST_F(PanelsTest, HoverNeitherSelectsALayerNorRelabels) {
  StartWithLatches(false, false);
  const std::size_t captions_before = window.caption_history().size();
  HoverPanel(PanelId::Shift);
  HoverPanel(PanelId::Extend);
  EXPECT_EQ(form().CurrentLayer, 0);
  EXPECT_EQ(window.caption_history().size(), captions_before);
}

TEST_F(PanelsTest, ShiftLatchedExtendToggledAfterAKey) {
  StartWithLatches(true, false);
  ArmPanel(PanelId::Shift);
  ArmPanel(PanelId::Extend);
  EXPECT_EQ(form().CurrentLayer, 3);
  Click(1);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Idle);
  EXPECT_EQ(form().CurrentLayer, 1);
  EXPECT_EQ(Label(1), "A");
}

TEST_F(PanelsTest, AnUnknownKeyNameStillReleases) {
  StartWithLatches(false, false);
  ArmPanel(PanelId::Shift);
  Click(4);
  EXPECT_EQ(Warnings().size(), 1u);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
}

TEST_F(PanelsTest, ActionsTogglesMenusAndLoadsLeaveThePanelsAlone) {
  StartWithLatches(false, false);
  ArmPanel(PanelId::Shift);
  HoverPanel(PanelId::Extend);
  Click(2);               // CAPSLOCK
  window.ClickButton(3);  // CTRLTOGGLE
  ChooseMenuItem(MenuItemId::ShowAll);
  form().LoadLayout("Default", form().MainTable, true);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Hover);
}

TEST_F(PanelsTest, ShiftLockDoesNotColourTheShiftPanel) {
  StartWithLatches(false, false);
  form().Flags.Shift1Lock = true;
  form().RefreshKeyboard(false);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
  EXPECT_EQ(form().CurrentLayer, 1);
  ArmPanel(PanelId::Shift);
  EXPECT_EQ(form().CurrentLayer, 1);
  ClickPanel(PanelId::Shift);
  EXPECT_EQ(form().CurrentLayer, 1);
}

TEST_F(PanelsTest, PointerReturnRestsOnTheShiftPanelReadyToArm) {
  Start("[Button1]\nCaption=a\n[ShiftButton1]\nCaption=A\n");
  DeliverPointerMotion(true);
  Click(1);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Hover);
  ClickPanel(PanelId::Shift);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_EQ(Label(1), "A");
  EXPECT_THAT(Warnings(), IsEmpty());
}

}  // namespace
}  // namespace plinth
