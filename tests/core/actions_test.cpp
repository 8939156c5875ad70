#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::Point;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A default-handler action button in `cell`, with up to two parameters.
std::string ActionButton(int cell, const std::string& handler, const std::string& action,
                         const std::string& param1 = "", const std::string& param2 = "") {
  std::string ini = "[Button" + std::to_string(cell) + "]\nType=ACTION\nHandler=" + handler +
                    "\nAction=" + action + "\n";
  if (!param1.empty()) ini += "Param1=" + param1 + "\n";
  if (!param2.empty()) ini += "Param2=" + param2 + "\n";
  return ini;
}

class ActionsTest : public KeyboardTest {};

struct DockCase {
  std::string param1;
  std::string param2;
  Point expected;
};

TEST_F(ActionsTest, MoveDocksTheWindowToAScreenCorner) {
  // Screen 1024 x 768, window 226 x 246.
  const DockCase cases[] = {
      {"top", "left", {0, 0}},      {"TOP", "RIGHT", {798, 0}},  {"", "", {798, 522}},
      {"bottom", "left", {0, 522}}, {"Top", "middle", {798, 0}}, {"LEFT", "TOP", {798, 522}},
  };
  for (const DockCase& c : cases) {
    TestKeyboard kb;
    kb.PutLayout("Default", ActionButton(1, "DEFAULT", "move", c.param1, c.param2));
    kb.PutLayout("Extend", "");
    kb.Create();
    kb.Click(1);
    EXPECT_EQ(kb.window.position(), c.expected) << c.param1 << "/" << c.param2;
    EXPECT_THAT(kb.Warnings(), IsEmpty());
  }
}

TEST_F(ActionsTest, MoveUsesTheScreenSize) {
  screen.set_size({1920, 1080});
  Start(ActionButton(1, "DEFAULT", "MOVE"));
  Click(1);
  EXPECT_EQ(window.position(), (Point{1920 - 226, 1080 - 246}));
}

TEST_F(ActionsTest, MovePointerSwitchesTheMovingCaptionOnly) {
  Start(ActionButton(1, "DEFAULT", "MOVE", "pointer", "left"));
  Click(1);
  EXPECT_EQ(Caption(), "Plinth  ... Moving");
  EXPECT_TRUE(form().Flags.Moving);
  Click(1);
  EXPECT_EQ(Caption(), "Plinth ");
  EXPECT_FALSE(form().Flags.Moving);
  EXPECT_THAT(window.moves(), IsEmpty());
}

TEST_F(ActionsTest, ExtendLayoutIsShownUntilCancelled) {
  Start(ActionButton(1, "DEFAULT", "BEGINEXTEND") +
            "[Button2]\nCaption=m\n[ShiftButton2]\nCaption=M\n",
        ActionButton(1, "DEFAULT", "CANCELEXTEND") +
            "[Button2]\nCaption=e\n[ShiftButton2]\nCaption=E\n");
  ArmPanel(PanelId::Shift);
  EXPECT_EQ(Label(2), "M");
  Click(1);
  EXPECT_EQ(form().CurrentTable, &form().ExtendTable);
  EXPECT_EQ(Label(2), "E") << "the same layer of the other layout";
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke('E'));
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke('E')) << "still the extend layout";
  Click(1);
  EXPECT_EQ(form().CurrentTable, &form().MainTable);
  EXPECT_EQ(Label(2), "m");
}

TEST_F(ActionsTest, BeginExtendTwiceStaysOnTheExtendLayout) {
  Start(ActionButton(1, "DEFAULT", "BEGINEXTEND"), ActionButton(1, "DEFAULT", "BEGINEXTEND"));
  Click(1);
  Click(1);
  EXPECT_EQ(form().CurrentTable, &form().ExtendTable);
  EXPECT_THAT(Warnings(), IsEmpty());
}

TEST_F(ActionsTest, CapsLockChangesLabelsOnly) {
  Start(ActionButton(1, "DEFAULT", "CAPSLOCK") + "[Button2]\nCaption=q\n");
  Click(1);
  EXPECT_EQ(Label(2), "Q");
  EXPECT_THAT(TakeKeys(), IsEmpty());
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke('Q')) << "no Shift: the lock only shows";
  Click(1);
  EXPECT_EQ(Label(2), "q");
}

TEST_F(ActionsTest, Shift1LockShowsTheShiftLayerAcrossKeys) {
  Start(ActionButton(1, "DEFAULT", "SHIFT1LOCK") + "[Button2]\nCaption=q\n");
  Click(1);
  EXPECT_EQ(form().CurrentLayer, 1);
  EXPECT_EQ(Label(2), "Q");
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke('Q')) << "the lock adds no modifier";
  EXPECT_EQ(form().CurrentLayer, 1);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
  Click(1);
  EXPECT_EQ(form().CurrentLayer, 0);
}

TEST_F(ActionsTest, Shift2LockShowsTheExtLayersLikeShift1LockTheShiftLayers) {
  Start(ActionButton(1, "DEFAULT", "SHIFT2LOCK") + ActionButton(2, "DEFAULT", "SHIFT1LOCK") +
        "[Button3]\nCaption=b\n[ExtButton3]\nCaption=e\n[ExtShiftButton3]\nCaption=x\n");
  Click(1);
  EXPECT_EQ(form().CurrentLayer, 2);
  EXPECT_EQ(Label(3), "e");
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Idle);
  Click(3);
  EXPECT_EQ(TakeKeys(), Stroke('E'));
  EXPECT_EQ(form().CurrentLayer, 2) << "a key does not undo the lock";
  Click(2);
  EXPECT_EQ(form().CurrentLayer, 3);
  EXPECT_EQ(Label(3), "x");
  Click(1);
  Click(2);
  EXPECT_EQ(form().CurrentLayer, 0);
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(Caption(), "E - 69");
}

TEST_F(ActionsTest, TerminateEndsTheProgramOnlyUnderTheExtendHandler) {
  Start(ActionButton(1, "DEFAULT", "TERMINATE") + ActionButton(2, "EXTEND", "TERMINATE"));
  Click(1);
  EXPECT_THAT(Warnings(), ElementsAre("Error - n/a default action: TERMINATE"));
  EXPECT_EQ(app.terminate_requests(), 0);
  Click(2);
  EXPECT_EQ(app.terminate_requests(), 1);
  EXPECT_EQ(Warnings().size(), 1u);
}

TEST_F(ActionsTest, UnknownWordsAreReportedUpperCased) {
  Start(ActionButton(1, "DEFAULT", "foo") + ActionButton(2, "DEFAULT", "") +
        ActionButton(3, "EXTEND", "move") + ActionButton(4, "EXTEND", "") +
        ActionButton(5, "DEFAULT", "loadini", "Other"));
  for (int cell = 1; cell <= 5; ++cell) Click(cell);
  EXPECT_THAT(Warnings(),
              ElementsAre("Error - n/a default action: FOO",
                          "Error - n/a default action: ", "Error - n/a extend action: MOVE",
                          "Error - n/a extend action: ", "Error - n/a default action: LOADINI"));
  EXPECT_EQ(pointer.moves().size(), 5u);
}

TEST_F(ActionsTest, LoadIniLoadsTheNamedLayoutIntoTheMainTableAndShowsIt) {
  Start(ActionButton(1, "DEFAULT", "BEGINEXTEND") +
            "[Configuration]\nShiftOperation=LATCH\n[Button2]\nCaption=m\n",
        ActionButton(1, "EXTEND", "LOADINI", "NumPad") + "[Button2]\nCaption=e\n");
  PutLayout("NumPad", "[Button2]\nCaption=7\n");
  PutLayout("numpad", "[Button2]\nCaption=wrong case\n");
  Click(1);
  Click(1);
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(form().CurrentTable, &form().MainTable);
  EXPECT_EQ(Label(2), "7");
  EXPECT_EQ(form().MainTable.at(0, 2).Caption, "7");
  EXPECT_EQ(form().ExtendTable.at(0, 2).Caption, "e");
  EXPECT_FALSE(form().ShiftLatch) << "the new file has no [Configuration]";
}

TEST_F(ActionsTest, LoadIniOfAMissingFileOnlyReportsIt) {
  Start(ActionButton(1, "DEFAULT", "BEGINEXTEND") +
            "[Configuration]\nShiftOperation=LATCH\n[Button2]\nCaption=m\n",
        ActionButton(1, "EXTEND", "LOADINI", "Nowhere") + ActionButton(3, "EXTEND", "LOADINI") +
            "[Button2]\nCaption=e\n");
  Click(1);
  const TButtonArray main = form().MainTable;
  // Set without a relabel: a relabel would show the extend cell 2 as "E".
  form().Flags.CapsLock = true;
  Click(1);
  EXPECT_THAT(Warnings(), ElementsAre("Error - Inifile not found -Nowhere"));
  Click(3);  // LOADINI without a name: nothing at all
  EXPECT_EQ(Warnings().size(), 1u);
  EXPECT_EQ(form().CurrentTable, &form().ExtendTable);
  EXPECT_EQ(form().MainTable, main);
  EXPECT_TRUE(form().ShiftLatch);
  EXPECT_EQ(Label(2), "e");
}

TEST_F(ActionsTest, LoadIniNameMayHoldAPath) {
  Start(ActionButton(1, "EXTEND", "LOADINI", "sub/Pad"));
  files.WriteFile("/opt/plinth/sub/Pad.ini", "[Button2]\nCaption=p\n");
  Click(1);
  EXPECT_EQ(Label(2), "p");
}

TEST_F(ActionsTest, ActionsLeaveTogglesAndPanelsAlone) {
  Start(ActionButton(1, "DEFAULT", "CAPSLOCK") + ActionButton(2, "DEFAULT", "SHIFT2LOCK") +
        ActionButton(3, "DEFAULT", "MOVE", "TOP", "LEFT") + "[Button4]\nType=ALTTOGGLE\n");
  Click(4);
  ArmPanel(PanelId::Shift);
  for (int cell = 1; cell <= 3; ++cell) Click(cell);
  EXPECT_TRUE(form().Flags.AltToggle);
  EXPECT_EQ(FontColourOf(4), FontColour::Purple);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_THAT(TakeKeys(), IsEmpty());
}

}  // namespace
}  // namespace plinth

namespace plinth {
namespace {

class LockDisplayTest : public KeyboardTest {};

TEST_F(LockDisplayTest, LockButtonsShowWhetherTheirLockIsOn) {
  for (const char* lock : {"CAPSLOCK", "SHIFT1LOCK", "SHIFT2LOCK"}) {
    SCOPED_TRACE(lock);
    std::string layout;
    for (const char* layer : {"", "Shift", "Ext", "ExtShift"}) {
      layout += std::string("[") + layer +
                "Button1]\nType=ACTION\nHandler=DEFAULT\nAction=" + lock + "\n";
    }
    Start(layout);
    Click(1);
    EXPECT_EQ(FontColourOf(1), FontColour::Purple);
    Click(1);
    EXPECT_EQ(FontColourOf(1), FontColour::WindowText);
  }
}

}  // namespace
}  // namespace plinth
