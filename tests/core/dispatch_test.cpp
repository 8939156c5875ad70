#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::Point;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr Point kHome{194 + 114, 250 + 132};

class DispatchTest : public KeyboardTest {};

TEST_F(DispatchTest, TheUsersStoryCtrlV) {
  Start("[Button7]\nCaption=v\nAction=ctrl\n");
  Click(7);
  EXPECT_EQ(TakeKeys(), Stroke('V', {kVkControl}));
  EXPECT_EQ(Caption(), "V - 86");
  EXPECT_THAT(pointer.moves(), ElementsAre(kHome));
}

TEST_F(DispatchTest, OneAndTwoDigitButtonNamesGiveTheirCell) {
  Start("[Button3]\nCaption=c\n[Button30]\nCaption=x\n[Button49]\nCaption=z\n");
  window.ClickButtonNamed("SpeedButton3");
  window.ClickButtonNamed("SpeedButton30");
  window.ClickButtonNamed("SpeedButton49");
  std::vector<KeyEvent> expected = Stroke('C');
  for (std::uint16_t key : {std::uint16_t{'X'}, std::uint16_t{'Z'}}) {
    const auto stroke = Stroke(key);
    expected.insert(expected.end(), stroke.begin(), stroke.end());
  }
  EXPECT_EQ(TakeKeys(), expected);
}

TEST(CellFromButtonName, ReadsAtMostTwoDigitsAfterTheName) {
  EXPECT_EQ(CellFromButtonName("SpeedButton1"), 1);
  EXPECT_EQ(CellFromButtonName("SpeedButton9"), 9);
  EXPECT_EQ(CellFromButtonName("SpeedButton10"), 10);
  EXPECT_EQ(CellFromButtonName("SpeedButton49"), 49);
  EXPECT_EQ(CellFromButtonName("SpeedButton"), 0);
  EXPECT_EQ(CellFromButtonName("pnlShift"), 0);
  EXPECT_EQ(CellFromButtonName("SpeedButtonX"), 0);
}

TEST_F(DispatchTest, TypeIsMatchedAsAWholeAfterAsciiUpperCasing) {
  Start(R"(
[Button1]
Type=key
Caption=a
[Button2]
Type="KEY "
Caption=b
[Button3]
Type=Default
[Button4]
Type=
Caption=d
[Button5]
Type=keys
Caption=e
[Button6]
Type=VirtualKey
KeyString=tab
)");
  for (int cell = 1; cell <= 6; ++cell) Click(cell);
  std::vector<KeyEvent> expected = Stroke('A');
  const auto tab = Stroke(0x09);
  expected.insert(expected.end(), tab.begin(), tab.end());
  EXPECT_EQ(TakeKeys(), expected);
  EXPECT_THAT(Warnings(), IsEmpty());
  EXPECT_EQ(pointer.moves().size(), 6u) << "the pointer returns after every click";
}

TEST_F(DispatchTest, PointerReturnsUnlessHomeButtonIsMinusOne) {
  Start(R"(
[Button1]
Caption=a
HomeButton=-1
[Button2]
Caption=b
HomeButton=1
[Button3]
Caption=c
HomeButton=-2
[Button4]
Caption=d
)");
  for (int cell = 1; cell <= 4; ++cell) Click(cell);
  EXPECT_THAT(pointer.moves(), ElementsAre(kHome, kHome, kHome));
}

TEST_F(DispatchTest, ADoubleClickIsTwoClicks) {
  Start("[Button1]\nCaption=a\nHomeButton=-1\n");
  Click(1);
  Click(1);
  EXPECT_EQ(TakeKeys().size(), 4u);
  EXPECT_THAT(pointer.moves(), IsEmpty());
}

TEST_F(DispatchTest, ActionHandlerIsMatchedAfterUpperCasing) {
  Start(R"(
[Button1]
Type=action
Handler=default
Action=capslock
[Button2]
Type=ACTION
Action=CAPSLOCK
[Button3]
Type=ACTION
Handler=OTHER
Action=CAPSLOCK
[Button4]
Type=Action
Handler=Extend
Action=Terminate
)");
  Click(1);
  EXPECT_TRUE(form().Flags.CapsLock);
  Click(2);
  Click(3);
  EXPECT_TRUE(form().Flags.CapsLock) << "no handler, or an unknown one: nothing";
  EXPECT_THAT(Warnings(), IsEmpty());
  Click(4);
  EXPECT_EQ(app.terminate_requests(), 1);
  EXPECT_EQ(pointer.moves().size(), 4u) << "the pointer returns after TERMINATE too";
}

TEST_F(DispatchTest, TheTableKeepsTheLetterCaseItWasLoadedWith) {
  Start("[Button1]\nType=action\nHandler=default\nAction=capslock\n");
  Click(1);
  const TButtonRec& rec = form().MainTable.at(0, 1);
  EXPECT_EQ(rec.Type, "action");
  EXPECT_EQ(rec.Handler, "default");
  EXPECT_EQ(rec.Action, "capslock");
}

TEST_F(DispatchTest, PointerReturnUsesTheRecordOfTheClick) {
  Start(R"(
[Button1]
Type=ACTION
Handler=DEFAULT
Action=BEGINEXTEND
[Button2]
Type=ACTION
Handler=DEFAULT
Action=BEGINEXTEND
HomeButton=-1
)",
        R"(
[Button1]
Type=ACTION
Handler=DEFAULT
Action=CANCELEXTEND
HomeButton=-1
[Button2]
Type=ACTION
Handler=DEFAULT
Action=CANCELEXTEND
)");
  Click(1);
  EXPECT_EQ(form().CurrentTable, &form().ExtendTable);
  EXPECT_EQ(pointer.moves().size(), 1u);
  Click(2);  // CANCELEXTEND, returns
  EXPECT_EQ(pointer.moves().size(), 2u);
  Click(2);  // BEGINEXTEND with HomeButton -1
  EXPECT_EQ(pointer.moves().size(), 2u);
}

TEST_F(DispatchTest, PointerGoesToTheHomePointOfTheDockedWindow) {
  Start("[Button1]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=top\nParam2=left\n");
  Click(1);
  EXPECT_THAT(pointer.moves(), ElementsAre(Point{114, 132}));
}

TEST_F(DispatchTest, PointerFollowsAFrameThatChangedAfterStart) {
  window.set_frame_offset({0, 0});  // no window manager yet
  Start("[Button1]\nCaption=a\n");
  window.set_frame_offset({4, 30});  // one has framed the window since
  Click(1);
  EXPECT_THAT(pointer.moves(), ElementsAre(Point{194 + 112 + 4, 250 + 112 + 30}));
}

TEST_F(DispatchTest, ARefusedPointerMoveIsReportedAndTheKeyboardGoesOn) {
  Start("[Button1]\nCaption=a\n");
  pointer.FailWith({5, "Access is denied."});
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('A'));
  EXPECT_THAT(window.application_errors(),
              ElementsAre("System Error.  Code: 5.\r\nAccess is denied."));
  EXPECT_THAT(Warnings(), IsEmpty());
  Click(1);
  EXPECT_EQ(TakeKeys(), Stroke('A'));
  EXPECT_EQ(window.application_errors().size(), 2u);
}

TEST_F(DispatchTest, ARefusalWithoutACodeSaysAnOsCallFailed) {
  Start("[Button1]\nCaption=a\n");
  pointer.FailWith({0, ""});
  Click(1);
  ASSERT_EQ(window.application_errors().size(), 1u);
  EXPECT_THAT(window.application_errors()[0],
              ::testing::HasSubstr("A call to an OS function failed"));
}

}  // namespace
}  // namespace plinth
