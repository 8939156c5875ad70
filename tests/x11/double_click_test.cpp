// The rule by which a press on a centre panel is the second half of a
// double-click, and therefore no click.

#include <gtest/gtest.h>

#include "platform/x11/centre_panels.h"

namespace plinth::platform::x11 {
namespace {

TEST(DoubleClickDetector, TellsTheSecondOfTwoQuickPressesInOnePlace) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(1000, 10, 10));
  EXPECT_TRUE(presses.Press(1400, 11, 8));
  // A third quick press starts a new pair, as on Windows.
  EXPECT_FALSE(presses.Press(1600, 11, 8));
  EXPECT_TRUE(presses.Press(1700, 11, 8));
}

TEST(DoubleClickDetector, NeedsBothTheTimeAndThePlace) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(1000, 10, 10));
  EXPECT_FALSE(presses.Press(1501, 10, 10));  // too late
  EXPECT_TRUE(presses.Press(2001, 12, 12));   // at the limits
  EXPECT_FALSE(presses.Press(2100, 10, 10));
  EXPECT_FALSE(presses.Press(2200, 13, 10));  // too far
}

TEST(DoubleClickDetector, SurvivesTheServerClockWrapping) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(0xFFFFFF00UL, 0, 0));
  EXPECT_TRUE(presses.Press(0x00000010UL, 0, 0));
}

}  // namespace
}  // namespace plinth::platform::x11
