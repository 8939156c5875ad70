// The key-text path of a key button: a fuzzed record (type, caption, key
// string, modifier words and flags) in one cell, the modifier states armed
// or not, and possibly one key event refused by the system; then one click.
// The recorded events must be one whole keystroke (or, after a refusal,
// leave nothing held), the caption must show the upper-cased key text and
// the code that was sent, an unknown key must give "Invalid Vkey", and the
// one-shot toggles must be disarmed afterwards (a character key without
// text types nothing and leaves everything as it was).

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "platform/common/windows1252.h"
#include "platform/form_design.h"
#include "platform/testing/test_keyboard.h"
#include "src/postkeys/key_names.h"
#include "src/postkeys/post_keys.h"

namespace {

using plinth::TButtonRec;
using plinth::fuzz::Check;
using plinth::test_platform::KeyEvent;
using plinth::test_platform::TestKeyboard;

constexpr std::array<const char*, 6> kTypes = {"KEY",        "VIRTUALKEY", "CURSORKEY",
                                               "virtualkey", "Key",        "cursorKey"};
constexpr std::array<const char*, 6> kActionWords = {"", "CTRL", "ALT", "CTRLALT", "ctrlalt", "x"};

bool IsUp(const KeyEvent& event) { return (event.flags & plinth::platform::kKeyEventKeyUp) != 0; }

bool Contains(const std::vector<KeyEvent>& events, std::uint16_t code) {
  for (const KeyEvent& event : events) {
    if (event.code == code && !IsUp(event)) return true;
  }
  return false;
}

// Without refusals: one whole keystroke carrying at least the modifiers the
// record and the armed states ask for, its key the code the caption shows.
void CheckStroke(const std::vector<KeyEvent>& events, std::uint16_t code, bool shift, bool ctrl,
                 bool alt) {
  plinth::fuzz::CheckKeyStroke(events);
  Check(!events.empty(), "a known key sent nothing");
  const std::size_t modifiers = (events.size() - 2) / 2;
  Check(events[modifiers].code == code, "the key sent is not the code the caption shows");
  Check(!shift || Contains(events, plinth::kVkShift), "Shift asked for but not sent");
  Check(!ctrl || Contains(events, plinth::kVkControl), "Ctrl asked for but not sent");
  Check(!alt || Contains(events, plinth::kVkMenu), "Alt asked for but not sent");
}

// With the `refused`-th event refused by the system: every key that went
// down is sent up again, in reverse order, and a refused key-down sends
// nothing more but those key-ups.
void CheckRefusal(const std::vector<KeyEvent>& events, std::size_t refused) {
  std::vector<std::uint16_t> down;
  bool down_refused = false;
  for (std::size_t i = 0; i < events.size(); ++i) {
    if (IsUp(events[i])) {
      Check(!down.empty() && down.back() == events[i].code, "a key-up out of order");
      down.pop_back();
      continue;
    }
    Check(!down_refused, "a key went down after a refused key-down");
    if (i + 1 == refused) {
      down_refused = true;
    } else {
      down.push_back(events[i].code);
    }
  }
  Check(down.empty(), "a key that went down was never sent up");
}

plinth::TForm1& CreateEmptyKeyboard(TestKeyboard& keyboard) {
  keyboard.PutLayout("Default", "");
  keyboard.PutLayout("Extend", "");
  return keyboard.Create();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  TButtonRec rec;
  rec.Type = input.PickValueInArray(kTypes);
  rec.Action = input.PickValueInArray(kActionWords);
  rec.Shifted = input.ConsumeBool();
  rec.Control = input.ConsumeBool();
  const bool selecting = input.ConsumeBool();
  const bool ctrl_toggle = input.ConsumeBool();
  const bool alt_toggle = input.ConsumeBool();
  const auto refused = input.ConsumeIntegralInRange<std::size_t>(0, 8);  // 0: none
  int cell = input.ConsumeIntegralInRange(1, plinth::kCellCount);
  if (cell == plinth::platform::design::kCentreCell) cell = 1;
  rec.KeyString = input.ConsumeRandomLengthString(plinth::platform::Profile::kMaxValueLength);
  rec.Caption = input.ConsumeRemainingBytesAsString();
  if (rec.Caption.size() > plinth::platform::Profile::kMaxValueLength) {
    rec.Caption.resize(plinth::platform::Profile::kMaxValueLength);
  }

  // One keyboard for every input: creating one costs far more than a
  // click. Each input puts its record into an empty layout and clears what
  // the last one left.
  static TestKeyboard keyboard;
  static plinth::TForm1& form = CreateEmptyKeyboard(keyboard);
  keyboard.window.ClearDialogs();
  form.MainTable = plinth::TButtonArray();
  form.MainTable.at(0, cell) = rec;
  form.Flags.Selecting = selecting;
  form.Flags.CtrlToggle = ctrl_toggle;
  form.Flags.AltToggle = alt_toggle;
  form.RefreshKeyboard(false);
  // A fresh injector: it counts the events to refuse from its start.
  keyboard.keys = plinth::test_platform::RecordingKeyInjector();
  if (refused != 0) keyboard.keys.RefuseEvent(refused);
  const std::string caption_before = keyboard.Caption();
  const std::size_t warnings_before = keyboard.Warnings().size();

  keyboard.Click(cell);

  const std::string upper_type = plinth::platform::Cp1252Upper(rec.Type);
  const bool named = upper_type != "KEY";
  const std::string key_text =
      plinth::platform::Cp1252Upper(rec.KeyString.empty() ? rec.Caption : rec.KeyString);
  plinth::fuzz::CheckKeyboard(keyboard);
  const std::vector<KeyEvent> events = keyboard.TakeKeys();

  // A character key without text has nothing to type and changes nothing.
  if (!named && key_text.empty()) {
    Check(events.empty() && keyboard.Caption() == caption_before, "an empty key did something");
    Check(form.Flags.CtrlToggle == ctrl_toggle && form.Flags.AltToggle == alt_toggle,
          "an empty key disarmed a toggle");
    return 0;
  }
  Check(!form.Flags.CtrlToggle && !form.Flags.AltToggle, "a one-shot toggle is still armed");
  const std::string prefix = key_text + " - ";
  Check(keyboard.Caption().starts_with(prefix), "the caption does not show the key text");
  const std::string_view digits = std::string_view(keyboard.Caption()).substr(prefix.size());
  unsigned code = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), code);
  Check(error == std::errc() && end == digits.data() + digits.size() && code <= 0xFFFF,
        "the caption does not end in the key code");

  const std::vector<std::string> warnings = keyboard.Warnings();
  if (code == plinth::NotFoundKey) {
    Check(events.empty(), "an unknown key sent events");
    Check(warnings.size() == warnings_before + 1 &&
              warnings.back() == "Error - Invalid Vkey " + key_text,
          "an unknown key without its warning");
    return 0;
  }
  Check(warnings.size() == warnings_before, "a known key gave a warning");
  if (refused != 0) {
    CheckRefusal(events, refused);
    return 0;
  }
  const bool cursor = upper_type == "CURSORKEY";
  const std::string action = plinth::platform::Cp1252Upper(rec.Action);
  CheckStroke(events, static_cast<std::uint16_t>(code), selecting || (!cursor && rec.Shifted),
              ctrl_toggle || rec.Control || action == "CTRL" || action == "CTRLALT",
              alt_toggle || action == "ALT" || action == "CTRLALT");
  return 0;
}
