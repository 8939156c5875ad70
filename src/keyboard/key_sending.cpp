// Key buttons and the modifier states armed by clicks: the one-shot Ctrl
// and Alt toggles and selecting mode.

#include "platform/form_design.h"
#include "src/keyboard/form.h"
#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"
#include "src/postkeys/post_keys.h"

namespace plinth {
namespace {

using platform::FontColour;

ModifierSet ModifiersOfActionWord(std::string_view action) {
  const std::string word = AsciiUpper(action);
  if (word == "CTRL") return kModCtrl;
  if (word == "ALT") return kModAlt;
  if (word == "CTRLALT") return kModCtrl | kModAlt;
  return 0;
}

// Letters, digits and the space are their own virtual-key codes.
bool IsOwnVirtualKey(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

FontColour ColourFor(bool armed) { return armed ? FontColour::Purple : FontColour::WindowText; }

}  // namespace

bool TForm1::SendButtonKey(int cell, bool named, bool shifted, bool control) {
  const TButtonRec rec = ShownRecord(cell);
  const std::string& written = rec.KeyString.empty() ? rec.Caption : rec.KeyString;
  std::string key_text = written;
  services_.text.CharUpperBuff(key_text);

  // A character key without any text has nothing to type.
  if (!named && key_text.empty()) return true;

  ModifierSet modifiers = ModifiersOfActionWord(rec.Action);
  if (shifted || Flags.Selecting) modifiers |= kModShift;
  if (control || Flags.CtrlToggle) modifiers |= kModCtrl;
  if (Flags.AltToggle) modifiers |= kModAlt;

  std::uint16_t code = NotFoundKey;
  if (named) {
    code = LookupKeyName(std::string_view(key_text).substr(0, kMaxKeyNameLength));
  } else if (const auto first = static_cast<unsigned char>(key_text.front());
             IsOwnVirtualKey(first)) {
    code = first;
  } else if (const auto key =
                 services_.keys.KeyForCharacter(static_cast<unsigned char>(written.front()))) {
    // Any other character is typed as written (an "é" types é, not É) by the
    // key that shows it on the current keyboard layout, with the modifiers
    // that layout needs.
    code = key->code;
    if (key->shift) modifiers |= kModShift;
    if (key->ctrl) modifiers |= kModCtrl;
    if (key->alt) modifiers |= kModAlt;
  }

  // The key goes out before the caption changes, so that nothing the
  // window does delays it. A key the keyboard cannot send at this moment
  // (no keycode for it) is reported like an unknown key name.
  const bool sent = code != NotFoundKey && PostKeyStroke(services_.keys, code, modifiers);
  ShowStatus(key_text + " - " + std::to_string(code), false);
  if (!sent) ShowError("Invalid Vkey " + key_text);

  SetToggle("ALTTOGGLE", Flags.AltToggle, true);
  SetToggle("CTRLTOGGLE", Flags.CtrlToggle, true);
  RefreshKeyboard(true);
  return true;
}

bool TForm1::SetToggle(std::string_view type_name, bool& flag, bool reset) {
  const bool was = flag;
  flag = reset ? false : !flag;
  const FontColour colour = ColourFor(flag);
  for (int cell = 1; cell <= kCellCount; ++cell) {
    if (cell == platform::design::kCentreCell) continue;
    if (IsAsciiUpperOf(ShownRecord(cell).Type, type_name)) {
      window_.SetButtonFontColour(cell, colour);
    }
  }
  // The looks follow the flag; after each key both toggles are reset,
  // mostly from off to off, and the refresh that follows shows them anyway.
  if (flag != was) ShowButtonStates();
  return true;
}

bool TForm1::ToggleSelecting(int cell) {
  Flags.Selecting = !Flags.Selecting;
  ShowStatus(Flags.Selecting ? "Selecting" : "", true);
  if (cell != platform::design::kCentreCell) {
    window_.SetButtonFontColour(cell, ColourFor(Flags.Selecting));
  }
  ShowButtonStates();
  return true;
}

}  // namespace plinth
