#pragma once

// How a key button's text and Action word become a key stroke, as far as
// the button alone decides it: the keyboard sends it, and plinth-layout
// counts what it types.

#include <cstdint>
#include <string>
#include <string_view>

#include "src/layout/button_rec.h"
#include "src/postkeys/post_keys.h"

namespace plinth {

// What a key button writes: its KeyString, else its Caption.
const std::string& WrittenText(const TButtonRec& rec);

struct ButtonKey {
  // The virtual-key code: a named key's (NotFoundKey for an unknown name);
  // a letter's, a digit's or the space's own; 0 for any other character,
  // which the key of the keyboard layout that shows it types.
  std::uint16_t code = 0;
  // The modifiers of the button's Action word (CTRL, ALT, CTRLALT).
  ModifierSet modifiers = 0;
};

// The key of button `rec`, whose written text upper-cased is `key_text`
// (empty for a character key without text: no key). `named`: the text is a
// key name (VIRTUALKEY, CURSORKEY), else a character (KEY).
ButtonKey KeyOfButton(const TButtonRec& rec, std::string_view key_text, bool named);

// The suggestion number (1 to 8) a WORD button shows (ACTION, DEFAULT,
// WORD with Param1=n); 0 for any other button.
int SuggestionOfButton(const TButtonRec& rec);

}  // namespace plinth
