#include "platform/x11/keymap_snapshot.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <utility>

namespace plinth::platform::x11 {

KeymapSnapshot::KeymapSnapshot(int min_keycode, int keysyms_per_keycode,
                               std::vector<Keysym> keysyms)
    : min_keycode_(min_keycode),
      per_keycode_(keysyms_per_keycode > 0 ? keysyms_per_keycode : 1),
      keysyms_(std::move(keysyms)) {}

KeymapSnapshot KeymapSnapshot::Read(Display* display) {
  int min_keycode = 0;
  int max_keycode = 0;
  XDisplayKeycodes(display, &min_keycode, &max_keycode);
  int per_keycode = 0;
  const int count = max_keycode - min_keycode + 1;
  KeySym* mapping =
      XGetKeyboardMapping(display, static_cast<KeyCode>(min_keycode), count, &per_keycode);
  if (mapping == nullptr || count <= 0 || per_keycode <= 0) {
    if (mapping != nullptr) XFree(mapping);
    return KeymapSnapshot(min_keycode, 1, {});
  }
  std::vector<Keysym> keysyms(static_cast<std::size_t>(count * per_keycode));
  for (std::size_t i = 0; i < keysyms.size(); ++i) {
    keysyms[i] = static_cast<Keysym>(mapping[i]);
  }
  XFree(mapping);
  return KeymapSnapshot(min_keycode, per_keycode, std::move(keysyms));
}

void KeymapSnapshot::Rebind(int keycode, Keysym keysym) {
  if (keycode < min_keycode_ || keycode > MaxKeycode()) return;
  const auto row = static_cast<std::size_t>(keycode - min_keycode_);
  const auto first =
      keysyms_.begin() + static_cast<std::ptrdiff_t>(row * static_cast<std::size_t>(per_keycode_));
  std::fill(first, first + per_keycode_, kNoKeysym);
  *first = keysym;
  if (per_keycode_ > 1) *(first + 1) = keysym;
}

int KeymapSnapshot::MaxKeycode() const {
  return min_keycode_ + static_cast<int>(keysyms_.size()) / per_keycode_ - 1;
}

Keysym KeymapSnapshot::At(int keycode, int position) const {
  if (keycode < min_keycode_ || keycode > MaxKeycode() || position >= per_keycode_) {
    return kNoKeysym;
  }
  const auto row = static_cast<std::size_t>(keycode - min_keycode_);
  return keysyms_[row * static_cast<std::size_t>(per_keycode_) +
                  static_cast<std::size_t>(position)];
}

std::array<Keysym, 2> KeymapSnapshot::Levels(int keycode) const {
  const Keysym first = At(keycode, 0);
  const Keysym second = At(keycode, 1);
  if (second != kNoKeysym) return {first, second};
  KeySym lower = 0;
  KeySym upper = 0;
  XConvertCase(first, &lower, &upper);
  if (lower != upper) return {static_cast<Keysym>(lower), static_cast<Keysym>(upper)};
  return {first, first};
}

int KeymapSnapshot::FindCharacterKey(Keysym keysym, bool shifted) const {
  if (keysym == kNoKeysym) return 0;
  for (int keycode = min_keycode_; keycode <= MaxKeycode(); ++keycode) {
    if (Levels(keycode)[shifted ? 1 : 0] == keysym) return keycode;
  }
  return 0;
}

int KeymapSnapshot::FindFunctionKey(Keysym keysym) const {
  if (keysym == kNoKeysym) return 0;
  for (int keycode = min_keycode_; keycode <= MaxKeycode(); ++keycode) {
    if (At(keycode, 0) == keysym) return keycode;
  }
  return 0;
}

bool KeymapSnapshot::Carries(int keycode, Keysym keysym) const {
  for (int position = 0; position < per_keycode_; ++position) {
    if (At(keycode, position) == keysym) return true;
  }
  return false;
}

std::vector<int> KeymapSnapshot::EmptyKeycodes() const {
  std::vector<int> empty;
  for (int keycode = min_keycode_; keycode <= MaxKeycode(); ++keycode) {
    bool has_keysym = false;
    for (int position = 0; position < per_keycode_ && !has_keysym; ++position) {
      has_keysym = At(keycode, position) != kNoKeysym;
    }
    if (!has_keysym) empty.push_back(keycode);
  }
  return empty;
}

}  // namespace plinth::platform::x11
