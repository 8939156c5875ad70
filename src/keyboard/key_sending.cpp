// Key buttons and the modifier states armed by clicks: the one-shot Ctrl
// and Alt toggles and selecting mode.

#include "platform/form_design.h"
#include "src/keyboard/button_key.h"
#include "src/keyboard/form.h"
#include "src/layout/profile_values.h"
#include "src/postkeys/key_names.h"
#include "src/postkeys/post_keys.h"
#include "src/words/sent_key.h"

namespace plinth {
namespace {

using platform::FontColour;

FontColour ColourFor(bool armed) { return armed ? FontColour::Purple : FontColour::WindowText; }

}  // namespace

bool TForm1::SendButtonKey(int cell, bool named, bool shifted, bool control) {
  const TButtonRec rec = ShownRecord(cell);
  const std::string& written = WrittenText(rec);
  std::string key_text = written;
  services_.text.CharUpperBuff(key_text);

  // A character key without any text has nothing to type.
  if (!named && key_text.empty()) return true;

  const ButtonKey button = KeyOfButton(rec, key_text, named);
  ModifierSet modifiers = button.modifiers;
  if (shifted || Flags.Selecting) modifiers |= kModShift;
  if (control || Flags.CtrlToggle) modifiers |= kModCtrl;
  if (Flags.AltToggle) modifiers |= kModAlt;

  std::uint16_t code = button.code;
  if (!named && code == 0) {
    // Any other character is typed as written (an "é" types é, not É) by the
    // key that shows it on the current keyboard layout, with the modifiers
    // that layout needs.
    code = KeyOfCharacter(written.front(), modifiers);
  }

  // The key goes out before the caption changes, so that nothing the
  // window does delays it. A key the keyboard cannot send at this moment
  // (no keycode for it) is reported like an unknown key name.
  const words::SentKey sent_key{code, modifiers, named ? '\0' : written.front()};
  if (code != NotFoundKey && words_.TakesBackSpace(sent_key)) {
    PostKeyStroke(services_.keys, kVkBackSpace, 0);
  }
  const bool sent = code != NotFoundKey && PostKeyStroke(services_.keys, code, modifiers);
  if (sent) words_.KeySent(sent_key);
  ShowStatus(key_text + " - " + std::to_string(code), false);
  if (!sent) ShowError("Invalid Vkey " + key_text);

  SetToggle("ALTTOGGLE", Flags.AltToggle, true);
  SetToggle("CTRLTOGGLE", Flags.CtrlToggle, true);
  RefreshKeyboard(true);
  return true;
}

std::uint16_t TForm1::KeyOfCharacter(char written, ModifierSet& modifiers) {
  const auto key = services_.keys.KeyForCharacter(static_cast<unsigned char>(written));
  if (!key) return NotFoundKey;
  if (key->shift) modifiers |= kModShift;
  if (key->ctrl) modifiers |= kModCtrl;
  if (key->alt) modifiers |= kModAlt;
  return key->code;
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
