// The real keyboard starting on a display: its window, its labels and the
// warnings about missing layout files.

#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>

#include "platform/form_design.h"
#include "platform/x11/frame_extents.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

namespace plinth::x11_test {
namespace {

namespace design = platform::design;

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// Clicks the OK button of the warning dialog: centred at its foot.
void ConfirmWarning(Display* display, Window dialog) {
  const auto [width, height] = ClientSize(display, dialog);
  const ScreenPoint origin = ClientOrigin(display, dialog);
  ClickAt(display, {origin.x + width / 2, origin.y + height - 12 - 12});
}

using StartUpTest = OnDisplay;

TEST_P(StartUpTest, ShowsTheWindowCaptionedPlinthWithTheLayoutsLabels) {
  const std::map<int, std::string> captions = {{1, "q"},  {7, "Tab"}, {24, "&"},
                                               {26, "@"}, {43, "z"},  {49, "Enter"}};
  KeyboardProgram keyboard(session, {{"Default", KeyLayout(captions)}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());

  EXPECT_EQ(WindowTitle(display(), keyboard.window()), "Plinth");
  EXPECT_EQ(ClientSize(display(), keyboard.window()),
            std::make_pair(design::kClientWidth, design::kClientHeight));

  // The numbers of the window as designed give way to the layout's labels.
  EXPECT_EQ(keyboard.WaitForCellsWithText(CellsOf(captions)), CellsOf(captions));
  EXPECT_EQ(keyboard.StandardError(), "");
}

TEST_P(StartUpTest, PutsTheOuterWindowAtItsDesignedPlace) {
  KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  platform::x11::FrameExtents frame;
  if (has_window_manager()) {
    ASSERT_TRUE(WaitUntil(
        [&] { return platform::x11::ReadFrameExtents(display(), keyboard.window()).has_value(); }));
    frame = *platform::x11::ReadFrameExtents(display(), keyboard.window());
    EXPECT_GT(frame.top, 0);
  }
  const ScreenPoint client = ClientOrigin(display(), keyboard.window());
  EXPECT_EQ(client.x - frame.left, design::kWindowLeft);
  EXPECT_EQ(client.y - frame.top, design::kWindowTop);
}

TEST_P(StartUpTest, AsksForAnAlwaysOnTopToolWindowThatNeverTakesTheFocus) {
  KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  EXPECT_EQ(AcceptsInputHint(display(), keyboard.window()), false);
  EXPECT_EQ(
      AtomNames(display(), keyboard.window(), "_NET_WM_WINDOW_TYPE"),
      (std::vector<std::string>{"_NET_WM_WINDOW_TYPE_TOOLBAR", "_NET_WM_WINDOW_TYPE_UTILITY"}));
  EXPECT_TRUE(
      Contains(AtomNames(display(), keyboard.window(), "_NET_WM_STATE"), "_NET_WM_STATE_ABOVE"));
}

TEST_P(StartUpTest, OffersOnlyToMoveResizeAndCloseTheWindowAndComesBackWhenHidden) {
  KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  if (has_window_manager()) {
    const auto actions = AtomNames(display(), keyboard.window(), "_NET_WM_ALLOWED_ACTIONS");
    EXPECT_TRUE(Contains(actions, "_NET_WM_ACTION_CLOSE"));
    EXPECT_TRUE(Contains(actions, "_NET_WM_ACTION_MOVE"));
    EXPECT_TRUE(Contains(actions, "_NET_WM_ACTION_RESIZE"));
    for (const char* offered : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ",
                                "_NET_WM_ACTION_MAXIMIZE_VERT"}) {
      EXPECT_FALSE(Contains(actions, offered)) << offered;
    }
  }
  // Asked to minimise, the keyboard stays; hidden all the same, as a window
  // manager that minimises anyway would, it shows itself again.
  XIconifyWindow(display(), keyboard.window(), DefaultScreen(display()));
  XUnmapWindow(display(), keyboard.window());
  XFlush(display());
  EXPECT_TRUE(WaitUntil([&] { return IsMapped(display(), keyboard.window()); }));
}

TEST_P(StartUpTest, WarnsOfEachMissingLayoutAndThenShowsTheCellNumbers) {
  KeyboardProgram keyboard(session, {});
  for (const std::string name : {"Default", "Extend", "Default"}) {
    SCOPED_TRACE(name);
    const std::optional<Window> dialog = x11_test::WaitForWindow(display(), "Warning");
    ASSERT_TRUE(dialog);
    EXPECT_NE(keyboard.StandardError().find("Error - Inifile not found -" + name + "\n"),
              std::string::npos);
    ConfirmWarning(display(), *dialog);
    ASSERT_TRUE(WaitUntil([&] { return !IsMapped(display(), *dialog); }));
  }
  ASSERT_TRUE(keyboard.WaitForWindow());
  EXPECT_EQ(keyboard.WaitForCellsWithText(AllButtonCells()), AllButtonCells());
  const std::string errors = keyboard.StandardError();
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 3) << errors;
}

TEST_P(StartUpTest, ClosingTheWindowEndsTheProgramWithStatusZero) {
  KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  RequestClose(display(), keyboard.window());
  EXPECT_EQ(keyboard.process().WaitForExit(5000ms), 0);
}

TEST_P(StartUpTest, ATerminationSignalEndsTheProgramWithStatusZero) {
  KeyboardProgram keyboard(session, {{"Default", ""}, {"Extend", ""}});
  ASSERT_TRUE(keyboard.WaitForWindow());
  kill(keyboard.process().pid(), SIGTERM);
  EXPECT_EQ(keyboard.process().WaitForExit(5000ms), 0);
}

PLINTH_ON_EVERY_DISPLAY(StartUpTest);

}  // namespace
}  // namespace plinth::x11_test
