// The keyboard's output among the compositor's outputs, and what the
// keyboard does when outputs come and go: it stays on its own output, and
// when that one goes away it lands whole on the nearest that remains.
// Headless sway 1.7 cannot take an output away from a running session, so
// this is tested here, with the keyboard logic on the test platform.

#include "platform/wayland/output_choice.h"

#include <gtest/gtest.h>

#include "platform/testing/test_keyboard.h"

namespace plinth::platform::wayland {
namespace {

// Three outputs side by side: left, middle (higher up) and right.
const Rect kLeft{0, 0, 1024, 768};
const Rect kMiddle{1024, -200, 1280, 1024};
const Rect kRight{2304, 0, 800, 600};

TEST(OutputChoiceTest, TheKeyboardIsOnTheOutputHoldingItsMiddleElseTheNearest) {
  const std::vector<Rect> outputs{kLeft, kMiddle, kRight};
  struct Case {
    Rect window;
    std::size_t expected;
  } const cases[] = {
      {{100, 100, 226, 246}, 0},
      {{1100, -150, 226, 246}, 1},
      {{2400, 300, 226, 246}, 2},
      // Straddling: its middle decides.
      {{950, 300, 226, 246}, 1},
      {{900, 300, 226, 246}, 0},
      // Off every output: the nearest, below the left one.
      {{300, 2000, 226, 246}, 0},
      // Beyond the right end.
      {{5000, 100, 226, 246}, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputOf(outputs, c.window), c.expected) << c.window.x << "," << c.window.y;
  }
  EXPECT_EQ(OutputOf({}, {0, 0, 226, 246}), std::nullopt);
}

TEST(OutputChoiceTest, TheKeyboardsOutputComesFirstAndTheRestKeepTheirOrder) {
  const Rect window{2400, 300, 226, 246};
  EXPECT_EQ(MonitorsFromKeyboard({kLeft, kMiddle, kRight}, window),
            (std::vector<Rect>{kRight, kLeft, kMiddle}));
  // Before any output is announced, the designed screen.
  EXPECT_EQ(MonitorsFromKeyboard({}, window), (std::vector<Rect>{{0, 0, 1024, 768}}));
}

class OutputRemovalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyboard_.PutLayout("Default", "");
    keyboard_.PutLayout("Extend", "");
    keyboard_.Create();
  }

  Rect Window() {
    const Point at = keyboard_.window.OuterPosition();
    const Size size = keyboard_.window.OuterSize();
    return {at.x, at.y, size.width, size.height};
  }

  // The compositor announces `outputs`; the keyboard sees them as the
  // Wayland screen shows them and is told the screen changed.
  void Announce(const std::vector<Rect>& outputs) {
    keyboard_.screen.set_monitors(MonitorsFromKeyboard(outputs, Window()));
    keyboard_.window.ChangeScreen();
  }

  static bool Holds(const Rect& output, const Rect& window) {
    return window.x >= output.x && window.y >= output.y &&
           window.x + window.width <= output.x + output.width &&
           window.y + window.height <= output.y + output.height;
  }

  test_platform::TestKeyboard keyboard_;
};

TEST_F(OutputRemovalTest, AKeyboardWhoseOutputGoesAwayLandsWholeOnTheNearestThatRemains) {
  struct Case {
    Point at;                  // on the output that goes away
    std::vector<Rect> before;  // every output
    std::vector<Rect> after;   // the outputs that remain
    Rect expected;             // the output the keyboard lands on
  } const cases[] = {
      {{2500, 100}, {kLeft, kMiddle, kRight}, {kLeft, kMiddle}, kMiddle},
      {{1900, 500}, {kLeft, kMiddle, kRight}, {kLeft, kRight}, kRight},
      {{1100, -100}, {kLeft, kMiddle, kRight}, {kLeft, kRight}, kLeft},
      {{100, 100}, {kLeft, kMiddle}, {kMiddle}, kMiddle},
  };
  for (const Case& c : cases) {
    Announce(c.before);
    keyboard_.window.MoveTo(c.at);
    Announce(c.before);
    ASSERT_EQ(keyboard_.window.OuterPosition(), c.at) << "stays on its own output";
    Announce(c.after);
    EXPECT_TRUE(Holds(c.expected, Window()))
        << c.at.x << "," << c.at.y << " lands at " << Window().x << "," << Window().y;
  }
}

TEST_F(OutputRemovalTest, AnOutputAddedOrRemovedBesideLeavesTheKeyboardWhereItIs) {
  Announce({kLeft});
  const Point before = keyboard_.window.OuterPosition();
  Announce({kLeft, kMiddle, kRight});
  EXPECT_EQ(keyboard_.window.OuterPosition(), before);
  Announce({kLeft, kRight});
  EXPECT_EQ(keyboard_.window.OuterPosition(), before);
}

}  // namespace
}  // namespace plinth::platform::wayland
