#include "tests/e2e/held_keys.h"

#include <X11/XKBlib.h>

#include <array>

namespace plinth::e2e {

std::vector<std::string> HeldKeys(Display* display) {
  std::array<char, 32> keys{};
  XQueryKeymap(display, keys.data());
  std::vector<std::string> held;
  for (unsigned keycode = 0; keycode < keys.size() * 8; ++keycode) {
    if ((static_cast<unsigned char>(keys[keycode / 8]) & (1u << (keycode % 8))) == 0) continue;
    const KeySym keysym = XkbKeycodeToKeysym(display, static_cast<KeyCode>(keycode), 0, 0);
    const char* name = keysym == NoSymbol ? nullptr : XKeysymToString(keysym);
    held.push_back(name != nullptr ? name : "keycode " + std::to_string(keycode));
  }
  return held;
}

}  // namespace plinth::e2e
