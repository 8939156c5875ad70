// Word suggestions on a headless sway: another window getting the focus
// starts a fresh context, a WORD button types the rest of the word it
// shows, and what was learned is on disk after SIGTERM.

#include <gtest/gtest.h>
#include <signal.h>

#include "src/words/word_files.h"
#include "tests/wayland/support/keyboard_fixture.h"
#include "tests/x11/support/temp_directory.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;
using x11_test::BundledLayout;
using x11_test::BundledWordList;
using x11_test::FirstSuggestionFor;
using x11_test::ReadFile;

// Cells of the bundled Words layout.
constexpr int kFirstWord = 1, kH = 11, kT = 26;

TEST_F(WaylandKeyboardTest, AnotherWindowsFocusStartsAFreshWordAndAWordButtonTypesIt) {
  // A second window, tiled right of the first; the first has the focus.
  const KeyRecorder second(*session_, "wev-second");
  ASSERT_TRUE(second.WaitForFocus()) << second.Log();
  session_->Swaymsg({"focus", "left"});
  ASSERT_TRUE(recorder_->WaitForFocus()) << recorder_->Log();
  Start({{"Default", BundledLayout("Words")}}, {.beside = {BundledWordList()}});

  ClickCell(kT);
  ASSERT_EQ(recorder_->WaitForText("t"), "t") << keyboard_->StandardError();
  session_->Swaymsg({"focus", "right"});
  ASSERT_TRUE(second.WaitForFocus()) << second.Log();
  ClickCell(kH);
  ASSERT_EQ(second.WaitForText("h"), "h");
  // The word completes "h", not the "th" typed across both windows.
  const std::string word = FirstSuggestionFor("h");
  ASSERT_NE(word, FirstSuggestionFor("th"));
  ClickCell(kFirstWord);
  EXPECT_EQ(second.WaitForText(word + " "), word + " ") << keyboard_->StandardError();
  EXPECT_EQ(TypedText(recorder_->Events()), "t");

  kill(keyboard_->process().pid(), SIGTERM);
  ASSERT_TRUE(keyboard_->process().WaitForExit(10s).has_value());
  const std::string learned = ReadFile(keyboard_->DataFolder() / words::kLearnedWordsFileName);
  EXPECT_NE(learned.find("\n" + word + "\t1\t"), std::string::npos) << learned;
}

}  // namespace
}  // namespace plinth::wayland_test
