// A storm of clicks on the real keyboard, sent through XTest as fast as the
// X connection takes them, over key buttons, the Ctrl and Alt toggles, an
// empty button and both centre panels. Every layer of the layout types the
// same keys, so that the keys do not hang on how the panels take clicks
// that come faster than a hand could give them (their states are other
// tests' matter). A model of the keyboard says which keys must arrive; the recording client must
// receive exactly those, in order, with their modifiers. Afterwards no key is held in the server,
// the keyboard's memory has not grown, and it still answers a click.
//
// PLINTH_STORM_CLICKS sets the number of clicks (default 2000).

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/held_keys.h"
#include "tests/e2e/recorder_log.h"
#include "tests/e2e/x_server.h"
#include "tests/stress/recorded_keyboard.h"
#include "tests/stress/storm_support.h"
#include "tests/x11/support/display_tools.h"
#include "tests/x11/support/keyboard_program.h"
#include "tests/x11/support/x_session.h"

namespace plinth::stress {
namespace {

using ::testing::IsEmpty;

// Every button keeps the pointer where it is (HomeButton=-1): the storm's
// next click must not race the keyboard's pointer return. The Shift and Ext
// layers take their buttons from the base layer (one-letter captions in
// upper case, which types the same key).
constexpr const char* kStormLayout =
    "[Button1]\r\nCaption=a\r\nHomeButton=-1\r\n"
    "[Button2]\r\nCaption=b\r\nHomeButton=-1\r\n"
    "[Button3]\r\nCaption=1\r\nHomeButton=-1\r\n"
    "[Button4]\r\nType=VIRTUALKEY\r\nKeyString=ENTER\r\nCaption=Ent\r\nHomeButton=-1\r\n"
    "[Button5]\r\nType=CTRLTOGGLE\r\nCaption=Ctrl\r\nHomeButton=-1\r\n"
    "[Button6]\r\nType=ALTTOGGLE\r\nCaption=Alt\r\nHomeButton=-1\r\n"
    "[Button7]\r\nType=KEY\r\nHomeButton=-1\r\n";

enum class Target { Cell1, Cell2, Cell3, Cell4, CtrlToggle, AltToggle, EmptyCell, Shift, Extend };

// What the keyboard does with each click, as far as the keys it sends go.
class KeyboardModel {
 public:
  // Adds the key events the click must cause, as recorder summaries with
  // the modifier keys left out, and counts the modifier events.
  void Click(Target target, std::vector<std::string>& keys, std::size_t& modifier_events) {
    switch (target) {
      case Target::CtrlToggle:
        ctrl_ = !ctrl_;
        return;
      case Target::AltToggle:
        alt_ = !alt_;
        return;
      case Target::EmptyCell:  // nothing to type: the toggles stay armed
      case Target::Shift:
      case Target::Extend:
        return;
      default:
        break;
    }
    std::string modifiers;
    const auto add = [&modifiers](bool on, const char* name) {
      if (!on) return;
      modifiers += modifiers.empty() ? " " : "+";
      modifiers += name;
    };
    add(ctrl_, "ctrl");
    add(alt_, "alt");
    const char* keysym = target == Target::Cell1   ? "a"
                         : target == Target::Cell2 ? "b"
                         : target == Target::Cell3 ? "1"
                                                   : "Return";
    keys.push_back(std::string("+") + keysym + modifiers);
    keys.push_back(std::string("-") + keysym + modifiers);
    modifier_events += 2 * static_cast<std::size_t>(ctrl_ + alt_);
    ctrl_ = alt_ = false;
  }

 private:
  bool ctrl_ = false;
  bool alt_ = false;
};

// Where two key lists part, with a few keys of context, for a failure.
std::string FirstDifference(const std::vector<std::string>& got,
                            const std::vector<std::string>& expected) {
  std::size_t at = 0;
  while (at < got.size() && at < expected.size() && got[at] == expected[at]) ++at;
  if (at == got.size() && at == expected.size()) return "none";
  std::string text = "at key " + std::to_string(at) + ":";
  const std::size_t from = at > 6 ? at - 6 : 0;
  for (const auto* list : {&got, &expected}) {
    text += list == &got ? "\n  got:     " : "\n  expected:";
    for (std::size_t i = from; i < at + 6 && i < list->size(); ++i) text += " " + (*list)[i];
  }
  return text;
}

bool IsModifierKey(const std::string& summary) {
  const std::string keysym = summary.substr(1, summary.find(' ') - 1);
  for (const char* prefix : {"Shift_", "Control_", "Alt_", "Meta_"}) {
    if (keysym.starts_with(prefix)) return true;
  }
  return false;
}

std::size_t StormClicks() {
  const char* text = std::getenv("PLINTH_STORM_CLICKS");
  return text != nullptr ? static_cast<std::size_t>(std::strtoul(text, nullptr, 10)) : 2000;
}

class ClickStormTest : public RecordedKeyboard<::testing::Test> {
 protected:
  void SetUp() override { StartRecorderAndKeyboard(kStormLayout); }

  ScreenPoint PointOf(Target target) {
    switch (target) {
      case Target::Shift:
        return ShiftPanelPoint(*keyboard_, shift_turn_++);
      case Target::Extend:
        return ExtendPanelPoint(*keyboard_, extend_turn_++);
      case Target::CtrlToggle:
        return keyboard_->CellCentre(5);
      case Target::AltToggle:
        return keyboard_->CellCentre(6);
      case Target::EmptyCell:
        return keyboard_->CellCentre(7);
      default:
        return keyboard_->CellCentre(static_cast<int>(target) + 1);
    }
  }

  // Sends `count` clicks chosen at random (with a fixed seed) without
  // waiting for the keyboard, and waits until every key has arrived.
  void Storm(std::size_t count) {
    std::uniform_int_distribution<int> pick(0, 19);
    for (std::size_t click = 0; click < count; ++click) {
      const int roll = pick(random_);
      const Target target = roll < 12   ? static_cast<Target>(roll % 4)
                            : roll < 14 ? Target::CtrlToggle
                            : roll < 15 ? Target::AltToggle
                            : roll < 16 ? Target::EmptyCell
                            : roll < 18 ? Target::Shift
                                        : Target::Extend;
      Send(target);
      if ((click + 1) % kBurst == 0) WaitForExpectedKeys();
    }
    WaitForExpectedKeys();
  }

  // Clicks go out in bursts of this many, each taken in full before the
  // next: the keyboard's input backlog stays bounded, so that memory that
  // grows with the number of clicks shows as growth, not as a backlog.
  static constexpr std::size_t kBurst = 250;

  void Send(Target target) {
    model_.Click(target, expected_keys_, expected_modifier_events_);
    FastClick(session_.display(), PointOf(target));
  }

  void WaitForExpectedKeys() {
    XSync(session_.display(), False);
    const std::size_t total = expected_keys_.size() + expected_modifier_events_;
    EXPECT_TRUE(recorder_->WaitForKeys(total, std::chrono::seconds(30)))
        << "expected " << total << " key events, got " << recorder_->Keys().size();
  }

  std::vector<std::string> ArrivedKeys(std::size_t& modifier_events) const {
    std::vector<std::string> keys;
    modifier_events = 0;
    for (const std::string& summary : recorder_->Summaries()) {
      if (IsModifierKey(summary)) {
        ++modifier_events;
      } else {
        keys.push_back(summary);
      }
    }
    return keys;
  }

  KeyboardModel model_;
  std::mt19937 random_{7};
  std::size_t shift_turn_ = 0;
  std::size_t extend_turn_ = 0;
  std::vector<std::string> expected_keys_;
  std::size_t expected_modifier_events_ = 0;
};

TEST_F(ClickStormTest, EveryKeyArrivesOnceInOrderAndNothingIsLeftHeldOrGrows) {
  const pid_t pid = keyboard_->process().pid();
  Storm(200);  // warms up fonts, caches and the keymap
  const std::optional<long> before = MemoryKilobytes(pid, "VmRSS");
  const std::optional<long> peak_before = MemoryKilobytes(pid, "VmHWM");
  ASSERT_TRUE(before && peak_before);

  Storm(StormClicks());

  std::size_t modifier_events = 0;
  const std::vector<std::string> keys = ArrivedKeys(modifier_events);
  EXPECT_TRUE(keys == expected_keys_) << FirstDifference(keys, expected_keys_);
  EXPECT_EQ(modifier_events, expected_modifier_events_);
  EXPECT_THAT(e2e::HeldKeys(session_.display()), IsEmpty()) << "a key was left held down";
  EXPECT_FALSE(recorder_->LostFocus());

  const std::optional<long> after = MemoryKilobytes(pid, "VmRSS");
  const std::optional<long> peak_after = MemoryKilobytes(pid, "VmHWM");
  ASSERT_TRUE(after && peak_after) << "the keyboard is gone";
  // One line for bench/run-all.sh.
  std::cout << "storm memory kB: rss_start=" << *before << " rss_after=" << *after
            << " peak_start=" << *peak_before << " peak_after=" << *peak_after << "\n";
  constexpr long kSlackKilobytes = 1024;
  EXPECT_LE(*after - *before, kSlackKilobytes);

  // Still answering: a key (which leaves the base layer on show), then "b"
  // and the caption that reports it.
  Send(Target::Cell1);
  Send(Target::Cell2);
  WaitForExpectedKeys();
  const std::vector<std::string> last_keys = ArrivedKeys(modifier_events);
  EXPECT_TRUE(last_keys == expected_keys_) << FirstDifference(last_keys, expected_keys_);
  EXPECT_TRUE(x11_test::WaitUntil([&] {
    return x11_test::WindowTitle(session_.display(), keyboard_->window()) == "B - 66";
  })) << x11_test::WindowTitle(session_.display(), keyboard_->window());
}

}  // namespace
}  // namespace plinth::stress
