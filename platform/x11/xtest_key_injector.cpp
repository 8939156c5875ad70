#include "platform/x11/xtest_key_injector.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <span>
#include <thread>
#include <utility>

#include "platform/x11/keymap_snapshot.h"
#include "platform/x11/vk_keysym_table.h"

namespace plinth::platform::x11 {
namespace {

constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkAlt = 0x12;

bool IsModifier(std::uint16_t code) { return code >= kVkShift && code <= kVkAlt; }

// The rows of the modifier map, one per modifier bit.
class ModifierMap {
 public:
  explicit ModifierMap(Display* display) : map_(XGetModifierMapping(display)) {}
  ~ModifierMap() {
    if (map_ != nullptr) XFreeModifiermap(map_);
  }
  ModifierMap(const ModifierMap&) = delete;
  ModifierMap& operator=(const ModifierMap&) = delete;

  std::span<const KeyCode> Row(int index) const {
    if (map_ == nullptr) return {};
    const auto width = static_cast<std::size_t>(map_->max_keypermod);
    return {map_->modifiermap + static_cast<std::size_t>(index) * width, width};
  }

 private:
  XModifierKeymap* map_;
};

// The modifier that the Alt keys set: Mod1 on most keymaps.
int AltRow(const KeymapSnapshot& keymap, const ModifierMap& modifiers) {
  for (int row = Mod1MapIndex; row <= Mod5MapIndex; ++row) {
    for (const KeyCode keycode : modifiers.Row(row)) {
      if (keymap.Carries(keycode, XK_Alt_L) || keymap.Carries(keycode, XK_Alt_R)) return row;
    }
  }
  return Mod1MapIndex;
}

}  // namespace

XTestKeyInjector::XTestKeyInjector(Display* display)
    : display_(display),
      spares_(SpareKeycodePool::Hooks{
          .bind = [this](int keycode, Keysym keysym) { BindKeycode(keycode, keysym); },
          .unbind = [this](int keycode, Keysym keysym) { UnbindKeycode(keycode, keysym); },
          .now = [] { return SpareKeycodePool::Clock::now(); },
          .sleep =
              [](SpareKeycodePool::Clock::duration wait) { std::this_thread::sleep_for(wait); },
      }) {
  int event_base = 0, error_base = 0, major = 0, minor = 0;
  has_xtest_ = display_ != nullptr &&
               XTestQueryExtension(display_, &event_base, &error_base, &major, &minor) != 0;
}

XTestKeyInjector::~XTestKeyInjector() {
  if (display_ == nullptr) return;
  for (const auto& [code, keycode] : held_) {
    XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode), False, CurrentTime);
    spares_.Release(keycode);
  }
  XFlush(display_);
  spares_.RestoreAll();
  XFlush(display_);
}

std::uint32_t XTestKeyInjector::MapVirtualKey(std::uint16_t code) {
  const int keycode = Resolve(code);
  last_resolution_ = Resolution{.code = code, .shift_held = ShiftHeld(), .keycode = keycode};
  return static_cast<std::uint32_t>(keycode);
}

bool XTestKeyInjector::SendKeyEvent(std::uint16_t code, std::uint32_t /*scan*/,
                                    std::uint32_t flags) {
  const bool key_up = (flags & kKeyEventKeyUp) != 0;
  const std::optional<Resolution> resolved = std::exchange(last_resolution_, std::nullopt);
  if (!has_xtest_) return false;

  int keycode = 0;
  if (const auto held = held_.find(code); held != held_.end()) {
    keycode = held->second;
    if (key_up) held_.erase(held);
  } else if (resolved && resolved->code == code && resolved->shift_held == ShiftHeld()) {
    keycode = resolved->keycode;
  } else {
    keycode = Resolve(code);
  }
  if (keycode == 0) return false;

  const bool sent = XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode),
                                      key_up ? False : True, CurrentTime) != 0;
  // Out at once and in order, before the next key's keymap change.
  XFlush(display_);
  if (key_up) {
    spares_.Release(keycode);
  } else if (sent) {
    held_[code] = keycode;
    spares_.Press(keycode);
  }
  return sent;
}

std::optional<CharacterKey> XTestKeyInjector::KeyForCharacter(unsigned char ch) {
  return UsKeyForCharacter(ch);
}

std::optional<std::chrono::milliseconds> XTestKeyInjector::RestoreExpiredSpares() {
  const auto next_due = spares_.RestoreExpired();
  if (display_ != nullptr) XFlush(display_);
  if (!next_due) return std::nullopt;
  return std::chrono::ceil<std::chrono::milliseconds>(*next_due);
}

bool XTestKeyInjector::ShiftHeld() const { return held_.contains(kVkShift); }

int XTestKeyInjector::Resolve(std::uint16_t code) {
  if (const auto held = held_.find(code); held != held_.end()) return held->second;
  if (display_ == nullptr) return 0;
  const std::optional<VkKeysyms> keysyms = KeysymsForVirtualKey(code);
  if (!keysyms) return 0;
  if (IsModifier(code)) return ModifierKeycode(code, keysyms->unshifted);

  // Restore before reading the keymap, never between the lookup and the
  // key-down that uses it.
  spares_.RestoreExpired();
  const KeymapSnapshot keymap = KeymapSnapshot::Read(display_);
  const bool shift = ShiftHeld();
  const Keysym keysym = keysyms->ForShift(shift);
  const int keycode = keysyms->IsCharacterKey() ? keymap.FindCharacterKey(keysym, shift)
                                                : keymap.FindFunctionKey(keysym);
  // Without XTest nothing can be sent: leave the keymap alone.
  if (keycode != 0 || !has_xtest_) return keycode;
  return spares_.Acquire(keysym, keymap.EmptyKeycodes());
}

// A modifier key is the one the modifier map lists for its modifier: a
// keycode only carrying the keysym would not set the modifier state.
int XTestKeyInjector::ModifierKeycode(std::uint16_t code, Keysym keysym) {
  const KeymapSnapshot keymap = KeymapSnapshot::Read(display_);
  const ModifierMap modifiers(display_);
  int row = ShiftMapIndex;
  if (code == kVkControl) row = ControlMapIndex;
  if (code == kVkAlt) row = AltRow(keymap, modifiers);
  int first = 0;
  for (const KeyCode keycode : modifiers.Row(row)) {
    if (keycode == 0) continue;
    if (keymap.Carries(keycode, keysym)) return keycode;
    if (first == 0) first = keycode;
  }
  return first;
}

void XTestKeyInjector::BindKeycode(int keycode, Keysym keysym) {
  // The same keysym on both levels: Shift does not change the character.
  std::array<KeySym, 2> keysyms{keysym, keysym};
  XChangeKeyboardMapping(display_, keycode, static_cast<int>(keysyms.size()), keysyms.data(), 1);
}

void XTestKeyInjector::UnbindKeycode(int keycode, Keysym keysym) {
  // Someone may have loaded another keymap since: leave their key alone.
  int per_keycode = 0;
  KeySym* current = XGetKeyboardMapping(display_, static_cast<KeyCode>(keycode), 1, &per_keycode);
  bool still_ours = false;
  for (int position = 0; current != nullptr && position < per_keycode; ++position) {
    still_ours = still_ours || current[position] == keysym;
  }
  if (current != nullptr) XFree(current);
  if (!still_ours) return;
  KeySym none = NoSymbol;
  XChangeKeyboardMapping(display_, keycode, 1, &none, 1);
}

}  // namespace plinth::platform::x11
