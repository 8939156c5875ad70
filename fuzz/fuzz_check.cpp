#include "fuzz/fuzz_check.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/form_design.h"
#include "src/keyboard/button_key.h"
#include "src/postkeys/post_keys.h"

namespace plinth::fuzz {
namespace {

using test_platform::KeyEvent;

bool IsUp(const KeyEvent& event) { return (event.flags & platform::kKeyEventKeyUp) != 0; }

bool IsModifier(std::uint16_t code) { return code >= kVkShift && code <= kVkMenu; }

// Shift, Ctrl, Alt: the order the modifiers go down in.
int ModifierRank(std::uint16_t code) {
  switch (code) {
    case kVkShift:
      return 0;
    case kVkControl:
      return 1;
    default:
      return 2;
  }
}

// The label the cell must show; nothing when any suggestion may stand
// there.
std::optional<std::string> ExpectedLabel(const TForm1& form, int cell) {
  const TButtonRec& rec = form.CurrentTable->at(form.CurrentLayer, cell);
  if (form.menu_item_checked(MenuItemId::ShowAll)) return std::to_string(cell);
  // A WORD button shows its suggestion, nothing before the lists are read.
  if (SuggestionOfButton(rec) != 0) {
    if (form.word_suggestions().following()) return std::nullopt;
    return std::string();
  }
  const std::string& caption = rec.Caption;
  if (caption.empty() && form.menu_item_checked(MenuItemId::Available)) {
    return std::to_string(cell);
  }
  if (form.Flags.CapsLock && caption.size() == 1) return platform::Cp1252Upper(caption);
  return caption;
}

void CheckRecordLengths(const TButtonRec& rec) {
  constexpr std::size_t kMax = platform::Profile::kMaxValueLength;
  bool fits = rec.Type.size() <= kMax && rec.Caption.size() <= kMax &&
              rec.KeyString.size() <= kMax && rec.IconFile.size() <= kMax &&
              rec.Handler.size() <= kMax && rec.Action.size() <= kMax;
  for (const std::string& param : rec.Param) fits = fits && param.size() <= kMax;
  Check(fits, "a text field of a button record is longer than 2047 characters");
}

}  // namespace

void Check(bool condition, std::string_view what) {
  if (condition) return;
  std::fprintf(stderr, "invariant broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

void CheckKeyStroke(const std::vector<KeyEvent>& events) {
  if (events.empty()) return;
  std::size_t at = 0;
  std::vector<std::uint16_t> modifiers;
  while (at < events.size() && !IsUp(events[at]) && IsModifier(events[at].code) &&
         at + 1 < events.size() && !IsUp(events[at + 1])) {
    Check(modifiers.empty() || ModifierRank(modifiers.back()) < ModifierRank(events[at].code),
          "modifiers went down out of the order Shift, Ctrl, Alt");
    modifiers.push_back(events[at].code);
    ++at;
  }
  Check(at + 2 <= events.size(), "a key-down without its key-up");
  const KeyEvent& down = events[at];
  const KeyEvent& up = events[at + 1];
  Check(!IsUp(down) && IsUp(up) && down.code == up.code, "the key did not go down and then up");
  at += 2;
  while (!modifiers.empty()) {
    Check(at < events.size(), "a modifier was left held down");
    Check(IsUp(events[at]) && events[at].code == modifiers.back(),
          "modifiers were not released in reverse order");
    modifiers.pop_back();
    ++at;
  }
  Check(at == events.size(), "more than one keystroke for one click");
}

void CheckKeyboard(test_platform::TestKeyboard& keyboard) {
  const TForm1& form = keyboard.form();
  Check(form.CurrentLayer >= 0 && form.CurrentLayer <= 3, "CurrentLayer is outside 0..3");
  Check(form.CurrentTable == &form.MainTable || form.CurrentTable == &form.ExtendTable,
        "CurrentTable is neither MainTable nor ExtendTable");
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == platform::design::kCentreCell) continue;
    const std::optional<std::string> expected = ExpectedLabel(form, cell);
    Check(!expected || keyboard.Label(cell) == *expected,
          "a button's label breaks the label rules");
  }
}

void CheckTables(const TForm1& form) {
  for (const TButtonArray* table : {&form.MainTable, &form.ExtendTable, &form.DefaultTable}) {
    for (int layer = 0; layer < kLayerCount; ++layer) {
      for (int cell = 1; cell <= kCellCount; ++cell) CheckRecordLengths(table->at(layer, cell));
    }
  }
}

}  // namespace plinth::fuzz
