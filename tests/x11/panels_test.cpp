// The centre panels on the real window: hover marks a panel teal, a click
// arms it black; the inner square and the ring are separate targets.

#include <gtest/gtest.h>

#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

constexpr Rgb kTeal{0, 128, 128};
constexpr Rgb kBlack{0, 0, 0};

class PanelsTest : public OnDisplay {
 protected:
  void SetUp() override {
    keyboard_ = std::make_unique<KeyboardProgram>(
        session, LayoutFiles{{"Default", KeyLayout({{1, "a"}})}, {"Extend", ""}});
    ASSERT_TRUE(keyboard_->WaitForWindow());
    // Drawn once both panels show the face colour; the screen behind is
    // black.
    ASSERT_TRUE(WaitUntil([&] { return ShiftColour() == RingColour() && RingColour() != kBlack; }));
    idle_ = ShiftColour();
    ASSERT_NE(idle_, kTeal);
  }

  ScreenPoint ShiftPoint() const { return keyboard_->AtClient(112, 112); }
  ScreenPoint RingPoint() const { return keyboard_->AtClient(100, 100); }
  Rgb ShiftColour() const { return PixelAt(display(), ShiftPoint().x, ShiftPoint().y); }
  Rgb RingColour() const { return PixelAt(display(), RingPoint().x, RingPoint().y); }

  bool ShiftBecomes(Rgb colour) const {
    return WaitUntil([&] { return ShiftColour() == colour; });
  }
  bool RingBecomes(Rgb colour) const {
    return WaitUntil([&] { return RingColour() == colour; });
  }
  // Another point of the Shift panel, far enough from the first for a
  // second press there to be no double-click.
  ScreenPoint OtherShiftPoint() const { return keyboard_->AtClient(107, 107); }

  std::unique_ptr<KeyboardProgram> keyboard_;
  Rgb idle_;
};

TEST_P(PanelsTest, HoverMarksTheShiftPanelAndAClickArmsIt) {
  MovePointer(display(), ShiftPoint());
  EXPECT_TRUE(ShiftBecomes(kTeal));
  EXPECT_EQ(RingColour(), idle_);

  ClickButton(display());
  EXPECT_TRUE(ShiftBecomes(kBlack));

  ClickAt(display(), OtherShiftPoint());
  EXPECT_TRUE(ShiftBecomes(kTeal));
}

TEST_P(PanelsTest, TheRingIsTheExtendPanelOnly) {
  MovePointer(display(), RingPoint());
  EXPECT_TRUE(RingBecomes(kTeal));
  ClickButton(display());
  EXPECT_TRUE(RingBecomes(kBlack));
  EXPECT_EQ(ShiftColour(), idle_);

  MovePointer(display(), ShiftPoint());
  EXPECT_TRUE(ShiftBecomes(kTeal));
  EXPECT_EQ(RingColour(), kBlack);
}

TEST_P(PanelsTest, APressReleasedElsewhereIsNoClick) {
  MovePointer(display(), ShiftPoint());
  ASSERT_TRUE(ShiftBecomes(kTeal));
  PressButton(display(), 1);
  MovePointer(display(), keyboard_->CellCentre(1));
  ReleaseButton(display(), 1);
  EXPECT_FALSE(WaitUntil([&] { return ShiftColour() != kTeal; }, 400ms));
}

TEST_P(PanelsTest, ADoubleClickOnAMarkedPanelArmsItOnce) {
  MovePointer(display(), ShiftPoint());
  ASSERT_TRUE(ShiftBecomes(kTeal));
  ClickButton(display());
  ClickButton(display());
  EXPECT_TRUE(ShiftBecomes(kBlack));
  EXPECT_FALSE(WaitUntil([&] { return ShiftColour() != kBlack; }, 400ms));
}

TEST_P(PanelsTest, ARightClickOpensTheMenuAndLeavesThePanelAlone) {
  MovePointer(display(), ShiftPoint());
  ASSERT_TRUE(ShiftBecomes(kTeal));
  ClickButton(display(), 3);
  ASSERT_TRUE(WaitUntil([&] { return FindPopupMenu(display()).has_value(); }));
  // A press outside closes the menu, which covered the panel.
  ClickAt(display(), {XSession::kScreenWidth - 10, XSession::kScreenHeight - 10});
  ASSERT_TRUE(WaitUntil([&] { return !FindPopupMenu(display()); }));
  EXPECT_TRUE(ShiftBecomes(kTeal));
}

TEST_P(PanelsTest, AKeySentReleasesTheArmedPanel) {
  MovePointer(display(), ShiftPoint());
  ClickButton(display());
  ASSERT_TRUE(ShiftBecomes(kBlack));
  ClickAt(display(), keyboard_->CellCentre(1));
  // The pointer returns to the Shift panel, which the key left idle: the
  // return marks it again.
  EXPECT_TRUE(ShiftBecomes(kTeal));
}

PLINTH_ON_EVERY_DISPLAY(PanelsTest);

}  // namespace
}  // namespace plinth::x11_test
