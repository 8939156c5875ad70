#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

// Cell 1 names its layer; cell 2 is blank in the base layer, cell 3 holds
// one blank, cell 4 a lower-case letter, cell 5 a word, cell 6 a digit,
// cell 8 an accented letter.
constexpr const char* kLayers = R"(
[Button1]
Caption=base
[ShiftButton1]
Caption=shift
[ExtButton1]
Caption=ext
[ExtShiftButton1]
Caption=extshift
[Button3]
Caption=" "
[Button4]
Caption=q
[Button5]
Caption=word
[Button6]
Caption=7
[Button8]
Caption=)"
                                "\xE9\n";

class RefreshTest : public KeyboardTest {
 protected:
  void SetUp() override { Start(kLayers); }
  // Releases both panels (latches are off), then brings each to `state`.
  void SetPanels(PanelState shift, PanelState extend) {
    form().RefreshKeyboard(true);
    for (const auto& [panel, state] :
         {std::pair{PanelId::Shift, shift}, {PanelId::Extend, extend}}) {
      if (state != PanelState::Idle) HoverPanel(panel);
      if (state == PanelState::Armed) ClickPanel(panel);
    }
  }
};

struct LayerCase {
  PanelState shift;
  PanelState extend;
  bool shift1_lock;
  int layer;
  const char* label;
};

TEST_F(RefreshTest, LayerFollowsArmedPanelsAndTheShiftLock) {
  using enum PanelState;
  const LayerCase cases[] = {
      {Idle, Idle, false, 0, "base"},   {Armed, Idle, false, 1, "shift"},
      {Idle, Armed, false, 2, "ext"},   {Armed, Armed, false, 3, "extshift"},
      {Hover, Hover, false, 0, "base"}, {Hover, Armed, false, 2, "ext"},
      {Idle, Idle, true, 1, "shift"},   {Idle, Armed, true, 3, "extshift"},
      {Armed, Idle, true, 1, "shift"},  {Hover, Hover, true, 1, "shift"},
  };
  for (const LayerCase& c : cases) {
    form().Flags.Shift1Lock = c.shift1_lock;
    SetPanels(c.shift, c.extend);
    form().RefreshKeyboard(false);
    EXPECT_EQ(form().CurrentLayer, c.layer);
    EXPECT_EQ(Label(1), c.label);
    EXPECT_EQ(Panel(PanelId::Shift), c.shift) << "refreshing never recolours without a key";
  }
}

TEST_F(RefreshTest, AvailableNumbersOnlyEmptyCaptions) {
  ChooseMenuItem(MenuItemId::Available);
  EXPECT_TRUE(window.menu_item_checked(MenuItemId::Available));
  EXPECT_EQ(Label(1), "base");
  EXPECT_EQ(Label(2), "2");
  EXPECT_EQ(Label(3), " ") << "one blank is a caption";
  EXPECT_EQ(Label(49), "49");
  ChooseMenuItem(MenuItemId::Available);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::Available));
  EXPECT_EQ(Label(2), "");
}

TEST_F(RefreshTest, ShowAllNumbersEveryButtonWhateverElseIsOn) {
  form().Flags.CapsLock = true;
  ChooseMenuItem(MenuItemId::Available);
  ChooseMenuItem(MenuItemId::ShowAll);
  for (int cell : {1, 2, 3, 4, 24, 26, 49}) EXPECT_EQ(Label(cell), std::to_string(cell));
  form().Flags.CapsLock = false;
  ChooseMenuItem(MenuItemId::Available);
  ChooseMenuItem(MenuItemId::ShowAll);
  EXPECT_EQ(Label(1), "base");
  EXPECT_EQ(Label(2), "");
  EXPECT_EQ(Label(4), "q");
}

TEST_F(RefreshTest, CapsLockUpperCasesOneCharacterCaptionsOnly) {
  form().Flags.CapsLock = true;
  form().RefreshKeyboard(false);
  EXPECT_EQ(Label(4), "Q");
  EXPECT_EQ(Label(8), "\xC9");
  EXPECT_EQ(Label(5), "word");
  EXPECT_EQ(Label(6), "7");
  EXPECT_EQ(Label(2), "");
  EXPECT_EQ(form().MainTable.at(0, 4).Caption, "q") << "only the label changes";
}

TEST_F(RefreshTest, KeySentReleasesPanelsWhoseLatchIsOff) {
  ArmPanel(PanelId::Shift);
  ArmPanel(PanelId::Extend);
  form().RefreshKeyboard(true);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Idle);
  EXPECT_EQ(form().CurrentLayer, 0);

  form().Flags.Shift1Lock = true;
  ArmPanel(PanelId::Extend);
  form().RefreshKeyboard(true);
  EXPECT_EQ(form().CurrentLayer, 1);
  EXPECT_EQ(window.misaddressed_calls(), 0);
}

TEST_F(RefreshTest, SwitchingTablesKeepsTheLayer) {
  PutLayout("Extend", "[ShiftButton1]\nCaption=other\n");
  form().LoadLayout("Extend", form().ExtendTable, false);
  ArmPanel(PanelId::Shift);
  form().CurrentTable = &form().ExtendTable;
  form().RefreshKeyboard(false);
  EXPECT_EQ(Label(1), "other");
}

}  // namespace
}  // namespace plinth
