#include "src/keyboard/dialog_text.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class KeySendingTest : public KeyboardTest {
 protected:
  // One key button in cell 1 with the given keys, and helpers around it.
  void StartWithKey(const std::string& button) { Start("[Button1]\n" + button + "\n" + kToggles); }

  static constexpr const char* kToggles = R"(
[Button10]
Type=CTRLTOGGLE
Caption=Ctrl
[Button11]
Type=ctrltoggle
[Button12]
Type=ALTTOGGLE
Caption=Alt
[ShiftButton10]
Type=KEY
Caption=z
[ExtButton10]
Type=KEY
Caption=x
[Button20]
Type=ACTION
Handler=DEFAULT
Action=TOGGLESELECTING
[Button21]
Type=ACTION
Handler=DEFAULT
Action=TOGGLESELECTING
)";
};

struct CharacterCase {
  std::string keys;
  std::vector<KeyEvent> events;
  std::string caption;
};

TEST_F(KeySendingTest, CharacterKeysSendTheirFirstCharacter) {
  const CharacterCase cases[] = {
      {"Caption=a", Stroke('A'), "A - 65"},
      {"Caption=Hello\nKeyString=x", Stroke('X'), "X - 88"},
      {"Caption=QW", Stroke('Q'), "QW - 81"},
      {"Caption=7", Stroke('7'), "7 - 55"},
      {"Caption=\" \"", Stroke(' '), "  - 32"},
      // Other characters go through the keyboard layout, with its Shift.
      {"Caption=,", Stroke(0xBC), ", - 188"},
      {"Caption=.", Stroke(0xBE), ". - 190"},
      {"Caption=?", Stroke(0xBF, {kVkShift}), "? - 191"},
      {"Caption=!", Stroke('1', {kVkShift}), "! - 49"},
      {"KeyString=;x", Stroke(0xBA), ";X - 186"},
  };
  for (const CharacterCase& c : cases) {
    TestKeyboard kb;
    kb.PutLayout("Default", "[Button1]\n" + c.keys + "\n");
    kb.PutLayout("Extend", "");
    kb.Create();
    kb.Click(1);
    EXPECT_EQ(kb.TakeKeys(), c.events) << c.keys;
    EXPECT_EQ(kb.Caption(), c.caption) << c.keys;
    EXPECT_THAT(kb.Warnings(), IsEmpty()) << c.keys;
  }
}

TEST_F(KeySendingTest, LayoutModifiersJoinTheButtonsOwn) {
  StartWithKey("Caption=#\nAction=ctrl");
  keys.SetCharacterKey('#', platform::CharacterKey{.code = 0xDE, .shift = true, .alt = true});
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke(0xDE, {kVkShift, kVkControl, kVkMenu}));
  EXPECT_EQ(Caption(), "# - 222");
}

TEST_F(KeySendingTest, AnUntypeableCharacterIsReportedLikeAnUnknownName) {
  StartWithKey("Caption=\x80");
  window.ClickButton(10);  // arm Ctrl
  Click(1);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  ASSERT_EQ(window.dialogs().size(), 1u);
  EXPECT_EQ(window.dialogs()[0].text, "Error - Invalid Vkey \x80");
  EXPECT_EQ(window.dialogs()[0].caption_when_shown, "\x80 - 65535");
  EXPECT_FALSE(form().Flags.CtrlToggle);
}

// No keycode left for the character, or Ctrl gone from the keymap: the
// key is reported and nothing, not even a modifier, is sent.
TEST_F(KeySendingTest, AKeyThePlatformCannotSendIsReportedAndSendsNothing) {
  StartWithKey("Caption=c");
  keys.RefuseToPrepare('C');
  window.ClickButton(10);  // arm Ctrl
  Click(1);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  ASSERT_EQ(window.dialogs().size(), 1u);
  EXPECT_EQ(window.dialogs()[0].text, "Error - Invalid Vkey C");
  EXPECT_EQ(window.dialogs()[0].caption_when_shown, "C - 67");
  EXPECT_FALSE(form().Flags.CtrlToggle);
}

// A button that shows "é" types é, even on a layout (like a French one) that
// has no key for É: the character is looked up as written, and only A-Z are
// sent by their upper-case codes.
TEST_F(KeySendingTest, AnAccentedLetterTypesTheLetterItShows) {
  StartWithKey("Caption=\xE9");
  keys.SetCharacterKey(0xE9, platform::CharacterKey{.code = '2'});  // é on its own key
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('2'));
  EXPECT_THAT(Warnings(), IsEmpty());
}

TEST_F(KeySendingTest, NamedKeysAreLookedUpUpperCased) {
  Start(R"(
[Button1]
Type=VIRTUALKEY
KeyString=enter
[Button2]
Type=virtualkey
Caption=f10
[Button3]
Type=CURSORKEY
KeyString=Home
)");
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke(0x0D));
  EXPECT_EQ(Caption(), "ENTER - 13");
  Click(2);
  EXPECT_EQ(TakeKeys(), Stroke(0x79));
  Click(3);
  EXPECT_EQ(TakeKeys(), Stroke(0x24, {}, kExt));
  EXPECT_EQ(Caption(), "HOME - 36");
}

struct RejectedCase {
  std::string keys;
  std::string caption;
  std::string dialog;
};

TEST_F(KeySendingTest, UnknownNamesAreReportedAndSendNothing) {
  const std::string long_name(300, 'F');
  const RejectedCase cases[] = {
      {"KeyString=foo", "FOO - 65535", "Error - Invalid Vkey FOO"},
      {"KeyString=A", "A - 65535", "Error - Invalid Vkey A"},
      {"KeyString=SPACE", "SPACE - 65535", "Error - Invalid Vkey SPACE"},
      {"Caption=", " - 65535", "Error - Invalid Vkey "},
      // The dialog shows the start of a message this long.
      {"KeyString=" + long_name, long_name + " - 65535",
       ShortenedForDialog("Error - Invalid Vkey " + long_name)},
  };
  for (const RejectedCase& c : cases) {
    TestKeyboard kb;
    kb.PutLayout("Default", "[Button1]\nType=VIRTUALKEY\n" + c.keys + "\n");
    kb.PutLayout("Extend", "");
    kb.Create();
    kb.Click(1);
    EXPECT_THAT(kb.TakeKeys(), IsEmpty()) << c.keys;
    ASSERT_EQ(kb.window.dialogs().size(), 1u) << c.keys;
    EXPECT_EQ(kb.window.dialogs()[0].text, c.dialog);
    EXPECT_EQ(kb.window.dialogs()[0].caption_when_shown, c.caption) << "caption first";
    EXPECT_EQ(kb.pointer.moves().size(), 1u) << "the pointer returns after the dialog";
  }
}

struct ModifierCase {
  const char* what;
  std::string button;  // keys of cell 1, a KEY or CURSORKEY
  bool ctrl_toggle;
  bool alt_toggle;
  bool selecting;
  std::vector<KeyEvent> events;
};

TEST_F(KeySendingTest, ModifierSourcesAreUnited) {
  const ModifierCase cases[] = {
      {"ctrlalt word", "Caption=c\nAction=ctrlalt", false, false, false,
       Stroke('C', {kVkControl, kVkMenu})},
      {"alt word", "Caption=c\nAction=Alt", false, false, false, Stroke('C', {kVkMenu})},
      {"word with extra", "Caption=c\nAction=CTRL+", false, false, false, Stroke('C')},
      {"Ctrl from three sources once", "Caption=c\nAction=CTRL\nControl=1", true, false, false,
       Stroke('C', {kVkControl})},
      {"Shifted", "Caption=c\nShifted=1", false, false, false, Stroke('C', {kVkShift})},
      {"Shifted and selecting", "Caption=c\nShifted=1", false, false, true,
       Stroke('C', {kVkShift})},
      {"all of them", "Caption=c\nShifted=1\nAction=alt", true, true, false,
       Stroke('C', {kVkShift, kVkControl, kVkMenu})},
      {"selecting a KEY", "Caption=a", false, false, true, Stroke('A', {kVkShift})},
      {"selecting a CURSORKEY", "Type=CURSORKEY\nKeyString=RIGHT", false, false, true,
       Stroke(0x27, {kVkShift}, kExt)},
      {"CURSORKEY ignores Shifted", "Type=CURSORKEY\nKeyString=RIGHT\nShifted=1", false, false,
       false, Stroke(0x27, {}, kExt)},
      {"CURSORKEY takes Control", "Type=CURSORKEY\nKeyString=LEFT\nControl=1", false, true, false,
       Stroke(0x25, {kVkControl, kVkMenu}, kExt)},
      {"VIRTUALKEY takes Shifted", "Type=VIRTUALKEY\nKeyString=TAB\nShifted=1", false, false, false,
       Stroke(0x09, {kVkShift})},
  };
  // Each click also as X11 tells it: the release first, then the click.
  for (const bool told_at_release : {false, true}) {
    for (const ModifierCase& c : cases) {
      TestKeyboard kb;
      kb.PutLayout("Default", "[Button1]\n" + c.button + "\n");
      kb.PutLayout("Extend", "");
      kb.Create();
      kb.form().Flags.CtrlToggle = c.ctrl_toggle;
      kb.form().Flags.AltToggle = c.alt_toggle;
      kb.form().Flags.Selecting = c.selecting;
      if (told_at_release) {
        kb.window.ClickButtonToldAtRelease(1);
      } else {
        kb.Click(1);
      }
      EXPECT_EQ(kb.TakeKeys(), c.events) << c.what << told_at_release;
      EXPECT_FALSE(kb.form().Flags.CtrlToggle || kb.form().Flags.AltToggle) << c.what;
      EXPECT_EQ(kb.form().Flags.Selecting, c.selecting) << c.what;
    }
  }
}

// Told of the release, the keyboard sends the key at once; the click that
// follows sends it no more but does the rest, a refused key's report too.
// Buttons that send no key send nothing early.
TEST_F(KeySendingTest, AKeyToldAtReleaseGoesOutFirstAndOnce) {
  StartWithKey("Caption=c");
  window.ClickButton(10);  // arm Ctrl
  form().ClickCompleting(1);
  EXPECT_EQ(TakeKeys(), Stroke('C', {kVkControl}));
  EXPECT_TRUE(form().Flags.CtrlToggle) << "the rest waits for the click";
  Click(1);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_FALSE(form().Flags.CtrlToggle);
  EXPECT_EQ(Caption(), "C - 67");

  form().ClickCompleting(10);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  Click(10);
  EXPECT_TRUE(form().Flags.CtrlToggle);

  // Told while the press is handled: the press does not undo it.
  form().ClickCompleting(1);
  window.PressMouseButton();
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('C', {kVkControl}));

  keys.RefuseToPrepare('C');
  window.ClickButtonToldAtRelease(1);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  ASSERT_EQ(window.dialogs().size(), 1u);
  EXPECT_EQ(window.dialogs()[0].text, "Error - Invalid Vkey C");
}

TEST_F(KeySendingTest, CtrlToggleArmsTheNextKeyOnly) {
  StartWithKey("Caption=v");
  Click(10);
  EXPECT_TRUE(form().Flags.CtrlToggle);
  EXPECT_EQ(FontColourOf(10), FontColour::Purple);
  EXPECT_EQ(FontColourOf(11), FontColour::Purple) << "every CTRLTOGGLE of the layer";
  EXPECT_EQ(FontColourOf(12), FontColour::WindowText);
  EXPECT_THAT(TakeKeys(), IsEmpty());

  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('V', {kVkControl}));
  EXPECT_FALSE(form().Flags.CtrlToggle);
  EXPECT_EQ(FontColourOf(10), FontColour::WindowText);
  EXPECT_EQ(FontColourOf(11), FontColour::WindowText);
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('V'));
}

TEST_F(KeySendingTest, AltToggleClickedTwiceDisarmsAndSendsNothing) {
  StartWithKey("Caption=v");
  Click(12);
  EXPECT_TRUE(form().Flags.AltToggle);
  EXPECT_EQ(FontColourOf(12), FontColour::Purple);
  Click(12);
  EXPECT_FALSE(form().Flags.AltToggle);
  EXPECT_EQ(FontColourOf(12), FontColour::WindowText);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_EQ(Caption(), "Plinth");
}

TEST_F(KeySendingTest, ToggleColoursBelongToTheButtonNotTheLayer) {
  StartWithKey("Caption=v");
  Click(10);
  ArmPanel(PanelId::Shift);  // cell 10 is a KEY in the Shift layer
  EXPECT_EQ(FontColourOf(10), FontColour::Purple);
  EXPECT_EQ(FontColourOf(11), FontColour::Purple);
  EXPECT_TRUE(form().Flags.CtrlToggle) << "toggles are global";

  Click(1);  // disarms; only the toggle buttons of the Shift layer are recoloured
  EXPECT_EQ(TakeKeys(), Stroke('V', {kVkControl}));
  EXPECT_EQ(FontColourOf(10), FontColour::Purple);
  EXPECT_EQ(FontColourOf(11), FontColour::WindowText);
}

TEST_F(KeySendingTest, TogglesInOtherLayersAreNotRecoloured) {
  StartWithKey("Caption=v");
  ArmPanel(PanelId::Extend);  // cell 10 is a KEY in the Ext layer, 11 stays a toggle
  Click(11);
  EXPECT_EQ(FontColourOf(10), FontColour::WindowText);
  EXPECT_EQ(FontColourOf(11), FontColour::Purple);
}

TEST_F(KeySendingTest, SelectingModeAddsShiftUntilSwitchedOff) {
  StartWithKey("Caption=a");
  Click(20);
  EXPECT_EQ(Caption(), "Plinth Selecting");
  EXPECT_EQ(FontColourOf(20), FontColour::Purple);
  EXPECT_EQ(FontColourOf(21), FontColour::WindowText) << "only the clicked button";
  Click(1);
  EXPECT_EQ(Caption(), "A - 65");
  Click(1);
  EXPECT_EQ(TakeKeys().size(), 8u);
  EXPECT_TRUE(form().Flags.Selecting);
  Click(20);
  EXPECT_EQ(Caption(), "Plinth ");
  EXPECT_EQ(FontColourOf(20), FontColour::WindowText);
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('A'));
}

TEST_F(KeySendingTest, AKeyWithoutTextDoesNothingButReturnThePointer) {
  StartWithKey("HomeButton=0");
  Click(10);
  ArmPanel(PanelId::Shift);  // cell 1 is blank in the Shift layer as well
  const std::string caption = Caption();
  pointer.Clear();
  Click(1);
  EXPECT_THAT(TakeKeys(), IsEmpty());
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(Caption(), caption);
  EXPECT_TRUE(form().Flags.CtrlToggle);
  EXPECT_EQ(FontColourOf(10), FontColour::Purple);
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_EQ(pointer.moves().size(), 1u);
}

TEST_F(KeySendingTest, ARefusedKeyLeavesNoModifierHeld) {
  StartWithKey("Caption=c\nAction=ctrlalt");
  keys.RefuseEvent(3);
  Click(1);
  EXPECT_THAT(keys.KeysHeld(), IsEmpty());
  EXPECT_EQ(Caption(), "C - 67");
}

}  // namespace
}  // namespace plinth
