#pragma once

// What each keycode of the X server's keyboard types (keycode -> keysyms),
// and the questions the injector asks of it. The core protocol's mapping
// gives group 1; a copy made from the XKB keymap puts the active group's
// two Shift levels first, then every other keysym of the key.

#include <array>
#include <vector>

#include "platform/common/vk_keysym_table.h"
#include "platform/x11/display_fwd.h"

namespace plinth::platform::x11 {

class KeymapSnapshot {
 public:
  // `keysyms` holds `keysyms_per_keycode` entries for each keycode from
  // `min_keycode` on, as XGetKeyboardMapping returns them.
  KeymapSnapshot(int min_keycode, int keysyms_per_keycode, std::vector<Keysym> keysyms);

  // The server's current core mapping; an empty snapshot if it cannot be
  // read.
  static KeymapSnapshot Read(Display* display);

  // Notes that `keycode` now types `keysym` on both levels and nothing
  // else; kNoKeysym empties it.
  void Rebind(int keycode, Keysym keysym);

  // The first keycode whose key types `keysym` at the Shift level asked
  // for, by the core protocol's reading of group 1; 0 when none does.
  int FindCharacterKey(Keysym keysym, bool shifted) const;
  // The first keycode whose key types `keysym` without Shift, for keys
  // whose shifted level is left to the keymap (Tab gives ISO_Left_Tab with
  // Shift, as on a real keyboard); 0 when none does.
  int FindFunctionKey(Keysym keysym) const;
  // Keycodes without any keysym: free to bind for a moment.
  std::vector<int> EmptyKeycodes() const;
  // True when `keycode` carries `keysym` at some position.
  bool Carries(int keycode, Keysym keysym) const;

 private:
  // Group 1's two levels of a keycode, completed by the core protocol's
  // rule for a missing second keysym (a letter gets its other case, any
  // other keysym is repeated).
  std::array<Keysym, 2> Levels(int keycode) const;
  Keysym At(int keycode, int position) const;
  int MaxKeycode() const;

  int min_keycode_;
  int per_keycode_;
  std::vector<Keysym> keysyms_;
};

}  // namespace plinth::platform::x11
