// Switch scanning on a headless sway: the compositor binds the switch keys
// and runs `plinth --switch step` or `plinth --switch choose`, whose press
// the running keyboard takes as the key's. The presses type into the
// application with the focus and arm Shift through its panel; once a SCAN
// button stops scanning, a press is answered and ignored. Through a real
// binding the key reaches the keyboard and not the application.

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "tests/wayland/support/keyboard_fixture.h"
#include "tests/x11/support/display_tools.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;

// Row 1: h (H on the Shift layer) and i; row 2: SCAN; row 4: the panels.
constexpr const char* kLayout =
    "[Configuration]\r\nScan=STEP\r\nStepKey=F11\r\nSwitchKey=F12\r\n"
    "[Button1]\r\nCaption=h\r\n[ShiftButton1]\r\nCaption=H\r\nShifted=1\r\n"
    "[Button2]\r\nCaption=i\r\n"
    "[Button8]\r\nType=ACTION\r\nCaption=Scan\r\nHandler=DEFAULT\r\nAction=SCAN\r\n";

class WaylandScanTest : public WaylandKeyboardTest {
 protected:
  // Runs `plinth --switch which` in the session, as a compositor's binding
  // does, once the bounce time has passed since the last; its standard
  // error, and its exit status in `status`.
  std::string Switch(const std::string& which, int* status) const {
    std::this_thread::sleep_for(150ms);
    auto env = session_->ClientEnvironment();
    env["DISPLAY"] = "";
    return RunPlinth({"--switch", which}, env, status);
  }
  // Switch, expecting the keyboard to take the press.
  bool Press(const std::string& which) const {
    int status = -1;
    const std::string errors = Switch(which, &status);
    EXPECT_EQ(errors, "") << which;
    return status == 0 && errors.empty();
  }
};

TEST_F(WaylandScanTest, SwitchPressesThroughTheCompositorTypeAndArmShift) {
  // Before any keyboard runs: what a switch press, or a wrong word, gets.
  struct Refusal {
    std::vector<std::string> args;
    int status;
    const char* said;
  };
  auto env = session_->ClientEnvironment();
  env["DISPLAY"] = "";
  for (const Refusal& refusal : {Refusal{{"--switch", "choose"}, 1, "no keyboard is running"},
                                 Refusal{{"--switch", "press"}, 2, "\"choose\" or \"step\""},
                                 Refusal{{"--switch"}, 2, "\"choose\" or \"step\""}}) {
    int status = -1;
    const std::string errors = RunPlinth(refusal.args, env, &status);
    EXPECT_EQ(status, refusal.status) << errors;
    EXPECT_NE(errors.find(refusal.said), std::string::npos) << errors;
  }

  Start({{"Default", kLayout}});
  // Rows 1, 2 and 4 are in use: two steps to the centre row, whose first
  // stop is the Shift panel; then h and i in row 1.
  for (const char* which : {"step", "step", "choose", "choose", "choose", "choose"}) {
    ASSERT_TRUE(Press(which));
  }
  ASSERT_EQ(recorder_->WaitForText("H"), "H") << keyboard_->StandardError();
  for (const char* which : {"choose", "step", "choose"}) ASSERT_TRUE(Press(which));
  ASSERT_EQ(recorder_->WaitForText("Hi"), "Hi");
  EXPECT_EQ(PressesWithModifiers(EventsSinceStart()),
            (std::vector<std::string>{"Shift_L", "H+Shift", "i"}));
  ExpectNoModifierLeft();

  // SCAN stops scanning: a press is then answered and ignored.
  for (const char* which : {"step", "choose", "choose"}) ASSERT_TRUE(Press(which));
  int status = -1;
  const std::string ignored = Switch("choose", &status);
  EXPECT_EQ(status, 0);
  EXPECT_NE(ignored.find("is not scanning; the switch press is ignored"), std::string::npos)
      << ignored;
  EXPECT_EQ(recorder_->WaitForText("Hi", 300ms), "Hi");
}

TEST_F(WaylandScanTest, AKeyBoundInTheCompositorReachesTheKeyboardAndNotTheApplication) {
  // sway runs a binding's command as its own user, here not the tests': a
  // copy of plinth it may run, and the keyboard's socket open to it. In a
  // session of one user neither is needed.
  const std::filesystem::path plinth = session_->runtime_directory() / "plinth";
  std::filesystem::copy_file(PLINTH_BINARY, plinth);
  if (const passwd* user = getuid() == 0 ? getpwnam(kSwayUser) : nullptr) {
    ASSERT_EQ(chown(plinth.c_str(), user->pw_uid, user->pw_gid), 0);
  }
  Start({{"Default", kLayout}});
  ASSERT_EQ(chmod(KeyboardSocketPath(*session_).c_str(), 0666), 0);
  for (const auto& [key, which] : {std::pair{"F11", "step"}, std::pair{"F12", "choose"}}) {
    int status = -1;
    // One argument, so that swaymsg does not read --no-repeat as its own.
    const std::string output =
        session_->Swaymsg({std::string("bindsym --no-repeat ") + key + " exec " + plinth.string() +
                           " --switch " + which},
                          &status);
    ASSERT_EQ(status, 0) << output;
  }

  // Row 1 chosen, then its first button.
  for (int press = 0; press < 2; ++press) {
    std::this_thread::sleep_for(150ms);
    auto typing =
        ChildOptions{.argv = {"wtype", "-k", "F12"}, .env = session_->ClientEnvironment()};
    int status = -1;
    test_support::RunAndCapture(typing, 10000ms, &status);
    ASSERT_EQ(status, 0);
  }
  EXPECT_EQ(recorder_->WaitForText("h"), "h") << session_->Log();
  EXPECT_EQ(PressesWithModifiers(EventsSinceStart()), (std::vector<std::string>{"h"}));
}

}  // namespace
}  // namespace plinth::wayland_test
