#include "platform/x11/xtest_key_injector.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <array>
#include <string>
#include <thread>
#include <utility>

#include "platform/common/vk_keysym_table.h"

namespace plinth::platform::x11 {
namespace {

constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkAlt = 0x12;

// Bits of the ModifierSet handed to PrepareKeyStroke.
constexpr std::uint8_t kShiftBit = 1u << 0;
constexpr std::uint8_t kAltBit = 1u << 1;
constexpr std::uint8_t kCtrlBit = 1u << 2;

bool IsModifier(std::uint16_t code) { return code >= kVkShift && code <= kVkAlt; }

}  // namespace

XTestKeyInjector::XTestKeyInjector(Display* display)
    : display_(display),
      mapping_(display),
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

void XTestKeyInjector::HandleEvent(const XEvent& event) {
  if (!mapping_.HandleEvent(event)) return;
  spares_.ForgetLost(
      [this](int keycode, Keysym keysym) { return mapping_.keymap().Carries(keycode, keysym); });
  if (keymap_changed_) keymap_changed_();
}

int XTestKeyInjector::KeycodeOnKeymap(std::uint16_t code) const {
  const std::optional<VkKeysyms> keysyms = KeysymsForVirtualKey(code);
  if (!keysyms || display_ == nullptr) return 0;
  if (IsModifier(code)) return ModifierKeycode(code);
  const KeymapSnapshot& keymap = mapping_.keymap();
  return keysyms->IsCharacterKey() ? keymap.FindCharacterKey(keysyms->unshifted, false)
                                   : keymap.FindFunctionKey(keysyms->unshifted);
}

void XTestKeyInjector::FollowQueuedChanges() {
  struct Search {
    const KeyboardMapping* mapping;
    std::vector<XEvent> notices;
  } search{&mapping_, {}};
  // Looks at every event queued or already sent, removes none.
  const auto collect = [](Display* /*display*/, XEvent* event, XPointer arg) -> Bool {
    auto& found = *reinterpret_cast<Search*>(arg);
    if (found.mapping->IsChangeNotice(*event)) found.notices.push_back(*event);
    return False;
  };
  if (XEventsQueued(display_, QueuedAfterReading) == 0) return;
  XEvent unused;
  XCheckIfEvent(display_, &unused, collect, reinterpret_cast<XPointer>(&search));
  for (const XEvent& notice : search.notices) HandleEvent(notice);
}

bool XTestKeyInjector::PrepareKeyStroke(std::uint16_t code, std::uint8_t modifiers) {
  if (!has_xtest_) return false;
  FollowQueuedChanges();
  for (const auto& [bit, modifier] :
       {std::pair{kShiftBit, kVkShift}, std::pair{kCtrlBit, kVkControl},
        std::pair{kAltBit, kVkAlt}}) {
    if ((modifiers & bit) != 0 && ModifierKeycode(modifier) == 0) return false;
  }
  return Resolve(code, (modifiers & kShiftBit) != 0) != 0;
}

std::uint32_t XTestKeyInjector::MapVirtualKey(std::uint16_t code) {
  const bool shift = ShiftHeld();
  const int keycode = Resolve(code, shift);
  last_resolution_ = Resolution{.code = code, .shift_held = shift, .keycode = keycode};
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
    keycode = Resolve(code, ShiftHeld());
  }
  if (keycode == 0) return false;

  const bool sent = XTestFakeKeyEvent(display_, static_cast<unsigned>(keycode),
                                      key_up ? False : True, CurrentTime) != 0;
  if (key_up) {
    spares_.Release(keycode);
  } else if (sent) {
    held_[code] = keycode;
    spares_.Press(keycode);
  }
  // A stroke goes out whole, in one write, as soon as its last key is up:
  // a write per event would wake the server for each.
  if (held_.empty()) XFlush(display_);
  return sent;
}

std::optional<CharacterKey> XTestKeyInjector::KeyForCharacter(unsigned char ch) {
  return UsKeyForCharacter(ch);
}

bool XTestKeyInjector::ShiftHeld() const { return held_.contains(kVkShift); }

int XTestKeyInjector::Resolve(std::uint16_t code, bool shift) {
  if (const auto held = held_.find(code); held != held_.end()) return held->second;
  if (display_ == nullptr) return 0;
  const std::optional<VkKeysyms> keysyms = KeysymsForVirtualKey(code);
  if (!keysyms) return 0;
  if (IsModifier(code)) return ModifierKeycode(code);

  const KeymapSnapshot& keymap = mapping_.keymap();
  const Keysym keysym = keysyms->ForShift(shift);
  const int keycode = keysyms->IsCharacterKey() ? keymap.FindCharacterKey(keysym, shift)
                                                : keymap.FindFunctionKey(keysym);
  // Without XTest nothing can be sent: leave the keymap alone.
  if (keycode != 0 || !has_xtest_) return keycode;
  return spares_.Acquire(keysym, keymap.EmptyKeycodes());
}

// The modifier that the Alt keys set: Mod1 on most keymaps.
unsigned XTestKeyInjector::AltMask() const {
  constexpr unsigned kMod1To5 = Mod1Mask | Mod2Mask | Mod3Mask | Mod4Mask | Mod5Mask;
  const KeymapSnapshot& keymap = mapping_.keymap();
  for (int keycode = 0; keycode < 256; ++keycode) {
    const unsigned mask = mapping_.ModifiersOf(keycode) & kMod1To5;
    if (mask != 0 && (keymap.Carries(keycode, XK_Alt_L) || keymap.Carries(keycode, XK_Alt_R))) {
      return mask;
    }
  }
  return Mod1Mask;
}

// A modifier key is one the modifier map lists for its modifier: a keycode
// only carrying the keysym would not set the modifier state. The one that
// also carries the key's keysym is preferred. 0 when the modifier has no
// key, as after "xmodmap -e 'clear control'".
int XTestKeyInjector::ModifierKeycode(std::uint16_t code) const {
  const std::optional<VkKeysyms> keysyms = KeysymsForVirtualKey(code);
  unsigned mask = ShiftMask;
  if (code == kVkControl) mask = ControlMask;
  if (code == kVkAlt) mask = AltMask();
  int first = 0;
  for (int keycode = 0; keycode < 256; ++keycode) {
    if ((mapping_.ModifiersOf(keycode) & mask) == 0) continue;
    if (keysyms && mapping_.keymap().Carries(keycode, keysyms->unshifted)) return keycode;
    if (first == 0) first = keycode;
  }
  return first;
}

std::vector<HeldKey> XTestKeyInjector::KeysHeldDown() {
  std::vector<HeldKey> held;
  if (display_ == nullptr) return held;
  std::array<char, 32> pressed{};
  XQueryKeymap(display_, pressed.data());
  const unsigned alt = AltMask();
  for (int keycode = 0; keycode < 256; ++keycode) {
    if ((pressed[static_cast<std::size_t>(keycode / 8)] & (1 << (keycode % 8))) == 0) continue;
    const unsigned modifiers = mapping_.ModifiersOf(keycode);
    const KeySym keysym = XkbKeycodeToKeysym(display_, static_cast<KeyCode>(keycode), 0, 0);
    const char* keysym_name = keysym == NoSymbol ? nullptr : XKeysymToString(keysym);
    held.push_back({.id = static_cast<std::uint32_t>(keycode),
                    .name = (modifiers & ShiftMask) != 0     ? "Shift"
                            : (modifiers & ControlMask) != 0 ? "Ctrl"
                            : (modifiers & alt) != 0         ? "Alt"
                            : keysym_name != nullptr         ? keysym_name
                                                     : "keycode " + std::to_string(keycode)});
  }
  return held;
}

void XTestKeyInjector::ReleaseKeys(const std::vector<HeldKey>& keys) {
  if (!has_xtest_) return;
  for (const HeldKey& key : keys) XTestFakeKeyEvent(display_, key.id, False, CurrentTime);
  XSync(display_, False);
}

void XTestKeyInjector::BindKeycode(int keycode, Keysym keysym) {
  // The same keysym on both levels: Shift does not change the character.
  std::array<KeySym, 2> keysyms{keysym, keysym};
  XChangeKeyboardMapping(display_, keycode, static_cast<int>(keysyms.size()), keysyms.data(), 1);
  mapping_.NoteBinding(keycode, keysym);
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
  mapping_.NoteBinding(keycode, kNoKeysym);
}

}  // namespace plinth::platform::x11
