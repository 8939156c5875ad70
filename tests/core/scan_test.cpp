// Switch scanning on the keyboard: its settings, what is lit in the layer
// on show, and what a choice does, on the test platform's window and clock.
// The scanner's own rules are told in tests/scan.

#include <chrono>

#include "src/keyboard/click_kind.h"
#include "src/layout/scan_setting.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::PointerTarget;
using platform::ScanHighlight;
using scan::ScanMode;
using std::chrono::milliseconds;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::uint16_t kF11 = 0x7A;
constexpr std::uint16_t kF12 = 0x7B;

// Row 1: h, then cells that do nothing (no text, an unknown handler).
// Row 2: SCAN, a key name that does not exist, Caps Lock. Row 3: none in
// use. Row 4: x, the panels, y. Shift layer: row 1 holds H only.
constexpr const char* kLayout = R"(
[Button1]
Caption=h
[ShiftButton1]
Caption=H
[Button3]
Type=ACTION
Handler=NOSUCH
[Button8]
Type=ACTION
Handler=Default
Action=Scan
[Button9]
Type=VIRTUALKEY
KeyString=NOSUCHKEY
[Button10]
Type=ACTION
Handler=DEFAULT
Action=CAPSLOCK
[Button22]
Caption=x
[Button28]
Caption=y
)";

ScanHighlight Row(int row) { return {.kind = ScanHighlight::Kind::Row, .row = row, .stop = {}}; }
ScanHighlight Stop(int row, PointerTarget stop) {
  return {.kind = ScanHighlight::Kind::OneStop, .row = row, .stop = stop};
}

class ScanTest : public KeyboardTest {
 protected:
  void StartScanning(const std::string& settings) {
    Start("[Configuration]\n" + settings + "\n" + kLayout);
  }
  // Taps 150 ms apart, beyond bounce.
  void Step(int times = 1) {
    for (int i = 0; i < times; ++i) {
      Wait(milliseconds{140});
      TapSwitch(kF11);
    }
  }
  void Choose() {
    Wait(milliseconds{140});
    TapSwitch(kF12);
  }
};

TEST(ScanSettingTest, EachBadValueHasOneMessageAndAFallback) {
  struct Case {
    ScanSettingTexts texts;
    ScanMode mode;
    int step_ms;
    int cycles;
    std::uint16_t switch_key;
    std::uint16_t step_key;
    std::vector<std::string> problems;
  };
  const std::vector<Case> cases{
      {{}, ScanMode::Off, 1000, 3, kF12, kF11, {}},
      {{"step", "400", "5", "enter", "tab"}, ScanMode::Step, 400, 5, 0x0D, 0x09, {}},
      {{"Auto", "", "", "", ""}, ScanMode::Auto, 1000, 3, kF12, kF11, {}},
      {{"OFF", "", "", "", ""}, ScanMode::Off, 1000, 3, kF12, kF11, {}},
      {{"SOMETIMES", "fast", "0", "NOSUCHKEY", "F12"},
       ScanMode::Off,
       1000,
       1,
       kF12,
       kF11,
       {"Scan SOMETIMES is none of AUTO, STEP, OFF; scanning is off",
        "ScanTime fast is no number; 1000 ms is used", "ScanCycles 0 is outside 1..1000; 1 is used",
        "SwitchKey NOSUCHKEY is no key name; F12 is used",
        "StepKey F12 is the SwitchKey too; F11 is used"}},
      {{"AUTO", "99999999999", "2147483647", "F11", ""},
       ScanMode::Auto,
       1000,
       1000,
       kF11,
       kF12,
       {"ScanTime 99999999999 is no number; 1000 ms is used",
        "ScanCycles 2147483647 is outside 1..1000; 1000 is used",
        "StepKey F11 is the SwitchKey too; F12 is used"}},
      {{"AUTO", "50", "", "", ""},
       ScanMode::Auto,
       200,
       3,
       kF12,
       kF11,
       {"ScanTime 50 is outside 200..10000 ms; 200 ms is used"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.texts.mode + " " + c.texts.step_time + " " + c.texts.cycles);
    const ScanSetting setting = ParseScanSetting(c.texts);
    EXPECT_EQ(setting.mode, c.mode);
    EXPECT_EQ(setting.step_time, milliseconds{c.step_ms});
    EXPECT_EQ(setting.cycles, c.cycles);
    EXPECT_EQ(setting.switch_key, c.switch_key);
    EXPECT_EQ(setting.step_key, c.step_key);
    EXPECT_EQ(setting.problems, c.problems);
  }
}

TEST(ClickKindTest, AButtonDoesSomethingWhenDoclickTakesABranchThatActs) {
  const auto rec = [](std::string type, std::string caption, std::string handler = "") {
    TButtonRec r;
    r.Type = std::move(type);
    r.Caption = std::move(caption);
    r.Handler = std::move(handler);
    return r;
  };
  EXPECT_TRUE(ClickDoesSomething(rec("key", "a")));
  EXPECT_FALSE(ClickDoesSomething(rec("KEY", "")));
  EXPECT_TRUE(ClickDoesSomething(rec("VirtualKey", "")));
  EXPECT_TRUE(ClickDoesSomething(rec("ACTION", "", "extend")));
  EXPECT_FALSE(ClickDoesSomething(rec("ACTION", "Go", "NOSUCH")));
  EXPECT_TRUE(ClickDoesSomething(rec("ALTTOGGLE", "")));
  EXPECT_FALSE(ClickDoesSomething(rec("PICTURE", "a")));
}

TEST_F(ScanTest, BadSettingsAreEachReportedAndTheKeyboardGoesOn) {
  StartScanning("Scan=STEP\nScanTime=fast\nSwitchKey=NOSUCHKEY");
  EXPECT_THAT(Warnings(), ElementsAre("Error - ScanTime fast is no number; 1000 ms is used",
                                      "Error - SwitchKey NOSUCHKEY is no key name; F12 is used"));
  EXPECT_TRUE(form().scan().running());
  EXPECT_THAT(window.grabbed_switch_keys(), ElementsAre(kF12, kF11));
}

TEST_F(ScanTest, OffByDefaultWithNoKeyTaken) {
  StartScanning("");
  EXPECT_FALSE(form().scan().running());
  EXPECT_THAT(window.grabbed_switch_keys(), IsEmpty());
  EXPECT_EQ(Lit(), ScanHighlight{});
}

TEST_F(ScanTest, StepTypesAKeyAndMovesNoPointer) {
  StartScanning("Scan=STEP");
  EXPECT_EQ(Lit(), Row(1));
  Choose();
  EXPECT_EQ(Lit(), Stop(1, PointerTarget::Button(1)));
  Choose();
  EXPECT_EQ(TakeKeys(), Stroke('H'));
  EXPECT_EQ(Caption(), "H - 72");
  EXPECT_EQ(Lit(), Row(1)) << "after a choice the first row is lit";
  EXPECT_THAT(pointer.moves(), IsEmpty());
}

TEST_F(ScanTest, RowsAndCellsThatDoNothingAreSkipped) {
  StartScanning("Scan=STEP");
  Step();
  EXPECT_EQ(Lit(), Row(2));
  Step();
  EXPECT_EQ(Lit(), Row(4)) << "row 3 has nothing in use";
  Step();
  EXPECT_EQ(Lit(), Row(1));
  Choose();
  Step();
  EXPECT_EQ(Lit(), Row(1)) << "a pass along the row goes back to it; cell 3 does nothing";
}

TEST_F(ScanTest, TheCentreRowStopsAtShiftThenExtAndAPanelArmsAtOnce) {
  StartScanning("Scan=STEP");
  Step(2);
  Choose();
  EXPECT_EQ(Lit(), Stop(4, PointerTarget::Button(22)));
  Step();
  EXPECT_EQ(Lit(), Stop(4, PointerTarget::Panel(PanelId::Shift)));
  Choose();
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Armed);
  EXPECT_EQ(Label(1), "H");
  Step(2);
  Choose();
  Step(2);
  EXPECT_EQ(Lit(), Stop(4, PointerTarget::Panel(PanelId::Extend)));
  Choose();
  EXPECT_EQ(Panel(PanelId::Extend), PanelState::Armed);
  EXPECT_EQ(Lit(), Row(1));
  Step(2);
  Choose();
  Step();
  Choose();
  EXPECT_EQ(Panel(PanelId::Shift), PanelState::Idle) << "an armed panel chosen is released";
}

TEST_F(ScanTest, AutoMovesOnEachStepTimeAndRestsAfterItsCycles) {
  StartScanning("Scan=AUTO\nScanTime=500\nScanCycles=2");
  EXPECT_THAT(window.grabbed_switch_keys(), ElementsAre(kF12));
  Wait(milliseconds{499});
  EXPECT_EQ(Lit(), Row(1));
  Wait(milliseconds{1});
  EXPECT_EQ(Lit(), Row(2));
  Wait(milliseconds{2500});  // rows 4, 1, 2, 4, then the second pass ends
  EXPECT_EQ(Lit(), ScanHighlight{});
  EXPECT_FALSE(scan_timer.running()) << "no ticks while resting";
  TapSwitch(kF12);
  EXPECT_EQ(Lit(), Row(1)) << "the press only wakes it";
  EXPECT_THAT(TakeKeys(), IsEmpty());
  Wait(milliseconds{1000});
  EXPECT_EQ(Lit(), Row(4));
  TapSwitch(kF12);
  Wait(milliseconds{1500});
  TapSwitch(kF12);
  EXPECT_EQ(TakeKeys(), Stroke('Y')) << "the fourth stop of row 4 after three steps";
}

TEST_F(ScanTest, APressWithinBounceOfTheLastIsIgnored) {
  StartScanning("Scan=STEP");
  Step();
  Wait(milliseconds{50});
  TapSwitch(kF11);
  EXPECT_EQ(Lit(), Row(2));
}

TEST_F(ScanTest, ChosenActionsActAndTheScanButtonStopsScanning) {
  StartScanning("Scan=STEP");
  Step();
  Choose();
  Step(2);
  Choose();
  EXPECT_TRUE(form().Flags.CapsLock);
  Step();
  Choose();
  Choose();
  EXPECT_FALSE(form().scan().running());
  EXPECT_THAT(window.grabbed_switch_keys(), IsEmpty());
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::Scanning));
  EXPECT_EQ(Lit(), ScanHighlight{});
  EXPECT_FALSE(scan_timer.running());
  Click(8);
  EXPECT_TRUE(form().scan().running()) << "a click on SCAN turns it on again";
}

TEST_F(ScanTest, TheMenuItemTurnsScanningOnInAutoAndOff) {
  StartScanning("ScanTime=300");
  ChooseMenuItem(MenuItemId::Scanning);
  EXPECT_TRUE(window.menu_item_checked(MenuItemId::Scanning));
  EXPECT_EQ(form().scan().scanner().mode(), ScanMode::Auto);
  EXPECT_THAT(window.grabbed_switch_keys(), ElementsAre(kF12));
  Wait(milliseconds{300});
  EXPECT_EQ(Lit(), Row(2));
  ChooseMenuItem(MenuItemId::Scanning);
  EXPECT_FALSE(window.menu_item_checked(MenuItemId::Scanning));
  EXPECT_THAT(window.grabbed_switch_keys(), IsEmpty());
}

TEST_F(ScanTest, TheOkOfADialogIsTheOnlyStopWhileItIsOpen) {
  StartScanning("Scan=STEP");
  std::vector<ScanHighlight> lit_in_dialog;
  window.OnDialog([&](const test_platform::Dialog&) {
    lit_in_dialog.push_back(Lit());
    Step();
    lit_in_dialog.push_back(Lit());
    Choose();
  });
  Step();
  Choose();
  Step();
  Choose();
  EXPECT_THAT(Warnings(), ElementsAre("Error - Invalid Vkey NOSUCHKEY"));
  const ScanHighlight ok = Stop(0, PointerTarget::DialogOk());
  EXPECT_THAT(lit_in_dialog, ElementsAre(ok, ok));
  EXPECT_EQ(window.dialog_ok_presses(), 1);
  EXPECT_EQ(Lit(), Row(1));
}

TEST_F(ScanTest, RealClicksReturnNoPointerWhileScanning) {
  StartScanning("Scan=STEP");
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('H'));
  EXPECT_THAT(pointer.moves(), IsEmpty());
}

}  // namespace
}  // namespace plinth
