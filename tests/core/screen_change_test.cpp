// Docking uses the primary monitor, and a change of the screen or its
// monitors leaves the window where it can be used.

#include "src/keyboard/scaling.h"
#include "tests/core/keyboard_test.h"

namespace plinth {
namespace {

using platform::Point;
using platform::Rect;
using ::testing::IsEmpty;

// The window is 226 x 246; cells 1, 7, 43 and 49 dock it to the corners.
const std::string kDockingLayout =
    "[Button1]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=TOP\nParam2=LEFT\n"
    "[Button7]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=TOP\nParam2=RIGHT\n"
    "[Button43]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\nParam1=BOTTOM\nParam2=LEFT\n"
    "[Button49]\nType=ACTION\nHandler=DEFAULT\nAction=MOVE\n";

// A wide monitor on the left and the primary one, smaller, to its right.
const std::vector<Rect> kTwoMonitors = {{1280, 0, 800, 600}, {0, 0, 1280, 1024}};

class ScreenChangeTest : public KeyboardTest {
 protected:
  void SetUp() override { Start(kDockingLayout); }
};

TEST_F(ScreenChangeTest, DocksToTheCornersOfThePrimaryMonitor) {
  screen.set_monitors(kTwoMonitors);
  struct Case {
    int cell;
    Point expected;
  };
  for (const Case c : {Case{1, {1280, 0}}, Case{7, {2080 - 226, 0}}, Case{43, {1280, 600 - 246}},
                       Case{49, {2080 - 226, 600 - 246}}}) {
    Click(c.cell);
    EXPECT_EQ(window.position(), c.expected) << c.cell;
  }
}

TEST_F(ScreenChangeTest, ADockedWindowKeepsItsCornerOfTheNewScreen) {
  for (const int cell : {49, 1, 7, 43}) {
    screen.set_monitors({{0, 0, 1024, 768}});
    Click(cell);
    const Point before = window.position();
    screen.set_size({640, 480});
    window.ChangeScreen();
    const Point expected{before.x == 0 ? 0 : 640 - 226, before.y == 0 ? 0 : 480 - 246};
    EXPECT_EQ(window.position(), expected) << cell;
  }
  // A larger screen too: the corner, not the old place.
  screen.set_size({1920, 1080});
  window.ChangeScreen();
  EXPECT_EQ(window.position(), (Point{0, 1080 - 246}));
}

TEST_F(ScreenChangeTest, AWindowOffEveryMonitorMovesIntoThePrimaryByTheShortestWay) {
  struct Case {
    Point at;
    std::vector<Rect> monitors;
    Point expected;
  };
  const Case cases[] = {
      // The designed place (194, 250) on a screen grown too small.
      {{194, 250}, {{0, 0, 300, 400}}, {74, 154}},
      // Beyond the right edge of the primary monitor only.
      {{900, 100}, {{0, 0, 1024, 768}}, {1024 - 226, 100}},
      // Past the foot of the other monitor: into the primary one, which
      // is not at the origin.
      {{100, 900}, kTwoMonitors, {1280, 600 - 246}},
      // Straddling two monitors.
      {{1200, 10}, kTwoMonitors, {1280, 10}},
      // A monitor smaller than the smallest window: its top-left corner.
      {{50, 50}, {{0, 0, 100, 100}}, {0, 0}},
  };
  for (const Case& c : cases) {
    window.MoveTo(c.at);
    screen.set_monitors(c.monitors);
    window.ChangeScreen();
    EXPECT_EQ(window.position(), c.expected) << c.at.x << "," << c.at.y;
  }
}

TEST_F(ScreenChangeTest, AWindowThatAMonitorShowsWholeStays) {
  screen.set_monitors(kTwoMonitors);
  for (const Point at : {Point{194, 250}, Point{1500, 300}}) {
    window.MoveTo(at);
    const auto moves = window.moves().size();
    window.ChangeScreen();
    EXPECT_EQ(window.moves().size(), moves);
  }
  // Docked, then moved by the user: no longer docked.
  Click(49);
  window.MoveTo({300, 300});
  screen.set_monitors({{0, 0, 1024, 768}});
  window.ChangeScreen();
  EXPECT_EQ(window.position(), (Point{300, 300}));
  EXPECT_THAT(Warnings(), IsEmpty());
}

// Scale=300 makes the window 674 x 694 on the designed frame of 4 x 22.
class LargeKeyboardScreenChangeTest : public KeyboardTest {
 protected:
  void SetUp() override { Start("[Configuration]\nScale=300\n" + kDockingLayout); }

  // Whether the whole window, frame included, lies on the primary monitor.
  bool WholeOnThePrimaryMonitor() {
    const Rect primary = screen.Monitors().front();
    const Point at = window.OuterPosition();
    const platform::Size size = window.OuterSize();
    return at.x >= primary.x && at.y >= primary.y &&
           at.x + size.width <= primary.x + primary.width &&
           at.y + size.height <= primary.y + primary.height;
  }
};

TEST_F(LargeKeyboardScreenChangeTest, StartsWholeOnTheScreenThoughItsDesignedPlaceRunsOff) {
  // Started on the 1024 x 768 screen, the designed place would put the
  // bottom of the 694 px window at 944.
  EXPECT_EQ(window.position(), (Point{platform::design::kWindowLeft, 768 - 694}));
  EXPECT_TRUE(WholeOnThePrimaryMonitor());
}

TEST_F(LargeKeyboardScreenChangeTest, TheWindowShrinksToTheNewScreenBeforeItIsPlaced) {
  struct Case {
    const char* what;
    int docking_cell;  // 0: not docked but at `at`
    Point at;
    std::vector<Rect> monitors;
    int pitch;
    Point expected;
  };
  const Case cases[] = {
      {"docked, to a smaller screen", 49, {}, {{0, 0, 800, 600}}, (600 - 22) / 7, {224, 4}},
      {"docked top left", 1, {}, {{0, 0, 800, 600}}, (600 - 22) / 7, {0, 0}},
      {"docked, to a narrow screen", 49, {}, {{0, 0, 600, 1024}}, (600 - 4 + 2) / 7, {3, 407}},
      {"docked, to a smaller primary monitor", 43, {}, kTwoMonitors, (600 - 22) / 7, {1280, 4}},
      {"still whole where it was", 0, {100, 0}, {{0, 0, 800, 600}}, (600 - 22) / 7, {100, 0}},
      {"off the new screen", 0, {300, 100}, {{0, 0, 800, 600}}, (600 - 22) / 7, {224, 4}},
      {"back on the screen it came up on", 49, {}, {{0, 0, 1024, 768}}, 96, {350, 74}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    screen.set_monitors({{0, 0, 1024, 768}});
    window.ChangeScreen();
    ASSERT_EQ(window.geometry().pitch, 96);
    if (c.docking_cell != 0) {
      Click(c.docking_cell);
    } else {
      window.MoveTo(c.at);
    }
    screen.set_monitors(c.monitors);
    window.ChangeScreen();
    EXPECT_EQ(window.geometry().pitch, c.pitch);
    EXPECT_EQ(window.position(), c.expected);
    EXPECT_TRUE(WholeOnThePrimaryMonitor());
  }
  EXPECT_THAT(Warnings(), IsEmpty());
}

TEST_F(LargeKeyboardScreenChangeTest, TheWindowGrowsBackToItsSizeWhenTheScreenDoes) {
  Click(49);
  for (const platform::Size size : {platform::Size{800, 600}, platform::Size{640, 480}}) {
    screen.set_size(size);
    window.ChangeScreen();
    EXPECT_TRUE(WholeOnThePrimaryMonitor()) << size.width;
  }
  screen.set_size({1024, 768});
  window.ChangeScreen();
  EXPECT_EQ(window.geometry().pitch, 96);
  EXPECT_EQ(window.position(), (Point{1024 - 674, 768 - 694}));
  // A size the user chose is kept as the screen changes back and forth.
  window.DragBorderTo(GeometryForPitch(40).client);
  screen.set_size({800, 600});
  window.ChangeScreen();
  screen.set_size({1024, 768});
  window.ChangeScreen();
  EXPECT_EQ(window.geometry().pitch, 40);
}

}  // namespace
}  // namespace plinth
