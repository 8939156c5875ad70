// One keyboard a display: a second start shows the running keyboard; --new
// opens another on purpose; once the keyboard has ended, however, a start
// opens a new one. And the user's own layout folder.

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/form_design.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

namespace design = platform::design;

const LayoutFiles kLayouts = {{"Default", KeyLayout({{1, "q"}})}, {"Extend", ""}};

class KeyboardInstancesTest : public OnDisplay {
 protected:
  std::size_t MappedKeyboards() const {
    std::size_t mapped = 0;
    for (const Window window : FindWindows(display(), design::kCaption)) {
      if (IsMapped(display(), window)) ++mapped;
    }
    return mapped;
  }
};

TEST_P(KeyboardInstancesTest, ASecondStartShowsTheRunningKeyboardAndEnds) {
  KeyboardProgram first(session, kLayouts);
  ASSERT_TRUE(first.WaitForWindow());
  XUnmapWindow(display(), first.window());
  XFlush(display());
  ASSERT_TRUE(WaitUntil([&] { return !IsMapped(display(), first.window()); }));

  KeyboardProgram second(session, kLayouts);
  EXPECT_EQ(second.process().WaitForExit(10000ms), 0) << second.StandardError();
  EXPECT_TRUE(WaitUntil([&] { return IsMapped(display(), first.window()); }))
      << "the running keyboard was not shown again";
  EXPECT_EQ(MappedKeyboards(), 1u);
  EXPECT_TRUE(first.process().Running());
}

TEST_P(KeyboardInstancesTest, NewOpensASecondKeyboardOnPurpose) {
  KeyboardProgram first(session, kLayouts);
  ASSERT_TRUE(first.WaitForWindow());
  KeyboardProgram second(session, kLayouts, {.args = {"--new"}});
  EXPECT_TRUE(WaitUntil([&] { return MappedKeyboards() == 2; }));
  EXPECT_TRUE(second.process().Running());
}

TEST_P(KeyboardInstancesTest, AfterTheKeyboardIsKilledAStartOpensANewOne) {
  {
    KeyboardProgram first(session, kLayouts);
    ASSERT_TRUE(first.WaitForWindow());
    kill(first.process().pid(), SIGKILL);
    first.process().WaitForExit(5000ms);
  }
  ASSERT_TRUE(WaitUntil([&] { return MappedKeyboards() == 0; }));
  KeyboardProgram again(session, kLayouts);
  ASSERT_TRUE(again.WaitForWindow()) << again.StandardError();
  EXPECT_TRUE(again.process().Running());
  EXPECT_EQ(MappedKeyboards(), 1u);
}

TEST_P(KeyboardInstancesTest, AfterTheKeyboardIsClosedAStartOpensANewOne) {
  {
    KeyboardProgram first(session, kLayouts);
    ASSERT_TRUE(first.WaitForWindow());
    kill(first.process().pid(), SIGTERM);
    ASSERT_EQ(first.process().WaitForExit(5000ms), 0);
  }
  KeyboardProgram again(session, kLayouts);
  ASSERT_TRUE(again.WaitForWindow()) << again.StandardError();
  EXPECT_TRUE(again.process().Running());
}

TEST_P(KeyboardInstancesTest, ALayoutInTheUsersFolderComesBeforeTheOneBesideTheProgram) {
  KeyboardProgram keyboard(session, {{"Default", KeyLayout({{2, "w"}})}, {"Extend", ""}},
                           {.user_layouts = {{"Default", KeyLayout({{1, "q"}, {49, "m"}})}}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  EXPECT_EQ(keyboard.WaitForCellsWithText({1, 49}), (std::set<int>{1, 49}));
  EXPECT_EQ(keyboard.StandardError(), "");
}

PLINTH_ON_EVERY_DISPLAY(KeyboardInstancesTest);

}  // namespace
}  // namespace plinth::x11_test
