// The real keyboard clicked with xdotool: each key button types its key,
// with its modifiers, into a client of our own that holds the focus; the
// caption shows the key and its code; the pointer goes back to the home
// point; no key stays held.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/form_design.h"
#include "tests/e2e/held_keys.h"
#include "tests/e2e/recorder_log.h"
#include "tests/e2e/x_server.h"
#include "tests/support/child_process.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/on_display.h"

// Xlib after the test framework: its macros (None, Bool) clash with names there.
#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace plinth::e2e {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using x11_test::ScreenPoint;

// One button per case; the Shift layer of cell 1 types a capital.
constexpr const char* kLayout =
    "[Button1]\r\nCaption=a\r\n"
    "[ShiftButton1]\r\nCaption=q\r\nShifted=1\r\n"
    "[Button2]\r\nType=KEY\r\nCaption=,\r\n"
    "[Button3]\r\nType=KEY\r\nCaption=<\r\n"
    "[Button4]\r\nType=VIRTUALKEY\r\nCaption=?\r\nKeyString=QUESTIONMARK\r\nShifted=1\r\n"
    "[Button5]\r\nType=VIRTUALKEY\r\nKeyString=F5\r\n"
    "[Button6]\r\nType=VIRTUALKEY\r\nKeyString=backslash\r\n"
    "[Button7]\r\nType=CURSORKEY\r\nKeyString=RIGHT\r\nShifted=1\r\n"
    "[Button8]\r\nType=ACTION\r\nHandler=DEFAULT\r\nAction=TOGGLESELECTING\r\n"
    "[Button9]\r\nType=CTRLTOGGLE\r\nCaption=Ctrl\r\n"
    "[Button10]\r\nType=ALTTOGGLE\r\nCaption=Alt\r\n"
    "[Button11]\r\nCaption=c\r\n"
    "[Button12]\r\nCaption=d\r\nAction=CTRLALT\r\n"
    "[Button13]\r\nCaption=\xC9\r\n"
    "[Button14]\r\nCaption=1\r\nShifted=1\r\n"
    "[Button15]\r\nType=ACTION\r\nHandler=DEFAULT\r\nAction=BEGINEXTEND\r\n"
    "[Button16]\r\nType=ACTION\r\nHandler=EXTEND\r\nAction=LOADINI\r\nParam1=Second\r\n";

// The extend layout types x in cell 1 and goes back from cell 2; the layout
// that LOADINI reads types z in cell 1.
constexpr const char* kExtendLayout =
    "[Button1]\r\nCaption=x\r\n"
    "[Button2]\r\nType=ACTION\r\nHandler=DEFAULT\r\nAction=CANCELEXTEND\r\n";
constexpr const char* kSecondLayout = "[Button1]\nCaption=z\n";

constexpr const char* kRecorderGeometry = "560,60,400,300";

class KeyboardKeysTest : public x11_test::OnDisplay {
 protected:
  void SetUp() override {
    recorder_ = std::make_unique<KeyRecorder>(KEY_RECORDER_PATH, Env(), dir_.File("keys.log"),
                                              kRecorderGeometry);
    ASSERT_TRUE(recorder_->WaitUntilReady()) << "the recorder did not get the focus";
    keyboard_ = std::make_unique<x11_test::KeyboardProgram>(
        session, x11_test::LayoutFiles{
                     {"Default", kLayout}, {"Extend", kExtendLayout}, {"Second", kSecondLayout}});
    ASSERT_TRUE(keyboard_->WaitForWindow()) << keyboard_->StandardError();
    ASSERT_TRUE(RecorderHasFocus());
  }

  void TearDown() override {
    if (recorder_) {
      EXPECT_FALSE(recorder_->LostFocus()) << "the recorder lost the focus";
      if (HasFailure()) {
        for (const std::string& line : recorder_->Lines())
          std::cerr << "recorder: " << line << '\n';
        if (keyboard_) std::cerr << "plinth: " << keyboard_->StandardError() << '\n';
      }
    }
    EXPECT_THAT(HeldKeys(display()), IsEmpty()) << "a key was left held down";
  }

  std::map<std::string, std::string> Env() const { return {{"DISPLAY", session.display_name()}}; }

  std::string Xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    int status = -1;
    std::string output =
        RunAndCapture({.argv = argv, .env = Env()}, std::chrono::seconds(10), &status);
    EXPECT_EQ(status, 0) << "xdotool failed: " << output;
    return output;
  }

  void ClickAt(ScreenPoint point) {
    Xdotool(
        {"mousemove", "--sync", std::to_string(point.x), std::to_string(point.y), "click", "1"});
  }

  ScreenPoint PointerLocation() {
    ScreenPoint point;
    const std::string where = Xdotool({"getmouselocation"});
    std::sscanf(where.c_str(), "x:%d y:%d", &point.x, &point.y);
    return point;
  }

  std::string Caption() {
    std::string name = Xdotool({"getwindowname", std::to_string(keyboard_->window())});
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
  }

  ScreenPoint HomePoint() const {
    namespace design = platform::design;
    constexpr int kHome = design::kExtendPanelLeft + design::kExtendPanelSize / 2;
    static_assert(kHome == design::kExtendPanelTop + design::kExtendPanelSize / 2);
    return keyboard_->AtClient(kHome, kHome);
  }

  bool RecorderHasFocus() const {
    return x11_test::IsWithin(display(), x11_test::FocusedWindow(display()), recorder_->Window());
  }

  // Clicks a grid button and returns the key events it caused, once
  // `expected_events` have arrived (and a moment longer for strays).
  std::vector<std::string> Click(int cell, std::size_t expected_events) {
    const std::size_t before = recorder_->Keys().size();
    ClickAt(keyboard_->CellCentre(cell));
    if (expected_events == 0) {
      // Nothing must arrive: give a stray key a moment to show up.
      recorder_->WaitForKeys(before + 1, std::chrono::milliseconds(300));
    } else {
      EXPECT_TRUE(recorder_->WaitForKeys(before + expected_events)) << "cell " << cell;
    }
    // The pointer is back home once the click was handled, key or not.
    EXPECT_TRUE(WaitUntil([&] {
      const ScreenPoint at = PointerLocation();
      return at.x == HomePoint().x && at.y == HomePoint().y;
    })) << "cell "
        << cell;
    EXPECT_TRUE(RecorderHasFocus()) << "cell " << cell;
    return recorder_->Summaries(before);
  }

  bool CaptionBecomes(const std::string& caption) {
    return WaitUntil([&] { return Caption() == caption; });
  }

  TempDir dir_;
  std::unique_ptr<KeyRecorder> recorder_;
  std::unique_ptr<x11_test::KeyboardProgram> keyboard_;
};

TEST_P(KeyboardKeysTest, KeyButtonsTypeTheirCharacters) {
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
  EXPECT_TRUE(CaptionBecomes("A - 65")) << Caption();

  // Characters other than letters and digits: the US key that types them.
  EXPECT_THAT(Click(2, 2), ElementsAre("+comma", "-comma"));
  EXPECT_TRUE(CaptionBecomes(", - 188")) << Caption();
  EXPECT_THAT(Click(3, 4), ElementsAre("+Shift_L", "+less shift", "-less shift", "-Shift_L shift"));
  EXPECT_TRUE(CaptionBecomes("< - 188")) << Caption();
  EXPECT_THAT(Click(14, 4),
              ElementsAre("+Shift_L", "+exclam shift", "-exclam shift", "-Shift_L shift"));
  EXPECT_TRUE(CaptionBecomes("1 - 49")) << Caption();

  // A character no key of the keymap has comes through a spare keycode.
  EXPECT_THAT(Click(13, 2), ElementsAre("+Eacute", "-Eacute"));
  const std::string caption = "\xC3\x89 - 457";  // UTF-8
  EXPECT_TRUE(WaitUntil([&] {
    return x11_test::WindowTitle(display(), keyboard_->window()) == caption;
  })) << x11_test::WindowTitle(display(), keyboard_->window());
}

// A click is a press and a release on the same button: the key goes out
// as soon as the release is read, once, and only then.
TEST_P(KeyboardKeysTest, AClickTypesWhereItsReleaseLiesAndAQuickClickTypesOnce) {
  const auto at = [](ScreenPoint point) {
    return std::vector<std::string>{"mousemove", "--sync", std::to_string(point.x),
                                    std::to_string(point.y)};
  };
  const auto drag = [&](std::initializer_list<ScreenPoint> path) {
    std::vector<std::string> steps = at(*path.begin());
    steps.push_back("mousedown");
    steps.push_back("1");
    for (auto point = path.begin() + 1; point != path.end(); ++point) {
      for (const std::string& step : at(*point)) steps.push_back(step);
    }
    steps.push_back("mouseup");
    steps.push_back("1");
    Xdotool(steps);
  };
  const std::size_t before = recorder_->Keys().size();
  drag({keyboard_->CellCentre(1), keyboard_->CellCentre(2)});
  EXPECT_FALSE(recorder_->WaitForKeys(before + 1, std::chrono::milliseconds(300)));
  drag({keyboard_->CellCentre(1), keyboard_->CellCentre(2), keyboard_->CellCentre(1)});
  ASSERT_TRUE(recorder_->WaitForKeys(before + 2));
  EXPECT_THAT(recorder_->Summaries(before), ElementsAre("+a", "-a"));

  // A quick click, its press and release sent together, types once.
  x11_test::MovePointer(display(), keyboard_->CellCentre(1));
  XTestFakeButtonEvent(display(), 1, True, CurrentTime);
  XTestFakeButtonEvent(display(), 1, False, CurrentTime);
  XFlush(display());
  ASSERT_TRUE(recorder_->WaitForKeys(before + 4));
  EXPECT_FALSE(recorder_->WaitForKeys(before + 5, std::chrono::milliseconds(300)));
  EXPECT_THAT(recorder_->Summaries(before), ElementsAre("+a", "-a", "+a", "-a"));
  EXPECT_TRUE(CaptionBecomes("A - 65")) << Caption();
}

TEST_P(KeyboardKeysTest, TheShiftLayerTypesCapitals) {
  x11_test::MovePointer(display(), HomePoint());  // the Shift panel: hover
  ASSERT_TRUE(WaitUntil([&] {
    return x11_test::PixelAt(display(), HomePoint().x, HomePoint().y) == x11_test::Rgb{0, 128, 128};
  }));
  Xdotool({"click", "1"});  // armed
  ASSERT_TRUE(WaitUntil([&] {
    return x11_test::PixelAt(display(), HomePoint().x, HomePoint().y) == x11_test::Rgb{0, 0, 0};
  }));
  EXPECT_THAT(Click(1, 4), ElementsAre("+Shift_L", "+Q shift", "-Q shift", "-Shift_L shift"));
  EXPECT_TRUE(CaptionBecomes("Q - 81")) << Caption();
  // The key released the panel: the base layer again.
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
}

TEST_P(KeyboardKeysTest, NamedKeysTypeTheirKeys) {
  EXPECT_THAT(Click(4, 4),
              ElementsAre("+Shift_L", "+question shift", "-question shift", "-Shift_L shift"));
  EXPECT_TRUE(CaptionBecomes("QUESTIONMARK - 191")) << Caption();
  EXPECT_THAT(Click(5, 2), ElementsAre("+F5", "-F5"));
  EXPECT_TRUE(CaptionBecomes("F5 - 116")) << Caption();
  EXPECT_THAT(Click(6, 2), ElementsAre("+backslash", "-backslash"));
  EXPECT_TRUE(CaptionBecomes("BACKSLASH - 220")) << Caption();
}

TEST_P(KeyboardKeysTest, SelectingModeAddsShiftToCursorKeys) {
  // Outside selecting mode the record's Shifted flag does not count.
  EXPECT_THAT(Click(7, 2), ElementsAre("+Right", "-Right"));
  EXPECT_TRUE(CaptionBecomes("RIGHT - 39")) << Caption();

  EXPECT_THAT(Click(8, 0), IsEmpty());
  EXPECT_TRUE(CaptionBecomes("Plinth Selecting")) << Caption();
  EXPECT_THAT(Click(7, 4),
              ElementsAre("+Shift_L", "+Right shift", "-Right shift", "-Shift_L shift"));
  EXPECT_THAT(Click(1, 4), ElementsAre("+Shift_L", "+A shift", "-A shift", "-Shift_L shift"));

  EXPECT_THAT(Click(8, 0), IsEmpty());
  EXPECT_TRUE(CaptionBecomes("Plinth ")) << Caption();
  EXPECT_THAT(Click(7, 2), ElementsAre("+Right", "-Right"));
}

TEST_P(KeyboardKeysTest, CtrlAndAltTogglesArmTheNextKeyOnly) {
  EXPECT_THAT(Click(9, 0), IsEmpty());
  EXPECT_THAT(Click(11, 4), ElementsAre("+Control_L", "+c ctrl", "-c ctrl", "-Control_L ctrl"));
  EXPECT_TRUE(CaptionBecomes("C - 67")) << Caption();
  EXPECT_THAT(Click(11, 2), ElementsAre("+c", "-c"));

  EXPECT_THAT(Click(10, 0), IsEmpty());
  EXPECT_THAT(Click(11, 4), ElementsAre("+Alt_L", "+c alt", "-c alt", "-Alt_L alt"));

  // Armed twice is disarmed.
  EXPECT_THAT(Click(9, 0), IsEmpty());
  EXPECT_THAT(Click(9, 0), IsEmpty());
  EXPECT_THAT(Click(11, 2), ElementsAre("+c", "-c"));

  // The CTRLALT modifier word of a key button.
  EXPECT_THAT(Click(12, 6), ElementsAre("+Control_L", "+Alt_L ctrl", "+d ctrl+alt", "-d ctrl+alt",
                                        "-Alt_L ctrl+alt", "-Control_L ctrl"));
  EXPECT_TRUE(CaptionBecomes("D - 68")) << Caption();
}

TEST_P(KeyboardKeysTest, TheExtendLayoutAndALoadedLayoutTypeTheirKeys) {
  EXPECT_THAT(Click(15, 0), IsEmpty());  // BEGINEXTEND
  EXPECT_THAT(Click(1, 2), ElementsAre("+x", "-x"));
  EXPECT_THAT(Click(2, 0), IsEmpty());  // CANCELEXTEND
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));

  EXPECT_THAT(Click(16, 0), IsEmpty());  // LOADINI Second
  EXPECT_THAT(Click(1, 2), ElementsAre("+z", "-z"));
  EXPECT_TRUE(CaptionBecomes("Z - 90")) << Caption();
}

// The keymap and its group change while the keyboard runs: the buttons go on
// typing what they show.
TEST_P(KeyboardKeysTest, KeysFollowTheKeymapAndItsGroupWhileRunning) {
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
  EXPECT_THAT(Click(13, 2), ElementsAre("+Eacute", "-Eacute"));
  int status = -1;
  RunAndCapture({.argv = {"setxkbmap", "de"}, .env = Env()}, std::chrono::seconds(10), &status);
  if (status != 0) GTEST_SKIP() << "setxkbmap de is not available";
  EXPECT_THAT(Click(3, 4), ElementsAre("+Shift_L", "+less shift", "-less shift", "-Shift_L shift"));
  EXPECT_THAT(Click(13, 2), ElementsAre("+Eacute", "-Eacute"));

  RunAndCapture({.argv = {"setxkbmap", "-layout", "us,ru"}, .env = Env()}, std::chrono::seconds(10),
                &status);
  if (status != 0) GTEST_SKIP() << "setxkbmap us,ru is not available";
  XkbLockGroup(display(), XkbUseCoreKbd, 1);
  XSync(display(), False);
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
  EXPECT_THAT(Click(2, 2), ElementsAre("+comma", "-comma"));
  EXPECT_THAT(Click(13, 2), ElementsAre("+Eacute", "-Eacute"));
  XkbLockGroup(display(), XkbUseCoreKbd, 0);
  XSync(display(), False);
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
}

// A keyboard killed in the middle of a burst of Ctrl+Alt keys may leave
// modifiers down; the next one releases them, and says so.
TEST_P(KeyboardKeysTest, ANewStartReleasesModifiersAKilledKeyboardLeftDown) {
  const ScreenPoint ctrl_alt_d = keyboard_->CellCentre(12);
  // Each click sends the pointer home: move it back every time.
  std::vector<std::string> clicks{"xdotool"};
  for (int i = 0; i < 100; ++i) {
    clicks.insert(clicks.end(), {"mousemove", std::to_string(ctrl_alt_d.x),
                                 std::to_string(ctrl_alt_d.y), "click", "1"});
  }
  ChildProcess burst({.argv = clicks, .env = Env()});
  ASSERT_TRUE(recorder_->WaitForKeys(recorder_->Keys().size() + 20));
  kill(keyboard_->process().pid(), SIGKILL);
  burst.Stop();
  // Whatever the burst left down, a Shift is surely down.
  XTestFakeKeyEvent(display(), XKeysymToKeycode(display(), XK_Shift_L), True, CurrentTime);
  XSync(display(), False);
  ASSERT_TRUE(WaitUntil([&] { return x11_test::FindWindows(display(), "Plinth").empty(); }));

  keyboard_ = std::make_unique<x11_test::KeyboardProgram>(
      session, x11_test::LayoutFiles{{"Default", kLayout}, {"Extend", kExtendLayout}});
  ASSERT_TRUE(keyboard_->WaitForWindow()) << keyboard_->StandardError();
  EXPECT_TRUE(WaitUntil([&] { return HeldKeys(display()).empty(); })) << HeldKeys(display()).size();
  EXPECT_THAT(keyboard_->StandardError(), ::testing::HasSubstr("Shift"));
  EXPECT_THAT(Click(1, 2), ElementsAre("+a", "-a"));
}

PLINTH_ON_EVERY_DISPLAY(KeyboardKeysTest);

}  // namespace
}  // namespace plinth::e2e
