#pragma once

// What a key the keyboard sent means for the text being typed: a character,
// a character taken back, or a jump to somewhere the keyboard cannot see.

#include <cstdint>

namespace plinth::words {

// One key stroke as the keyboard's core sends it.
struct SentKey {
  std::uint16_t code = 0;      // virtual-key code
  std::uint8_t modifiers = 0;  // bit 0 Shift, bit 1 Alt, bit 2 Ctrl (ModifierSet)
  // The character the button writes (the first of its KeyString, else of
  // its Caption) for a character key; '\0' for a named key.
  char written = '\0';
};

enum class KeyEffect {
  Types,    // adds `character` to the text
  Erases,   // Backspace: takes back the last character
  NewLine,  // Enter: a new line, where nothing is known of the text yet
  Resets,   // the cursor went somewhere unknown: Tab, Escape, the arrow and
            // navigation keys, function keys, any key with Ctrl or Alt
  Ignored,  // changes nothing in the text: a modifier or a lock key alone
};

struct KeyMeaning {
  KeyEffect effect = KeyEffect::Ignored;
  char character = '\0';  // Windows-1252, for KeyEffect::Types
};

// A letter key types its letter, upper case with Shift; Space a space; any
// other character key what its button writes. A named punctuation key
// (COMMA, FULLSTOP, ...) types its character on the US layout, which its
// name describes.
KeyMeaning MeaningOfKey(const SentKey& key);

// The key stroke that types `character` as the keyboard types a button's
// character: a letter, a digit or the space by the key of that name (a
// capital with Shift); any other character with code 0, for the platform's
// keyboard layout to find (KeyInjector::KeyForCharacter).
SentKey KeyTyping(char character);

}  // namespace plinth::words
