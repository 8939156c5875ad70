// One keyboard a display: a second start shows the running keyboard; --new
// opens another on purpose; once the keyboard has ended, however, a start
// opens a new one. And the user's own layout folder.

#include <gtest/gtest.h>
#include <signal.h>

#include <memory>
#include <optional>
#include <string>

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
  // As long as the second start may take to end: on a loaded machine the
  // first keyboard handles the request when the scheduler lets it.
  EXPECT_TRUE(WaitUntil([&] { return IsMapped(display(), first.window()); }, 10000ms))
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

// A start while the running keyboard ends: the ending keyboard still owns
// the selection, but must not answer that it showed itself. Stopped just
// after its termination signal came, it cannot end before the start asks.
TEST_P(KeyboardInstancesTest, AStartWhileTheKeyboardEndsOpensTheNextKeyboard) {
  KeyboardProgram first(session, kLayouts);
  ASSERT_TRUE(first.WaitForWindow());
  kill(first.process().pid(), SIGTERM);
  kill(first.process().pid(), SIGSTOP);

  KeyboardProgram second(session, kLayouts);
  // The start waits for an answer that the stopped keyboard cannot give.
  const std::optional<int> early_exit = second.process().WaitForExit(1000ms);
  kill(first.process().pid(), SIGCONT);
  EXPECT_EQ(early_exit, std::nullopt) << "the start ended while the running keyboard was ending";
  EXPECT_EQ(first.process().WaitForExit(10000ms), 0);
  EXPECT_TRUE(WaitUntil([&] { return MappedKeyboards() == 1; })) << second.StandardError();
  EXPECT_TRUE(second.process().Running()) << second.StandardError();
}

// Killed and started again at once, over and over: each time the keyboard
// that ends first gives back a borrowed keycode, which keeps it a moment
// after its window is gone. Every round ends with exactly one keyboard.
TEST_P(KeyboardInstancesTest, KillAndStartAgainAtOnceAlwaysLeavesOneKeyboard) {
  // A character no key of the keymap types: typing it borrows a keycode.
  const LayoutFiles layouts = {{"Default", KeyLayout({{1, "\xC9"}})}, {"Extend", ""}};
  auto running = std::make_unique<KeyboardProgram>(session, layouts);
  ASSERT_TRUE(running->WaitForWindow()) << running->StandardError();
  for (int round = 0; round < 8; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    ClickAt(display(), running->CellCentre(1));
    XSync(display(), False);
    kill(running->process().pid(), SIGTERM);
    auto next = std::make_unique<KeyboardProgram>(session, layouts);
    EXPECT_EQ(running->process().WaitForExit(10000ms), 0);
    running = std::move(next);
    ASSERT_TRUE(WaitUntil([&] { return MappedKeyboards() == 1; }))
        << "keyboards on show: " << MappedKeyboards() << "; " << running->StandardError();
    ASSERT_TRUE(running->process().Running()) << running->StandardError();
    ASSERT_TRUE(running->WaitForWindow());
  }
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
