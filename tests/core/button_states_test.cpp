#include "src/keyboard/button_states.h"

#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::ButtonState;

struct StateCase {
  const char* type;
  const char* handler;
  const char* action;
  const char* param1;
  KeyboardFlags flags;
  ButtonState expected;
};

KeyboardFlags AllOn() { return {true, true, true, true, true, true, true}; }

TEST(StateOfButtonTest, FollowsTheStateTheButtonSwitches) {
  const KeyboardFlags none;
  const StateCase cases[] = {
      {"CTRLTOGGLE", "", "", "", {.CtrlToggle = true}, ButtonState::On},
      {"ctrltoggle", "", "", "", {.CtrlToggle = true}, ButtonState::On},
      {"CTRLTOGGLE", "", "", "", {.AltToggle = true}, ButtonState::Off},
      {"ALTTOGGLE", "", "", "", {.AltToggle = true}, ButtonState::On},
      {"ACTION", "DEFAULT", "CAPSLOCK", "", {.CapsLock = true}, ButtonState::On},
      {"Action", "default", "shift1lock", "", {.Shift1Lock = true}, ButtonState::On},
      {"ACTION", "DEFAULT", "SHIFT2LOCK", "", {.Shift2Lock = true}, ButtonState::On},
      {"ACTION", "DEFAULT", "SHIFT2LOCK", "", {.Shift1Lock = true}, ButtonState::Off},
      {"ACTION", "DEFAULT", "TOGGLESELECTING", "", {.Selecting = true}, ButtonState::Mode},
      {"ACTION", "DEFAULT", "MOVE", "pointer", {.Moving = true}, ButtonState::Mode},
      {"ACTION", "DEFAULT", "MOVE", "TOP", AllOn(), ButtonState::Off},
      {"ACTION", "EXTEND", "CAPSLOCK", "", AllOn(), ButtonState::Off},
      {"KEY", "DEFAULT", "CAPSLOCK", "", AllOn(), ButtonState::Off},
      {"ACTION", "DEFAULT", "TOGGLESELECTING", "", none, ButtonState::Off},
      {"CTRLTOGGLE", "", "", "", none, ButtonState::Off},
  };
  for (const StateCase& c : cases) {
    TButtonRec rec;
    rec.Type = c.type;
    rec.Handler = c.handler;
    rec.Action = c.action;
    rec.Param[0] = c.param1;
    EXPECT_EQ(StateOfButton(rec, c.flags), c.expected) << c.type << " " << c.action;
  }
}

class ButtonStatesTest : public KeyboardTest {};

// Ctrl in cell 1 of every layer but ExtShift; Sel, Move, Caps and a key.
const char* const kLayout =
    "[Button1]\nType=CTRLTOGGLE\n[ShiftButton1]\nType=CTRLTOGGLE\n[ExtButton1]\n"
    "Type=CTRLTOGGLE\n[ExtShiftButton1]\nType=KEY\nCaption=k\n"
    "[Button2]\nType=ACTION\nHandler=DEFAULT\nAction=TOGGLESELECTING\n"
    "[Button3]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=POINTER\n"
    "[Button4]\nType=ACTION\nHandler=DEFAULT\nAction=CAPSLOCK\n"
    "[Button5]\nType=KEY\nCaption=a\n";

TEST_F(ButtonStatesTest, AnArmedToggleShowsOnUntilAKeyIsSent) {
  Start(kLayout);
  Click(1);
  EXPECT_EQ(StateOf(1), ButtonState::On);
  ArmPanel(PanelId::Shift);
  EXPECT_EQ(StateOf(1), ButtonState::On) << "still armed in the Shift layer";
  ArmPanel(PanelId::Extend);
  EXPECT_EQ(StateOf(1), ButtonState::Off) << "a key button in ExtShift";
  EXPECT_EQ(FontColourOf(1), FontColour::Purple) << "the font keeps its colour";
  Click(5);
  EXPECT_EQ(StateOf(1), ButtonState::Off);
}

TEST_F(ButtonStatesTest, ModesStayMarkedAfterAKeyReplacesTheCaption) {
  Start(kLayout);
  Click(2);
  Click(3);
  Click(4);
  Click(5);
  EXPECT_EQ(Caption(), "A - 65");
  EXPECT_EQ(StateOf(2), ButtonState::Mode);
  EXPECT_EQ(StateOf(3), ButtonState::Mode);
  EXPECT_EQ(StateOf(4), ButtonState::On);
  EXPECT_EQ(StateOf(5), ButtonState::Off);
  Click(2);
  Click(3);
  Click(4);
  for (int cell : {2, 3, 4}) EXPECT_EQ(StateOf(cell), ButtonState::Off) << cell;
}

}  // namespace
}  // namespace plinth
