#pragma once

// The keys of a US Windows keyboard in keysyms, the names of X and of
// xkbcommon alike: which keysyms a virtual-key code types, and which
// virtual key (and Shift) types a character. The X11 injector uses these
// tables to behave like a US keyboard whatever keymap the X server has;
// the Wayland virtual keyboard builds its own keymap from them.

#include <cstdint>
#include <optional>

#include "platform/platform.h"

namespace plinth::platform {

using Keysym = std::uint32_t;
inline constexpr Keysym kNoKeysym = 0;  // X's NoSymbol

// Codes from 0x100 up are our own: 0x100 + c types the 8-bit (Windows-1252)
// character c through its X keysym, for characters no US key has.
inline constexpr std::uint16_t kCharacterCodeBase = 0x100;

// What a virtual key types.
struct VkKeysyms {
  // The keysym the key types without Shift.
  Keysym unshifted = kNoKeysym;
  // For character keys (letters, digits, punctuation, our own character
  // codes): the keysym the key types with Shift, as on a US keyboard, which
  // may differ from what the X keymap's key gives. kNoKeysym for keys that
  // Shift leaves to the keymap (F-keys, Tab, arrows, modifiers).
  Keysym shifted = kNoKeysym;

  bool IsCharacterKey() const { return shifted != kNoKeysym; }
  // The keysym to send with Shift up or down.
  Keysym ForShift(bool shift_held) const {
    return shift_held && IsCharacterKey() ? shifted : unshifted;
  }
};

// The keysyms of a virtual-key code, or nothing for a code no key has.
std::optional<VkKeysyms> KeysymsForVirtualKey(std::uint16_t code);

// The X keysym of an 8-bit Windows-1252 character from 0x80 up: Latin-1
// keysyms for 0xA0..0xFF, Unicode keysyms for 0x80..0x9F; nothing for the
// five codes Windows-1252 leaves undefined.
std::optional<Keysym> KeysymForHighCharacter(unsigned char ch);

// The key that types `ch` on a US keyboard, as VkKeyScanA answers there;
// characters from 0x80 up get our own code kCharacterCodeBase + ch.
// Nothing for control characters other than backspace, tab, return and
// escape, and for undefined Windows-1252 codes.
std::optional<CharacterKey> UsKeyForCharacter(unsigned char ch);

}  // namespace plinth::platform
