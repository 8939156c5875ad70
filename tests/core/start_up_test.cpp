#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartUpTest : public KeyboardTest {};

TEST_F(StartUpTest, WithoutLayoutFilesThreeDialogsAndNumberedButtons) {
  Create();
  EXPECT_THAT(Warnings(),
              ElementsAre("Error - Inifile not found -Default", "Error - Inifile not found -Extend",
                          "Error - Inifile not found -Default"));
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == 25) continue;
    EXPECT_EQ(Label(cell), std::to_string(cell));
  }
  EXPECT_EQ(Caption(), "Plinth");

  // The first relabel shows the empty main layout.
  form().RefreshKeyboard(false);
  EXPECT_EQ(Label(1), "");
  EXPECT_EQ(Label(49), "");
}

TEST_F(StartUpTest, ShowsTheBaseLayerOfTheMainLayout) {
  Start("[Button1]\nCaption=a\n[ShiftButton1]\nCaption=S\n[Button49]\nCaption=Last\n",
        "[Button1]\nCaption=ext\n");
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_TRUE(window.non_activating());
  EXPECT_EQ(form().CurrentTable, &form().MainTable);
  EXPECT_EQ(form().CurrentLayer, 0);
  EXPECT_EQ(Label(1), "a");
  EXPECT_EQ(Label(2), "");
  EXPECT_EQ(Label(49), "Last");
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle);
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Idle);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::Available));
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::ShowAll));
  EXPECT_EQ(Caption(), "Plinth");
  EXPECT_EQ(window.misaddressed_calls(), 0);
}

TEST_F(StartUpTest, LoadsDefaultThenExtendThenDefaultAgain) {
  Start("", "");
  EXPECT_THAT(files.opened(), ElementsAre("/opt/plinth/Default.ini", "/opt/plinth/Extend.ini",
                                          "/opt/plinth/Default.ini"));
  EXPECT_EQ(form().LayerSuffix, (TLayerSuffix{"", "Shift", "Ext", "ExtShift"}));
  EXPECT_EQ(form().TemplateRec, MakeTemplateRec());
}

TEST_F(StartUpTest, WithoutTheDefaultFileEveryButtonIsBlank) {
  PutLayout("Extend", "[Button1]\nCaption=ext\n");
  Create();
  EXPECT_THAT(Warnings(), ElementsAre("Error - Inifile not found -Default",
                                      "Error - Inifile not found -Default"));
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == 25) continue;
    EXPECT_EQ(Label(cell), "") << cell;
  }
}

TEST_F(StartUpTest, HomePointIsTheCentreOfTheCentreCell) {
  Start("");
  EXPECT_EQ(form().HomeX, 114);
  EXPECT_EQ(form().HomeY, 132);
  EXPECT_EQ(PanelAt({194 + 114, 250 + 132}), PanelId::Shift);
}

TEST_F(StartUpTest, FlagsStartClear) {
  Start("");
  const KeyboardFlags& flags = form().Flags;
  EXPECT_FALSE(flags.CtrlToggle || flags.AltToggle || flags.Selecting || flags.Moving ||
               flags.CapsLock || flags.Shift1Lock || flags.Shift2Lock);
}

TEST_F(StartUpTest, ShowStatusWithAndWithoutThePrefix) {
  Start("");
  form().ShowStatus("A - 65", false);
  EXPECT_EQ(Caption(), "A - 65");
  form().ShowStatus("Selecting", true);
  EXPECT_EQ(Caption(), "Plinth Selecting");
  form().ShowStatus("", true);
  EXPECT_EQ(Caption(), "Plinth ");
  form().ShowError("boom");
  EXPECT_THAT(Warnings(), ElementsAre("Error - boom"));
}

}  // namespace
}  // namespace plinth
