// The real `plinth` on a headless sway: it types into the application that
// has the focus, which keeps it throughout, with the modifiers in effect as
// a real keyboard's; it returns the pointer home after each click; it
// clicks by dwell; and it leaves no modifier held however it ends.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <optional>

#include "tests/wayland/support/keyboard_fixture.h"
#include "tests/x11/support/display_tools.h"

namespace plinth::wayland_test {
namespace {

using namespace std::chrono_literals;
using Kind = KeyboardEvent::Kind;
using x11_test::KeyLayout;

// A connection to the running keyboard's socket, which sends `bytes`.
class SocketPeer {
 public:
  SocketPeer(const SwaySession& session, const std::string& bytes)
      : fd_(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = KeyboardSocketPath(session).string();
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    connected_ =
        connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
  }
  ~SocketPeer() { close(fd_); }
  SocketPeer(const SocketPeer&) = delete;
  SocketPeer& operator=(const SocketPeer&) = delete;
  bool connected() const { return connected_; }

 private:
  int fd_;
  bool connected_ = false;
};

TEST_F(WaylandKeyboardTest, ClicksTypeIntoTheFocusedApplicationWhichKeepsTheFocus) {
  Start({{"Default", KeyLayout({{1, "p"}, {2, "l"}, {9, "1"}, {10, ";"}})}});
  for (const int cell : {1, 2, 9, 10}) ClickCell(cell);
  EXPECT_EQ(recorder_->WaitForText("pl1;"), "pl1;") << recorder_->Log();
  EXPECT_EQ(PressesWithModifiers(EventsSinceStart()),
            (std::vector<std::string>{"p", "l", "1", "semicolon"}));
  ExpectFocusKept();
  ExpectNoModifierLeft();
}

TEST_F(WaylandKeyboardTest, ShiftPanelTypesTheShiftedKeyWithShiftInEffect) {
  Start({{"Default", KeyLayout({{1, "a"}, {2, "7"}}) + kShiftLayer}});
  ClickAt(keyboard_->ShiftPanel());
  ClickCell(1);
  ClickAt(keyboard_->ShiftPanel());
  ClickCell(2);
  EXPECT_EQ(recorder_->WaitForText("A&"), "A&") << recorder_->Log();
  EXPECT_EQ(PressesWithModifiers(EventsSinceStart()),
            (std::vector<std::string>{"Shift_L", "A+Shift", "Shift_L", "ampersand+Shift"}));
  ExpectFocusKept();
  ExpectNoModifierLeft();
}

TEST_F(WaylandKeyboardTest, CharactersOutsideTheUsKeymapTypeByKeysOfTheirOwn) {
  // Layout files are Windows-1252: é, ß, the euro sign.
  Start({{"Default", KeyLayout({{1, "\xE9"}, {2, "\xDF"}, {3, "\x80"}})}});
  for (const int cell : {1, 2, 3}) ClickCell(cell);
  EXPECT_EQ(recorder_->WaitForText("\xC3\xA9\xC3\x9F\xE2\x82\xAC"), "\xC3\xA9\xC3\x9F\xE2\x82\xAC")
      << recorder_->Log();
  ExpectFocusKept();
}

TEST_F(WaylandKeyboardTest, CtrlToggleGoesOutAsControlInEffectForTheNextKeyOnly) {
  Start({{"Default",
          Buttons({{1, "Type=CTRLTOGGLE\r\nCaption=Ctrl"}, {2, "Type=KEY\r\nCaption=v"}})}});
  ClickCell(1);
  ClickCell(2);
  ClickCell(2);
  // The Ctrl key's own press comes before the state it sets, as from a
  // real keyboard.
  EXPECT_EQ(recorder_->WaitForText("\x16v"), "\x16v") << recorder_->Log();
  EXPECT_EQ(PressesWithModifiers(EventsSinceStart()),
            (std::vector<std::string>{"Control_L", "v+Control", "v"}));
  ExpectNoModifierLeft();
}

TEST_F(WaylandKeyboardTest, TerminateEndsTheKeyboardWithNothingHeld) {
  Start({{"Default", Buttons({{1,
                               "Type=ACTION\r\nHandler=EXTEND\r\nAction=TERMINATE"
                               "\r\nCaption=End"}})}});
  ClickCell(1);
  EXPECT_EQ(keyboard_->process().WaitForExit(10s), 0) << keyboard_->StandardError();
  ExpectFocusKept();
  ExpectNoModifierLeft();
}

TEST_F(WaylandKeyboardTest, SignalEndsTheKeyboardCleanly) {
  Start({{"Default", KeyLayout({{1, "a"}})}});
  kill(keyboard_->process().pid(), SIGTERM);
  EXPECT_EQ(keyboard_->process().WaitForExit(10s), 0) << keyboard_->StandardError();
  ExpectNoModifierLeft();
}

TEST_F(WaylandKeyboardTest, PointerReturnsHomeAfterEachClick) {
  Start({{"Default", KeyLayout({{1, "a"}, {2, "b"}}) + kShiftLayer}});
  ClickCell(1);
  EXPECT_EQ(recorder_->WaitForText("a"), "a") << recorder_->Log();
  // Pressed again where the pointer now is: home is the Shift panel.
  session_->PressButton();
  session_->ReleaseButton();
  ClickCell(2);
  EXPECT_EQ(recorder_->WaitForText("a&"), "a&") << recorder_->Log();
}

TEST_F(WaylandKeyboardTest, ARestOnAButtonClicksItOnce) {
  Start({{"Default", "[Configuration]\r\nDwellTime=300\r\n\r\n" + KeyLayout({{1, "d"}})}});
  const platform::Point at = keyboard_->CellCentre(1);
  session_->MovePointer(at.x, at.y);
  EXPECT_EQ(recorder_->WaitForText("d"), "d") << recorder_->Log();
  // The pointer went home, where resting clicks nothing.
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(TypedText(recorder_->Events()), "d");
  ExpectFocusKept();
}

TEST_F(WaylandKeyboardTest, AButtonHeldPastTheDwellTimeClicksOnlyOnItsRelease) {
  Start(
      {{"Default", "[Configuration]\r\nDwellTime=300\r\n\r\n" + KeyLayout({{1, "a"}, {2, "b"}})}});
  const platform::Point first = keyboard_->CellCentre(1);
  session_->MovePointer(first.x, first.y);
  session_->PressButton();
  std::this_thread::sleep_for(700ms);
  EXPECT_EQ(TypedText(recorder_->Events()), "") << "no dwell click while the button is held";
  session_->ReleaseButton();
  EXPECT_EQ(recorder_->WaitForText("a"), "a") << recorder_->Log();
  // The button is up again: a rest clicks.
  const platform::Point second = keyboard_->CellCentre(2);
  session_->MovePointer(second.x, second.y);
  EXPECT_EQ(recorder_->WaitForText("ab"), "ab") << recorder_->Log();
}

TEST_F(WaylandKeyboardTest, ASecondStartShowsTheRunningKeyboardAndEndsWell) {
  Start({{"Default", KeyLayout({{1, "a"}})}});
  // Peers that say nothing, or nonsense, hold up no start.
  const SocketPeer silent(*session_, "");
  const SocketPeer garbage(*session_, std::string(200, '\xFF'));
  ASSERT_TRUE(silent.connected() && garbage.connected());
  WaylandKeyboard second(*session_, {{"Default", KeyLayout({{1, "b"}})}, {"Extend", ""}});
  EXPECT_EQ(second.process().WaitForExit(10s), 0) << second.StandardError();
  // Said only once the running keyboard answered.
  EXPECT_NE(second.StandardError().find("showed the keyboard already running"), std::string::npos)
      << second.StandardError();
  EXPECT_TRUE(keyboard_->process().Running());
  ClickCell(1);
  EXPECT_EQ(recorder_->WaitForText("a"), "a") << recorder_->Log();
}

}  // namespace
}  // namespace plinth::wayland_test
