#include "src/postkeys/post_keys.h"

#include <array>
#include <utility>

#include "platform/platform.h"

namespace plinth {
namespace {

struct ModifierKey {
  ModifierSet bit;
  std::uint16_t code;
};

// The table order, not the bit order, decides the order of the events.
constexpr std::array<ModifierKey, 3> ModifierKeys{{
    {kModShift, kVkShift},
    {kModCtrl, kVkControl},
    {kModAlt, kVkMenu},
}};

bool SendKey(platform::KeyInjector& keys, std::uint16_t code, std::uint32_t flags) {
  if (IsExtendedKey(code)) flags |= platform::kKeyEventExtendedKey;
  return keys.SendKeyEvent(code, keys.MapVirtualKey(code), flags);
}

}  // namespace

bool IsExtendedKey(std::uint16_t key) {
  constexpr std::uint16_t kPageUp = 0x21, kDown = 0x28, kInsert = 0x2D, kDelete = 0x2E;
  return (key >= kPageUp && key <= kDown) || key == kInsert || key == kDelete;
}

bool PostKeyStroke(platform::KeyInjector& keys, std::uint16_t key, ModifierSet modifiers) {
  modifiers &= kModShift | kModAlt | kModCtrl;
  // Ready before the first modifier goes down: a modifier pressed while the
  // key waits, or pressed for a key that never comes, acts on its own.
  if (!keys.PrepareKeyStroke(key, modifiers)) return false;

  std::size_t pressed = 0;  // modifiers of the table pressed so far
  bool refused = false;
  for (; pressed < ModifierKeys.size(); ++pressed) {
    const ModifierKey& modifier = ModifierKeys[pressed];
    if ((modifiers & modifier.bit) == 0) continue;
    if (!SendKey(keys, modifier.code, 0)) {
      refused = true;
      break;
    }
  }

  if (!refused && SendKey(keys, key, 0)) {
    SendKey(keys, key, platform::kKeyEventKeyUp);
  }

  // Release in reverse table order every modifier that went down (a refused
  // one stopped the walk before it was counted); a refused key-up does not
  // stop the others from being released.
  while (pressed-- > 0) {
    const ModifierKey& modifier = ModifierKeys[pressed];
    if ((modifiers & modifier.bit) != 0) SendKey(keys, modifier.code, platform::kKeyEventKeyUp);
  }
  return true;
}

}  // namespace plinth
