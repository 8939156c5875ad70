// The rule by which a press on a centre panel is the second half of a
// double-click, and therefore no click.

#include <gtest/gtest.h>

#include "platform/x11/centre_panels.h"

namespace plinth::platform::x11 {
namespace {

// Two targets of the window: a panel and a grid button.
const int kPanel = 1;
const int kButton = 2;

TEST(DoubleClickDetector, TellsTheSecondOfTwoQuickPressesInOnePlace) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(&kPanel, 1000, 10, 10));
  EXPECT_TRUE(presses.Press(&kPanel, 1400, 11, 8));
  // A third quick press starts a new pair, as on Windows.
  EXPECT_FALSE(presses.Press(&kPanel, 1600, 11, 8));
  EXPECT_TRUE(presses.Press(&kPanel, 1700, 11, 8));
}

TEST(DoubleClickDetector, NeedsBothTheTimeAndThePlace) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(&kPanel, 1000, 10, 10));
  EXPECT_FALSE(presses.Press(&kPanel, 1501, 10, 10));  // too late
  EXPECT_TRUE(presses.Press(&kPanel, 2001, 12, 12));   // at the limits
  EXPECT_FALSE(presses.Press(&kPanel, 2100, 10, 10));
  EXPECT_FALSE(presses.Press(&kPanel, 2200, 13, 10));  // too far
}

TEST(DoubleClickDetector, APressOnAnotherTargetInBetweenEndsTheDoubleClick) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(&kPanel, 1000, 10, 10));
  EXPECT_FALSE(presses.Press(&kButton, 1100, 10, 10));
  EXPECT_FALSE(presses.Press(&kPanel, 1200, 10, 10));
  EXPECT_TRUE(presses.Press(&kPanel, 1300, 10, 10));
}

TEST(DoubleClickDetector, SurvivesTheServerClockWrapping) {
  DoubleClickDetector presses;
  EXPECT_FALSE(presses.Press(&kPanel, 0xFFFFFF00UL, 0, 0));
  EXPECT_TRUE(presses.Press(&kPanel, 0x00000010UL, 0, 0));
}

}  // namespace
}  // namespace plinth::platform::x11
