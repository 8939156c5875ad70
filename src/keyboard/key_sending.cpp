// Key buttons and the modifier states armed by clicks: the one-shot Ctrl
// and Alt toggles and selecting mode.

#include <utility>

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

std::optional<TForm1::ButtonStroke> TForm1::StrokeOfButton(int cell, const KeyClick& click) {
  const TButtonRec& rec = ShownRecord(cell);
  const std::string& written = WrittenText(rec);
  ButtonStroke stroke;
  stroke.key_text = written;
  services_.text.CharUpperBuff(stroke.key_text);

  // A character key without any text has nothing to type.
  if (!click.named && stroke.key_text.empty()) return std::nullopt;

  const ButtonKey button = KeyOfButton(rec, stroke.key_text, click.named);
  stroke.modifiers = button.modifiers;
  if (click.shifted || Flags.Selecting) stroke.modifiers |= kModShift;
  if (click.control || Flags.CtrlToggle) stroke.modifiers |= kModCtrl;
  if (Flags.AltToggle) stroke.modifiers |= kModAlt;

  stroke.code = button.code;
  if (!click.named && stroke.code == 0) {
    // Any other character is typed as written (an "é" types é, not É) by the
    // key that shows it on the current keyboard layout, with the modifiers
    // that layout needs.
    stroke.code = KeyOfCharacter(written.front(), stroke.modifiers);
  }
  stroke.sent_key = {stroke.code, stroke.modifiers, click.named ? '\0' : written.front()};
  return stroke;
}

bool TForm1::SendStroke(const ButtonStroke& stroke) {
  // A key the keyboard cannot send at this moment (no keycode for it) is
  // reported like an unknown key name.
  if (stroke.code == NotFoundKey) return false;
  if (words_.TakesBackSpace(stroke.sent_key)) PostKeyStroke(services_.keys, kVkBackSpace, 0);
  return PostKeyStroke(services_.keys, stroke.code, stroke.modifiers);
}

void TForm1::ClickCompleting(int cell) {
  key_ahead_.reset();
  const TButtonRec& rec = ShownRecord(cell);
  const std::optional<KeyClick> click = KeyClickOf(ClickKindOf(rec), rec);
  if (!click) return;
  const std::optional<ButtonStroke> stroke = StrokeOfButton(cell, *click);
  if (!stroke) return;
  const bool sent = SendStroke(*stroke);
  key_ahead_ = KeyAhead{.cell = cell, .stroke = *stroke, .sent = sent};
}

bool TForm1::SendButtonKey(int cell, bool named, bool shifted, bool control) {
  std::optional<KeyAhead> ahead = std::exchange(key_ahead_, std::nullopt);
  if (ahead && ahead->cell != cell) ahead.reset();
  const std::optional<ButtonStroke> stroke =
      ahead ? ahead->stroke
            : StrokeOfButton(cell, {.named = named, .shifted = shifted, .control = control});
  if (!stroke) return true;

  // The key goes out before the caption changes, so that nothing the
  // window does delays it; a key sent ahead of this click goes no more.
  const bool sent = ahead ? ahead->sent : SendStroke(*stroke);
  if (sent) words_.KeySent(stroke->sent_key);
  ShowStatus(stroke->key_text + " - " + std::to_string(stroke->code), false);
  if (!sent) ShowError("Invalid Vkey " + stroke->key_text);

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
